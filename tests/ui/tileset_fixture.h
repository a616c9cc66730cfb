// A small complete tile-set index for the tile-set tests: 3 creatures, 2 items, 1 talent,
// one 16-pixel rectangle per image on a sheet ten tiles (160 pixels) wide.
#pragma once
#include "records/tileset_file.h"

namespace dravok {

inline tsprite_entry present(uint16_t a, uint16_t b = 1) {
    return tsprite_entry{1, a, b, 1, 0, 0};
}

inline ttileset_index small_index() {
    ttileset_index ix;
    ix.header.tile_size = 16;
    auto& t = ix.categories;
    t[1].resize(91);
    for (int e = 1; e <= 90; ++e)
        t[1][e] = present(1, e <= 40 ? 2 : 1);
    t[1][39] = {}; // an unused kind
    t[2].resize(61);
    for (int e = 1; e <= 60; ++e)
        t[2][e] = present(1, e == 12 ? 3 : 1);
    t[3].resize(1);
    t[4].resize(9);
    for (int e = 1; e <= 8; ++e)
        t[4][e] = present(2);
    t[5].resize(20);
    for (int e = 1; e <= 19; ++e)
        t[5][e] = present(4);
    t[6] = {{}, present(1), present(1, 4), present(1)};
    t[7] = {{}, present(1), present(1)};
    t[8].resize(6);
    for (int e = 1; e <= 5; ++e)
        t[8][e] = present(1, 2);
    t[9] = {{}, present(1), present(1)};
    t[10] = {{}, present(1)};
    t[11].resize(47);
    for (int e = 1; e <= 46; ++e)
        t[11][e] = present(1);
    assign_tileset_positions(ix);
    for (std::size_t r = 1; r < ix.rectangles.size(); ++r)
        ix.rectangles[r] = {int32_t(r % 10) * 16, int32_t(r / 10) * 16, int32_t(r % 10) * 16 + 16,
                            int32_t(r / 10) * 16 + 16};
    return ix;
}

} // namespace dravok
