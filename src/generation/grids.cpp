#include "generation/grids.h"

#include <cstring>

#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/map.h"
#include "world/random.h"
#include "world/rounding.h"

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

shape_box shape_dirty;

void clear_grid(byte_grid& g) {
    std::memset(g, 0, sizeof(byte_grid));
}

void clear_shape_grid() {
    for (int x = shape_dirty.x1; x <= shape_dirty.x2; ++x)
        std::memset(&shape_grid[x - 1][shape_dirty.y1 - 1], 0, shape_dirty.y2 - shape_dirty.y1 + 1);
    shape_dirty = shape_box{};
}

bool grow_layer_step(int x1, int y1, int x2, int value, int neighbour_value, int y2) {
    static const int dx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    static const int dy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
    bool ok = true;
    for (int x = x1; x <= x2; ++x)
        for (int y = y1; y <= y2; ++y) {
            if (!on_map(x, y, 0) || shape_get(x, y) != 0) continue;
            for (int i = 0; i < 8; ++i) {
                const int nx = x + dx[i], ny = y + dy[i];
                if (on_map(nx, ny, 0) && shape_grid[nx - 1][ny - 1] == neighbour_value) {
                    shape_set(x, y, value);
                    if (dug_grid[x - 1][y - 1]) ok = false;
                    break;
                }
            }
        }
    return ok;
}

} // namespace dravok
