#include "ui/offscreen_beings.h"
#include "records/layout_being.h"

#include <algorithm>

#include "world/being.h"
#include "world/beings.h"
#include "world/geometry.h"
#include "world/map.h"
#include "world/player.h"
#include "world/sight_records.h"

namespace dravok {

std::array<toffscreen_being, 9> offscreen_beings{};

namespace {

bool seen_by_player(int being) {
    return being < int(sight_matrix[player].size()) && sight_matrix[player][being] != 0;
}

} // namespace

void collect_offscreen_beings() {
    // The nearest seen being beyond the view on each of the eight sides, unless a hostile in view
    // already warns of that side.
    offscreen_beings.fill({});
    if (player < 1 || player >= int(beings.size()) || player >= int(sight_matrix.size())) return;
    for (int i = 1; i < int(beings.size()); ++i) {
        const tbeing& b = beings[i];
        if (b.present == 0 || !seen_by_player(i) || !is_in_view(b.x, b.y) || b.attitude_to_player >= 0)
            continue;
        const int d = get_direction_between_beings(player, i);
        if (d < 1 || d > 8) continue;
        for (int side : {d == 1 ? 8 : d - 1, d, d == 8 ? 1 : d + 1})
            offscreen_beings[size_t(side)].in_view = true;
    }
    for (int i = 1; i < int(beings.size()); ++i) {
        const tbeing& b = beings[i];
        if (i == player || b.present == 0 || !seen_by_player(i)) continue;
        const int right = b.x + std::max<int>(b.width, 1) - 1, bottom = b.y + std::max<int>(b.height, 1) - 1;
        if (is_in_view(b.x, b.y) || is_in_view(right, bottom)) continue;
        // Friends of the party need no warning; neutrals outside it do.
        if (b.attitude_to_player >= 0 && b.friendly != 0) continue;
        const int d = get_offscreen_direction(b.x, b.y);
        if (d < 1 || d > 8) continue;
        toffscreen_being& e = offscreen_beings[size_t(d)];
        if (e.in_view) continue;
        const int dist = get_being_distance(player, i);
        if (e.being != 0 && e.distance <= dist) continue;
        e.x = b.x, e.y = b.y, e.being = i, e.distance = dist;
    }
}

void reset_offscreen_beings() {
    offscreen_beings.fill({});
}

} // namespace dravok
