#include "generation/contents.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "generation/areas.h"
#include "generation/doorways.h"
#include "generation/floor_symbols.h"
#include "generation/grids.h"
#include "generation/locations.h"
#include "generation/stuff.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/item_creation.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/map_grid.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok {

namespace {

constexpr int shuffle_swaps = 50;
constexpr int max_varied_exit_cells = 4;

} // namespace

bool content_eligible(int group, int content) {
    if (content < 1 || content >= static_cast<int>(contents.size())) return false;
    const tcontent& c = contents[content];
    if (c.used) return false;
    if (c.max_per_game != 0 && c.count_game >= c.max_per_game) return false;
    if (c.max_per_level != 0 && c.count_level >= c.max_per_level) return false;
    for (uint16_t g : c.groups) {
        if (g == 0) break;
        if (g == group) return true;
    }
    return false;
}

int rank_content_templates(int group, bool reset) {
    for (std::size_t i = 1; i < contents.size(); ++i) {
        tcontent& c = contents[i];
        c.ordinal = 0;
        if (reset) {
            c.count_level = 0;
            c.used = 0;
        }
    }
    if (group == 0) return 0;
    int n = 0;
    for (std::size_t i = 1; i < contents.size(); ++i)
        if (content_eligible(group, static_cast<int>(i))) contents[i].ordinal = static_cast<uint16_t>(++n);
    return n;
}

int pick_ranked_content(int n) {
    if (n < 1) return 0;
    const int r = random(n) + 1;
    for (std::size_t i = 1; i < contents.size(); ++i)
        if (contents[i].ordinal == r) return static_cast<int>(i);
    return 0;
}

int next_ranked_content(int content) {
    for (std::size_t i = static_cast<std::size_t>(std::max(content, 0)) + 1; i < contents.size(); ++i)
        if (contents[i].ordinal != 0) return static_cast<int>(i);
    return 0;
}

void find_area_for_content(int, int content, int depth, tstuff& out) {
    depth = trace_enter(depth, trace_find_area_for_content);
    out = blank_stuff;
    if (content < 1 || content >= static_cast<int>(contents.size())) return;
    const tcontent& c = contents[content];
    std::array<tstuff, content_area_request_count> requests{};
    int k = 0;
    // Each request places this content, so an area that already holds one is never chosen and
    // a vault must offer every zone the content's rows use.
    for (int i = 1; i <= content_area_request_count; ++i) {
        requests[i - 1] = c.area_requests[i - 1];
        if (requests[i - 1].content == 0) requests[i - 1].content = static_cast<uint16_t>(content);
    }
    for (const tstuff& r : requests)
        if (r.area_kind != 0) ++k;
    const int shuffle = d100();
    if (shuffle <= c.shuffle_chance) {
        if (k == 2) {
            std::swap(requests[0], requests[1]);
        } else if (k >= 3) {
            for (int i = 0; i < shuffle_swaps; ++i) {
                const int a = random(k) + 1;
                const int b = random(k) + 1;
                if (a != b) std::swap(requests[a - 1], requests[b - 1]);
            }
        }
    }
    for (int i = 1; i <= std::max(k, 1) && out.area == 0; ++i) {
        if (i > 1 && requests[i - 1].area_kind == 0) continue;
        clear_area_marks();
        find_location(requests[i - 1], depth, out);
    }
}

namespace {

constexpr int unified_floor_group = 59;
constexpr int brazier_above = 70;

bool in_list(int f, std::initializer_list<int> list) {
    for (int x : list)
        if (x == f) return true;
    return false;
}

void clear_area_furniture(int area, std::initializer_list<int> furniture) {
    const tarea& a = areas[area];
    for (int x = a.x1; x <= a.x2; ++x)
        for (int y = a.y1; y <= a.y2; ++y)
            if (on_map(x, y) && cell_at(x, y).area == area && in_list(get_furniture(x, y, 0), furniture))
                remove_furniture(x, y, false, 0);
}

// Every floor cell of the area, rectangle column by column.
template <typename F> void for_area_floor(int area, F f) {
    const tarea& a = areas[area];
    for (int x = a.x1; x <= a.x2; ++x)
        for (int y = a.y1; y <= a.y2; ++y)
            if (on_map(x, y) && cell_at(x, y).area == area && is_floor(x, y, 0)) f(x, y, cell_at(x, y));
}

// The request's shape lands its first `steps` pieces on free floor of the area.
bool shape_fits(const tstuff& row, int area, int steps, int depth) {
    depth = trace_enter(depth, trace_shape_fits);
    tstuff r = row;
    r.area = static_cast<uint16_t>(area);
    r.width = r.height = 1;
    r.shape_step = 0;
    for (int i = 0; i < steps; ++i) {
        tstuff out{};
        find_location_spot(r, depth, out);
        if (!on_map(out.result_x, out.result_y)) return false;
        r.shape_step = out.shape_step;
    }
    return true;
}

bool unify_wanted(int area) {
    const int v = areas[area].vault;
    return v >= 1 && v < static_cast<int>(vaults.size()) && vaults[v].group_flag(unified_floor_group) != 0;
}

} // namespace

