#include "generation/grids.h"

#include "world/map.h"

namespace dravok {

tdungeon_run dungeon;
byte_grid dug_grid;

bool mark_dug_cell(int x, int y) {
    if (!on_map(x, y, 0)) return false;
    if (cell_at(x, y).block >= first_floor_block) {
        dug_grid[x - 1][y - 1] = 1;
        impenetrable_walls[x - 1][y - 1] = 0;
    }
    return true;
}

} // namespace dravok
