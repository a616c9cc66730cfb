#include "ai/light.h"

#include <algorithm>
#include <array>

#include "ai/player_view.h"
#include "records/layout_being.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/grid.h"
#include "world/lasting_effects.h"
#include "world/light_map.h"
#include "world/map.h"
#include "world/map_effect_cell.h"
#include "world/map_grid.h"
#include "world/player.h"

namespace dravok {

tgrid<uint8_t> light_owner_map{};
std::vector<tlight_cell> static_light_list(1);

namespace {

bool is_light_furniture(int f) {
    return f >= fu_light_torch && f <= fu_light_campfire;
}

} // namespace

void clear_light_maps() {
    light_map.light.fill(0);
    light_owner_map.fill(0);
}

void clear_static_lights() {
    static_light_list.assign(1, tlight_cell{});
}

void collect_light_sources() {
    static_light_list.assign(1, tlight_cell{});
    static_light_list.reserve(101);
    for (int x = 1; x <= map_size; ++x) {
        for (int y = 1; y <= map_size; ++y) {
            const tcell& c = cell_at(x, y);
            const tmap_effect_cell& e = map_effect_grid(x, y);
            if (is_light_furniture(c.furniture) || c.furniture == fu_teleporter ||
                (e.kind > 0 && e.light != 0))
                static_light_list.push_back({x, y});
        }
    }
}

namespace {

// One ray of a light from step `from` on; the step it stopped at, or one past its end. A cell
// already as bright is passed over; a wall's face turned away from the viewer stays dark.
template <bool check_map>
int light_ray(int r, int k, int from, int x, int y, int viewer_x, int viewer_y, int source, int brightness) {
    const auto& ray = sight_rays[r][size_t(k)];
    const int length = sight_ray_plans[size_t(r)][size_t(k)].length;
    for (int s = from; s <= length; ++s) {
        const int cx = x + ray[s].dx, cy = y + ray[s].dy;
        if (check_map && !on_map(cx, cy)) return s;
        const bool opaque = cell_blocks_sight(cell_at(cx, cy));
        uint8_t& lit = light_map.light(cx, cy);
        if (lit < brightness) {
            const bool hidden_face = opaque && ((viewer_y < cy && cy < y) || (y < cy && cy < viewer_y) ||
                                                (x < cx && cx < viewer_x) || (viewer_x < cx && cx < x));
            if (!hidden_face) {
                lit = uint8_t(brightness);
                if (!opaque && source <= 255) light_owner_map(cx, cy) = uint8_t(source);
            }
        }
        if (opaque) return s;
    }
    return length + 1;
}

} // namespace

void trace_light(int x, int y, int viewer_x, int source, int radius, int viewer_y) {
    if (!on_map(x, y) || (source > 0 && !is_being_ok(source)) || radius <= 0) return;
    radius = std::min(radius, max_light_radius);
    light_map.light(x, y) = 3;
    tray_stops stops{};
    for (int brightness = 3; brightness >= 1; --brightness) {
        const int r = radius + (3 - brightness);
        const int n = std::min(int(sight_ray_counts[r]), max_rays);
        for (int k = 1; k <= n; ++k) {
            const tray_plan& plan = sight_ray_plans[size_t(r)][size_t(k)];
            // The shared cells are as bright as the earlier ray left them.
            const int from = first_unshared_step(plan, stops, k);
            if (from == 0) continue;
            const tray_box& box = plan.whole;
            const bool inside =
                x + box.x1 >= 1 && y + box.y1 >= 1 && x + box.x2 <= map_size && y + box.y2 <= map_size;
            stops[size_t(k)] =
                inside ? light_ray<false>(r, k, from, x, y, viewer_x, viewer_y, source, brightness)
                       : light_ray<true>(r, k, from, x, y, viewer_x, viewer_y, source, brightness);
        }
    }
}

void trace_all_lights(int viewer_x, int viewer_y) {
    for (size_t i = 1; i < static_light_list.size(); ++i) {
        const int x = static_light_list[i].x, y = static_light_list[i].y;
        if (!on_map(x, y)) continue;
        const tcell& c = cell_at(x, y);
        if (c.furniture_state != 0 && c.furniture != fu_teleporter) {
            // A light switched off glows only while a map effect lies on it.
            if (map_effect_grid(x, y).effect != 0)
                trace_light(x, y, viewer_x, 0, furniture_light_radius, viewer_y);
        } else if (c.furniture == fu_light_torch) {
            trace_light(x, y + 1, viewer_x, 0, furniture_light_radius, viewer_y);
        } else {
            trace_light(x, y, viewer_x, 0, furniture_light_radius, viewer_y);
        }
    }
    for (int b = 1; b < int(beings.size()); ++b) {
        const tbeing& being = beings[b];
        if (being.present && being.light_radius != 0 && is_being_ok(b))
            trace_light(being.x, being.y, viewer_x, b, being.light_radius, viewer_y);
    }
}

void update_lights() {
    if (quit_requested()) return;
    clear_light_maps();
    if (player < 1 || player >= int(beings.size()) || !is_being_ok(player)) return;
    if (static_light_list.size() <= 1) collect_light_sources();
    trace_all_lights(beings[player].x, beings[player].y);
    update_player_view(player);
}

} // namespace dravok
