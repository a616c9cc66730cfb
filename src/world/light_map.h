// The light levels of the map, with the byte planes kept after them.
#pragma once
#include <array>
#include <cstdint>

#include "world/grid.h"

namespace dravok {

// The light levels of the map and the three byte planes after them, preset to 1, 2 and 3.
struct tlight_map {
    tgrid<uint8_t> light;
    std::array<tgrid<uint8_t>, 3> planes;
};
extern tlight_map light_map;

} // namespace dravok
