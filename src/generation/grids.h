// The level generator's working record and the dug grid kept beside the map during one
// generation attempt; set_block of the map grid writes them. Owner: the level generator.
#pragma once
#include <cstdint>

#include "world/layout.h"

namespace dravok {

// The generator record: the parameter block, then run-time fields that never enter a level.
struct tdungeon_run : tdungeon {
    uint32_t area_cells = 0; // cells that received an area (counted by set_block)
};
extern tdungeon_run dungeon;

using byte_grid = uint8_t[max_map_size][max_map_size]; // [x - 1][y - 1]

extern byte_grid dug_grid;

// Records a floor cell as dug and frees it from the impenetrable walls; called for every
// block written by set_block. Its result is set_block's result.
bool mark_dug_cell(int x, int y);

} // namespace dravok