void unify_area_floor(int area) {
    if (!is_area_ok(area)) return;
    int kind = 0;
    for_area_floor(area, [&](int, int, tcell& c) {
        if (kind == 0 && c.block % 2 == 1) kind = c.block;
    });
    if (kind == 0) return;
    for_area_floor(area, [&](int, int, tcell& c) { c.block = static_cast<uint8_t>(kind); });
}

void even_area_floor(int area) {
    if (!is_area_ok(area) || areas[area].kind < area_special) return;
    // An odd floor kind is the base colour; its light shade is the even kind above it.
    for_area_floor(area, [](int, int, tcell& c) {
        if (c.block % 2 == 1) ++c.block;
    });
}

void vary_area_floor(int area) {
    if (!is_area_ok(area)) return;
    const tarea& a = areas[area];
    const bool kind_fits = (a.kind >= area_room && a.kind <= area_polygon) || a.kind >= area_special;
    if (!kind_fits || a.exit_cells > max_varied_exit_cells || !on_map(a.centre_x, a.centre_y)) return;
    const int k = cell_at(a.centre_x, a.centre_y).block;
    for_area_floor(area, [&](int x, int y, tcell& c) {
        if (c.block == k && ((x - a.x1) + (y - a.y1)) % 2 == 1) c.block = static_cast<uint8_t>(k + 1);
    });
}

void add_content_light(const tstuff& request, int depth) {
    depth = trace_enter(depth, trace_add_content_light);
    const int area = request.area;
    if (!is_area_ok(area)) {
        error_log(depth,
                  "Area-index (" + std::to_string(area) +
                      ") out of bounds! (areas: " + std::to_string(area_high_index()) + ")",
                  true);
        return;
    }
    tstuff r = blank_stuff;
    r.area = static_cast<uint16_t>(area);
    r.kind = request_furniture;
    r.zone = vz_main;
    r.max_exit_cells = 200;
    if (areas[area].kind == area_room) {
        r.object_id = fu_light_torch;
        r.pattern = pattern_wall;
    } else {
        const int roll = d100();
        r.object_id = roll > brazier_above ? fu_light_brazier : fu_light_stand;
        r.pattern = pattern_center;
    }
    tstuff out{};
    find_location_spot(r, depth, out);
    if (!on_map(out.result_x, out.result_y) && r.object_id == fu_light_torch) {
        r.object_id = fu_light_stand;
        r.pattern = pattern_center;
        find_location_spot(r, depth, out);
    }
    if (on_map(out.result_x, out.result_y)) add_furniture(out.result_x, out.result_y, r.object_id, depth);
}

