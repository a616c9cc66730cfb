// The level generator's working record and byte grids: `dungeon` (the level's parameter block
// copied per attempt, then the generator's work fields) and the 128 x 128 grids kept beside
// the map during one generation attempt. Owner: the level generator; every generator unit
// and the map writers read and write them.
#pragma once
#include <cstdint>

#include "records/layout_base.h"
#include "records/layout_level.h"
#include "world/map.h" // dug_grid

namespace dravok {

// The generator record: the parameter block, then run-time fields that never enter a level.
struct tdungeon_run : tdungeon {};
extern tdungeon_run dungeon;

using byte_grid = uint8_t[max_map_size][max_map_size]; // [x - 1][y - 1]

extern byte_grid shape_grid;
extern byte_grid mark_grid;
extern byte_grid mark_block_grid;
extern byte_grid mark_area_grid;
extern byte_grid corridor_end_grid;
extern byte_grid exit_grid;
extern byte_grid visited_grid;
extern byte_grid backup_grid;
extern byte_grid rotated_grid;

void clear_grid(byte_grid& g);

// The shape grid is cleared before every try of every builder; it remembers the box that was
// written since, so a clear touches only those cells instead of the whole grid.
struct shape_box {
    int x1 = max_map_size + 1, y1 = max_map_size + 1, x2 = 0, y2 = 0;
};
extern shape_box shape_dirty;
inline void shape_set(int x, int y, int value) {
    shape_grid[x - 1][y - 1] = static_cast<uint8_t>(value);
    if (x < shape_dirty.x1) shape_dirty.x1 = x;
    if (x > shape_dirty.x2) shape_dirty.x2 = x;
    if (y < shape_dirty.y1) shape_dirty.y1 = y;
    if (y > shape_dirty.y2) shape_dirty.y2 = y;
}
inline uint8_t shape_get(int x, int y) {
    return shape_grid[x - 1][y - 1];
}
void clear_shape_grid();
inline uint8_t& grid_at(byte_grid& g, int x, int y) {
    return g[x - 1][y - 1];
}

// One step of a growing layer: every free cell of the box next to a cell of neighbour_value
// takes value; false when a dug cell was taken.
bool grow_layer_step(int x1, int y1, int x2, int value, int neighbour_value, int y2);

} // namespace dravok
