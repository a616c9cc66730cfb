// What the player's being sees now, cell by cell: the sprites (already shaded by light) that
// the map view draws. Rebuilt by the player view after each sight pass, written by the cell
// animations, read by the map view and the minimap.
#pragma once
#include <cstdint>

#include "world/grid.h"

namespace dravok {

struct tview_cell {
    uint16_t terrain = 0;   // image in terrain_sprites; 0 = not in view
    uint16_t furniture = 0; // images in object_sprites; 0 = none
    uint16_t being = 0;
    uint16_t item = 0;
    uint16_t overlay = 0;
    uint16_t splash = 0;
    uint16_t animation = 0; // the current frame of a cell animation
    uint8_t unlooted = 0;   // an item-holding piece not yet looted
    uint8_t seen_state = 0;
};

extern tgrid<tview_cell> view_memory;

} // namespace dravok
