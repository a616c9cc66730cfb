#include "generation/portals.h"

#include <string>

#include "generation/areas.h"
#include "generation/locations.h"
#include "generation/stuff.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "records/layout_parts.h"
#include "records/map_vocab.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok {

namespace {

// On a level of many areas an unconstrained portal first wants a quiet, roomy area.
constexpr int many_areas = 30;
constexpr int roomy_area_cells = 56;
constexpr int cell_relaxing_from = 65, cell_relaxing_step = 10;
constexpr int relaxed_exit_cells = 200;
constexpr int zone_center = 1;

bool on_current_level(const tportal& p) {
    return p.level == level.index && on_map(p.x, p.y);
}

bool is_spot_zone(int zone) {
    return zone == zone_center || (zone >= vz_first_spot && zone <= vz_last_spot);
}

// One relaxation of a portal's request that found no area; false when nothing is left.
bool relax_portal_request(tstuff& r) {
    if (r.content_required != 0) {
        if (r.keep_content_demand != 0) return false;
        r.content_required = 0;
        r.area_choice = choose_random;
        return true;
    }
    if (r.area_kind != 0) {
        r.area_kind = 0;
        r.zone = vz_main;
        r.area_choice = choose_random;
        return true;
    }
    if (r.max_exit_cells == 0) {
        r.max_exit_cells = relaxed_exit_cells;
        return true;
    }
    if (r.min_cells >= cell_relaxing_from) {
        r.min_cells -= cell_relaxing_step;
        return true;
    }
    for (uint8_t* flag : {&r.no_content, &r.no_portal_near, &r.no_being, &r.no_floor_symbol})
        if (*flag != 0) {
            *flag = 0;
            return true;
        }
    if (r.pattern != pattern_random && r.pattern != pattern_full_area) {
        r.pattern = pattern_random;
        return true;
    }
    if (r.pattern == pattern_random) {
        r.pattern = pattern_full_area;
        return true;
    }
    return false;
}

} // namespace

bool add_portal(int portal, const tstuff& request, int depth, int& result_x, int& result_y) {
    depth = trace_enter(depth, trace_add_portal);
    result_x = result_y = 0;
    tstuff r = request;
    r.area_choice = choose_random;
    if (r.area_kind != 0 || r.content_required != 0) {
        const int roll = d100();
        r.area_choice = roll >= 50 ? choose_last : choose_first;
    } else if (area_high_index() >= many_areas) {
        r.no_content = 1;
        r.no_portal_near = 1;
        r.min_cells = roomy_area_cells;
        if (r.object_id == fu_stairs_up) r.no_being = 1;
        r.no_floor_symbol = 1;
    }
    if (area_high_index() == 1) r.min_exit_cells = 0;
    if (is_spot_zone(r.zone)) r.pattern = pattern_center;
    const bool shares_cell =
        portals[portal].return_flag != 0 && r.content_required != 0 && is_spot_zone(r.zone);
    for (;;) {
        clear_area_marks();
        find_location(r, depth, r);
        while (r.area != 0) {
            const int area = r.area;
            if (shares_cell) {
                const tzone_rect& z = areas[area].zone(r.zone);
                if (portal_at(z.x, z.y)) {
                    result_x = z.x;
                    result_y = z.y;
                    return true;
                }
            }
            tstuff try_here = r;
            if (areas[area].vault != 0 && try_here.zone == vz_main)
                try_here.zone = static_cast<uint8_t>(usable_vault_zone(area, try_here.object_id));
            tstuff placed{};
            add_stuff(try_here, area, depth, placed);
            if (on_map(placed.result_x, placed.result_y)) {
                tcell& c = cell_at(placed.result_x, placed.result_y);
                c.splash = 0;
                c.splash_amount() = 0;
                result_x = placed.result_x;
                result_y = placed.result_y;
                return true;
            }
            find_location(r, depth, r);
        }
        // A portal that cannot stand anywhere leaves the level without its way on: always fatal.
        if (r.no_relaxation != 0 || !relax_portal_request(r)) break;
    }
    error_log(depth,
              "Could not add portal " + std::to_string(portal) +
                  "! (level-index: " + std::to_string(level.index) + ", portal-type: " +
                  std::string(furniture_names[request.object_id <= 60 ? request.object_id : 0]) + ")",
              true);
    return false;
}

void set_portals(int depth) {
    depth = trace_enter(depth, trace_set_portals);
    for (std::size_t i = 1; i < portals.size(); ++i) {
        if (portals[i].level != level.index) continue;
        int x = 0, y = 0;
        add_portal(static_cast<int>(i), portals[i].request, depth, x, y);
        if (!on_map(x, y) || quit_requested()) return;
        tportal& p = portals[i];
        p.x = static_cast<uint8_t>(x);
        p.y = static_cast<uint8_t>(y);
        if (p.request.object_id != fu_teleporter) continue;
        if (p.hidden_teleporter != 0 && p.index % 2 == 0)
            remove_furniture(x, y, false, depth);
        else if (p.inactive == 0)
            cell_at(x, y).furniture_state = 1;
    }
}

tportal get_portal(int x, int y, int) {
    tportal result{};
    if (!on_map(x, y)) return result;
    for (std::size_t i = 1; i < portals.size() && result.level == 0; ++i) {
        const tportal& p = portals[i];
        if (p.x != x || p.y != y || p.level != level.index) continue;
        if (p.return_flag != 0 && p.return_level != game.came_from_level) continue;
        result = p;
    }
    return result;
}

tportal get_destination_portal(int x, int y, int depth) {
    depth = trace_enter(depth, trace_get_destination_portal);
    const tportal from = get_portal(x, y, depth);
    if (from.destination == 0 || from.destination >= portals.size()) return tportal{};
    return portals[from.destination];
}

int pick_spawn_portal(const std::vector<int>& kinds) {
    auto number_portals = [](int kind) {
        int n = 0;
        for (std::size_t i = 1; i < portals.size(); ++i) {
            tportal& p = portals[i];
            const bool fits = on_current_level(p) && (kind == 0 ? cell_at(p.x, p.y).furniture != 0
                                                                : cell_at(p.x, p.y).furniture == kind);
            p.spawn_ordinal = fits ? static_cast<uint16_t>(++n) : 0;
        }
        return n;
    };
    int n = 0;
    if (kinds.empty()) n = number_portals(0);
    for (int kind : kinds) {
        n = number_portals(kind);
        if (n > 0) break;
    }
    if (n == 0) return 0;
    const int pick = random(n) + 1;
    for (std::size_t i = 1; i < portals.size(); ++i)
        if (portals[i].spawn_ordinal == pick) return static_cast<int>(i);
    return 0;
}

bool portal_at(int x, int y) {
    for (std::size_t i = 1; i < portals.size(); ++i) {
        const tportal& p = portals[i];
        if (p.return_flag != 0 && p.x == x && p.y == y && on_current_level(p)) return true;
    }
    return false;
}

} // namespace dravok