void add_content_stuff(int content, const tstuff& request, int depth) {
    depth = trace_enter(depth, trace_add_content_stuff);
    const int area = request.area;
    if (content < 1 || content >= static_cast<int>(contents.size()) || !is_area_ok(area)) return;
    tcontent& c = contents[content];
    ++c.count_level;
    ++c.count_game;
    const int statues = d100();
    if (statues <= c.remove_statues)
        clear_area_furniture(area, {fu_statue_gargoyle, fu_statue_humanoid, fu_statue_symbol, fu_statue_other,
                                    fu_statue_clonomancer});
    const int pillars = d100();
    if (pillars <= c.remove_pillars) clear_area_furniture(area, {fu_pillar, fu_pillar_broken});
    const int light = d100();
    if (light <= c.light_chance) add_content_light(request, depth);
    bool unify_pending = false, skip_symbols = false;
    if (unify_wanted(area)) {
        const int unify = d100();
        if (unify <= c.unify_floor) {
            unify_area_floor(area);
        } else {
            unify_pending = true;
            const int skip = d100();
            skip_symbols = skip <= c.skip_symbols;
        }
    }
    enchant_depth_bonus = c.item_bonus;
    content_creature_bonus = c.creature_bonus;

    // Pick-one groups: one fitting member of each group is given a sure chance.
    std::vector<int> fitting;
    for (int i = 1; i <= content_stuff_count; ++i) {
        tstuff& row = c.stuff_row(i);
        if (row.group_first != 0) fitting.clear();
        if (row.group_member != 0) {
            row.chance = tdice{};
            bool fits = true;
            if (row.kind == request_floor_symbol)
                fits = floor_symbol_fits(row, area);
            else if (row.kind == request_furniture && row.pattern >= pattern_first_shape &&
                     row.pattern <= pattern_last_shape)
                fits = shape_fits(row, area, max_dice(row.count, 0), depth);
            row.group_chosen = fits ? 1 : 0;
            if (fits) fitting.push_back(i);
        }
        if (row.group_last != 0 && !fitting.empty()) {
            const int pick = fitting[random(static_cast<int>(fitting.size()))];
            for (int f : fitting)
                c.stuff_row(f).group_chosen = f == pick ? 1 : 0;
            make_fixed_dice(100, c.stuff_row(pick).chance);
            fitting.clear();
        }
    }

    bool previous_placed = false, item_placed = false, creature_placed = false;
    for (int i = 1; i <= content_stuff_count; ++i) {
        tstuff row = c.stuff_row(i);
        if (row.kind == 0) break;
        row.owner_content = static_cast<uint16_t>(content);
        if (row.lowest_level != 0 &&
            (level.index < row.lowest_level || (row.highest_level != 0 && level.index > row.highest_level)))
            continue;
        if (row.group_member != 0 && row.group_chosen == 0) continue;
        if (row.kind == request_floor_symbol && skip_symbols) continue;
        if (row.if_previous_placed != 0 && !previous_placed) continue;
        if (row.if_previous_not_placed != 0 && previous_placed) continue;
        if (row.if_no_item != 0 && item_placed) continue;
        if (row.if_no_creature != 0 && creature_placed) continue;
        tstuff out{};
        clear_area_marks();
        add_stuff(row, area, depth, out);
        previous_placed = out.pieces_placed > 0;
        if (previous_placed && (row.kind == request_item || row.kind == request_random_item))
            item_placed = true;
        if (previous_placed && (row.kind == request_being || row.kind == request_random_being))
            creature_placed = true;
        if (previous_placed && row.kind == request_floor_symbol && unify_pending) {
            const int unify = d100();
            if (unify <= c.unify_after_symbol) {
                unify_area_floor(area);
                unify_pending = false;
            }
        }
        if (!previous_placed && row.mandatory != 0) break;
    }
    enchant_depth_bonus = 0;
    content_creature_bonus = 0;

    lock_area_furniture(area, c.chest_lock_chance, fu_chest, c.lock, c.lock_value, depth);
    tarea& a = areas[area];
    const int ex = a.origin_x, ey = a.origin_y;
    const int lockable = d100();
    if (lockable <= c.lockable_entrance && on_map(ex, ey) && is_doorway(ex, ey, false, 0) != 0 &&
        (get_furniture(ex, ey, 0) == 0 || get_furniture(ex, ey, 0) == fu_door))
        add_furniture(ex, ey, fu_door_lockable, depth);
    const int secret = d100();
    if (secret <= c.secret_entrance && on_map(ex, ey) && is_door(ex, ey, -1, 0) &&
        !is_area_edge_point(ex, ey))
        create_secret_door(ex, ey, dungeon.secret_door, depth);
    a.restricted = c.restricted;
    a.no_creatures = c.no_creatures_or_portals;
    const int even = d100();
    if (even <= c.even_floor) even_area_floor(area);
    const int vary = d100();
    if (vary <= c.floor_variation) {
        if (a.kind >= area_special) unify_area_floor(area);
        vary_area_floor(area);
    }
    dim_area_lights(area, c.dim_chance, depth);
    a.content = content;
}

