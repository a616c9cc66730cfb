#include "generation/grids.h"

#include <cstring>

#include "generation/standin_world.h"

namespace dravok {

tdungeon_run dungeon;

byte_grid shape_grid;
byte_grid mark_grid;
byte_grid mark_block_grid;
byte_grid mark_area_grid;
byte_grid corridor_end_grid;
byte_grid exit_grid;
byte_grid visited_grid;
byte_grid backup_grid;
byte_grid rotated_grid;
const byte_grid zero_grid = {};

shape_box shape_dirty;

void clear_grid(byte_grid& g) {
    std::memcpy(g, zero_grid, sizeof(byte_grid));
}

void clear_shape_grid() {
    for (int x = shape_dirty.x1; x <= shape_dirty.x2; ++x)
        std::memset(&shape_grid[x - 1][shape_dirty.y1 - 1], 0, shape_dirty.y2 - shape_dirty.y1 + 1);
    shape_dirty = shape_box{};
}

} // namespace dravok
