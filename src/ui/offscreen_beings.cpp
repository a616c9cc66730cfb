#include "ui/offscreen_beings.h"
#include "records/layout_being.h"

#include "world/being.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/map.h"

namespace dravok {

std::array<toffscreen_being, 9> offscreen_beings{};

void collect_offscreen_beings() {
    // Nearest seen hostile beyond the view in each of the eight directions.
    offscreen_beings.fill({});
    if (player < 1 || player >= int(beings.size())) return;
    const tbeing& p = beings[player];
    for (int i = 1; i < int(beings.size()); ++i) {
        const tbeing& b = beings[i];
        if (i == player || b.serial <= 0 || b.x == 0) continue;
        if (i >= int(sight_matrix[player].size()) || !sight_matrix[player][i]) continue;
        if (b.attitude_to_player >= 0 || is_in_view(b.x, b.y)) continue;
        const int dx = b.x - p.x, dy = b.y - p.y;
        const int sx = (dx > 0) - (dx < 0), sy = (dy > 0) - (dy < 0);
        static const int dir_of[3][3] = {{8, 7, 6}, {1, 0, 5}, {2, 3, 4}}; // [sx+1][sy+1]
        const int d = dir_of[sx + 1][sy + 1];
        if (d == 0) continue;
        const int dist = get_being_distance(player, i);
        auto& e = offscreen_beings[d];
        if (e.distance == 0 || dist < e.distance) e = {b.x, b.y, i, dist, false};
    }
}

void reset_offscreen_beings() {
    offscreen_beings.fill({});
}

} // namespace dravok