void add_forced_contents(int depth) {
    depth = trace_enter(depth, trace_add_forced_contents);
    for (int i = 1; i <= level_forced_content_count; ++i) {
        const int c = level.forced_contents[i - 1];
        if (c == 0) continue;
        tstuff found{};
        find_area_for_content(i, c, depth, found);
        // A forced content that finds no area ends the pass.
        if (found.area == 0) return;
        add_content_stuff(c, found, depth);
    }
}

void set_level_themes(int depth) {
    depth = trace_enter(depth, trace_set_level_themes);
    for (int i = 1; i <= level_theme_count; ++i) {
        const ttheme& theme = level.theme(i);
        if (theme.group == 0) break;
        int n = rank_content_templates(theme.group, false);
        const bool all = theme.count.all_flag != 0;
        const int count = all ? n : roll_dice(theme.count);
        int previous = 0;
        for (int k = 0; k < count; ++k) {
            const int c = all ? next_ranked_content(previous) : pick_ranked_content(n);
            if (c == 0) break;
            previous = c;
            tstuff found{};
            find_area_for_content(i, c, depth, found);
            if (found.area != 0)
                add_content_stuff(c, found, depth);
            else
                contents[c].used = 1;
            if (!all) n = rank_content_templates(theme.group, false);
        }
    }
}

void lock_area_furniture(int area, int chance, int furniture, const tdice& formula, int value, int depth) {
    depth = trace_enter(depth, trace_lock_area_furniture);
    if (chance == 0) return;
    const tdice& lock = is_dice_set(formula) ? formula : dungeon.lock;
    const int lock_value = value != 0 ? value : dungeon.lock_value;
    const bool one_area = is_area_ok(area);
    const int x1 = one_area ? areas[area].x1 : 1, x2 = one_area ? areas[area].x2 : map_size;
    const int y1 = one_area ? areas[area].y1 : 1, y2 = one_area ? areas[area].y2 : map_size;
    for (int x = x1; x <= x2; ++x)
        for (int y = y1; y <= y2; ++y) {
            if (!on_map(x, y)) continue;
            tcell& c = cell_at(x, y);
            if ((one_area && c.area != area) || c.furniture != furniture) continue;
            if (c.lock != 0 || c.key_item != 0 || c.hidden_creature != 0) continue;
            const int roll = d100();
            if (roll > chance) continue;
            c.furniture_state = 0;
            c.lock = static_cast<uint8_t>(roll_dice(lock));
            c.key_item = static_cast<uint16_t>(lock_value);
            update_furniture_state(x, y, depth);
        }
}

void doors_to_mimics(int area, int chance, int creature_template, int secret_doors, int) {
    const bool one_area = is_area_ok(area);
    const int x1 = one_area ? areas[area].x1 : 1, x2 = one_area ? areas[area].x2 : map_size;
    const int y1 = one_area ? areas[area].y1 : 1, y2 = one_area ? areas[area].y2 : map_size;
    for (int x = x1; x <= x2; ++x)
        for (int y = y1; y <= y2; ++y) {
            if (!on_map(x, y)) continue;
            tcell& c = cell_at(x, y);
            if (one_area && c.area != area) continue;
            const int roll = d100();
            if (roll > chance || c.key_item != 0) continue;
            const bool fits =
                secret_doors == 0 ? is_door(x, y, 0, 0) && c.lock == 0 : is_secret_door(x, y, 0) != 0;
            if (fits) c.hidden_creature = static_cast<uint16_t>(creature_template);
        }
}

void dim_area_lights(int area, int chance, int) {
    if (chance == 0) return;
    const int first = is_area_ok(area) ? area : 1;
    const int last = is_area_ok(area) ? area : area_high_index();
    for (int a = first; a <= last; ++a) {
        const int roll = d100();
        if (roll > chance) continue;
        const tarea& r = areas[a];
        for (int x = r.x1; x <= r.x2; ++x)
            for (int y = r.y1; y <= r.y2; ++y)
                if (on_map(x, y) && cell_at(x, y).area == a && is_light(x, y, -1, 0))
                    cell_at(x, y).furniture_state = 1;
    }
}

} // namespace dravok
