// Minimal bodies of the services in renderer_links.h whose owners have not landed.
#include "ui/renderer_links.h"

#include <cmath>

#include "world/globals.h"
#include "world/rounding.h"

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
        static const int dir_of[3][3] = {{8, 7, 6}, {1, 0, 5}, {2, 3, 4}};  // [sx+1][sy+1]
        const int d = dir_of[sx + 1][sy + 1];
        if (d == 0) continue;
        const int dist = get_being_distance(player, i);
        auto& e = offscreen_beings[d];
        if (e.distance == 0 || dist < e.distance) e = {b.x, b.y, i, dist, false};
    }
}

bool being_animation_shown(int) { return false; }

std::string being_name(int being, int) {
    if (being < 1 || being >= int(beings.size())) return {};
    return beings[being].name.str();
}

int get_being_distance(int a, int b) {
    const tbeing& p = beings[a];
    const tbeing& q = beings[b];
    const double dx = double(p.x) - q.x, dy = double(p.y) - q.y;
    return round_half_even(std::sqrt(dx * dx + dy * dy));
}

bool is_in_view(int x, int y) {
    return x >= settings.view_left && x <= settings.view_right && y >= settings.view_top && y <= settings.view_bottom;
}

bool is_wall_front_shown(int x, int y) {
    if (x < 1 || y < 1 || x > map_size || y > map_size) return false;
    if (map_cells(x, y).block < 1 || map_cells(x, y).block > 40) return false;
    if (y == map_size) return true;
    const tcell& s = map_cells(x, y + 1);
    if (!s.explored) return true;
    const bool door = s.furniture >= 8 && s.furniture <= 11;
    return s.block > 40 && !door;
}

int map_effect_sprite(int x, int y) { return map_effect_grid(x, y).graphic_frame; }

bool spectator_exists() { return state.spectator_serial != 0; }

}  // namespace dravok
