#include "generation/free_run.h"

#include "generation/grids.h"
#include "world/directions.h"
#include "world/map.h"

namespace dravok {

int get_free_run(int x, int y, int direction) {
    if (direction < 1 || direction > 4) return 0;
    for (int k = 1;; ++k) {
        const int cx = x + k * dir_dx[direction], cy = y + k * dir_dy[direction];
        if (!on_map(cx, cy, 0) || dug_grid[cx - 1][cy - 1]) return k;
    }
}

} // namespace dravok
