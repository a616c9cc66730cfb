#include "generation/stuff.h"

#include "generation/areas.h"
#include "generation/floor_symbols.h"
#include "generation/grids.h"
#include "generation/locations.h"
#include "records/layout_plans.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/random.h"
#include "world/services.h"
#include "world/spawn_candidates.h"
#include "world/tables.h"

namespace dravok {

namespace {

// Random creature rows may pick one template any number of times.
constexpr int any_number_of_picks = 65535;
constexpr int creature_row_min_cells = 49;
constexpr int exit_demand_from_areas = 10;
constexpr int wanderer_chance = 34;
constexpr int behaviour_stationary = 1, behaviour_wandering = 2;
constexpr int text_zone_first = 47, text_zone_last = 52;

bool is_random_kind(int kind) {
    return kind == request_random_item || kind == request_random_being || kind == request_random_trap;
}

bool places_being(int kind) {
    return kind == request_being || kind == request_random_being;
}

bool is_trap_plan(const titem_plan& p) {
    return p.flags[if_trap] != 0;
}

// The level's item ranking: templates that may still be created at this depth, traps or the
// rest, numbered 1..n; a template picked max_picks times (0: no limit) drops out.
int rank_level_item_plans(bool traps, int max_picks, bool reset) {
    int n = 0;
    for (std::size_t i = 1; i < item_plans.size(); ++i) {
        titem_plan& p = item_plans[i];
        p.choice = 0;
        if (reset) p.picked = 0;
        if (is_trap_plan(p) != traps) continue;
        if (max_picks != 0 && p.picked >= max_picks) continue;
        if (p.level_limit != 0 && p.created_on_level >= p.level_limit) continue;
        if (p.game_limit != 0 && p.created_in_game >= p.game_limit) continue;
        if (p.min_depth != 0 && p.min_depth > level.item_depth) continue;
        if (p.max_depth != 0 && p.max_depth < level.item_depth) continue;
        p.choice = static_cast<uint16_t>(++n);
    }
    return n;
}

int pick_level_item_plan(int n) {
    if (n < 1) return 0;
    const int r = random(n) + 1;
    for (std::size_t i = 1; i < item_plans.size(); ++i)
        if (item_plans[i].choice == r) {
            ++item_plans[i].picked;
            return static_cast<int>(i);
        }
    return 0;
}

int row_item_cap(const tstuff& row) {
    return row.use_item_cap != 0 ? level.item_cap : row.pick_cap;
}

int row_spawn_group(const tstuff& row) {
    return row.spawn_group_slot == 1 ? level.spawn_group : row.pick_cap;
}

int rank_row_templates(const tstuff& row, bool reset) {
    if (row.kind == request_random_being)
        return number_spawnable_plans(row_spawn_group(row), reset, any_number_of_picks);
    return rank_level_item_plans(row.kind == request_random_trap, row_item_cap(row), reset);
}

bool is_hiding_furniture(int f) {
    return (f >= fu_statue_gargoyle && f <= fu_statue_clonomancer) || f == fu_stalagmite ||
           f == fu_target_dummy || f == fu_tube;
}

void set_single_cell_zone(int area, int zone, int x, int y) {
    areas[area].zone(zone) = tzone_rect{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 1, 1};
    mark_vault_zone_cells(area, zone);
}

void after_furniture(const tstuff& req, int x, int y) {
    tcell& c = cell_at(x, y);
    c.furniture_extra1() = req.furniture_extra1;
    c.furniture_extra2() = req.furniture_extra2;
    const int area = c.area;
    if (req.object_id == fu_text && req.zone_below == 0 &&
        !(c.vault_zone >= text_zone_first && c.vault_zone <= text_zone_last) && is_area_ok(area)) {
        for (int z = text_zone_first; z <= text_zone_last; ++z)
            if (areas[area].zone(z).x == 0) {
                set_single_cell_zone(area, z, x, y);
                break;
            }
    }
}

void after_zone_below(const tstuff& req, int x, int y, int depth) {
    depth = trace_enter(depth, trace_after_zone_below);
    int z = req.zone_below;
    if (z < 1 || z > zone_count) return;
    if (req.pattern >= pattern_first_shape && req.pattern <= pattern_last_shape) z += req.shape_step - 1;
    if (z > zone_count || !on_map(x, y + 1) || get_furniture(x, y + 1, 0) != 0) return;
    const int area = cell_at(x, y).area;
    if (!is_area_ok(area)) return;
    set_single_cell_zone(area, z, x, y + 1);
    if (z >= text_zone_first && z <= text_zone_last) add_furniture(x, y + 1, fu_text, depth);
}

void after_hidden_creature(const tstuff& req, int x, int y) {
    if (req.hidden_creature == 0) return;
    const int roll = d100();
    if (roll > roll_dice(req.hidden_creature_chance)) return;
    tcell& c = cell_at(x, y);
    c.hidden_creature = static_cast<uint16_t>(req.hidden_creature);
    if (is_hiding_furniture(c.furniture) && is_area_ok(c.area)) ++areas[c.area].rules_counter;
}

void after_being(const tstuff& req, int b) {
    if (b < 1 || b >= static_cast<int>(beings.size())) return;
    tbeing& being = beings[b];
    const bool stationary_content = req.owner_content >= 1 && req.owner_content < contents.size() &&
                                    contents[req.owner_content].stationary != 0;
    if (stationary_content && req.population_row == 0 && being.behaviour == behaviour_wandering)
        being.behaviour = behaviour_stationary;
    if (req.kind == request_random_being && req.population_row != 0) {
        being.type_flags[tf_created_from_level_stuff] = 1;
        if (being.behaviour == behaviour_stationary) {
            const int roll = d100();
            if (roll < wanderer_chance) being.behaviour = behaviour_wandering;
        }
    }
}

void place_piece(const tstuff& req, const tstuff& row, int x, int y, int depth) {
    depth = trace_enter(depth, trace_place_piece);
    switch (req.kind) {
    case request_furniture:
        add_furniture(x, y, req.object_id, depth);
        after_furniture(req, x, y);
        break;
    case request_item: {
        tdice amount = row.count;
        if (!is_stackable_item_plan(req.object_id)) make_fixed_dice(1, amount);
        add_item_to_level(x, y, blank_item, depth, amount, req.object_id);
        break;
    }
    case request_random_item:
        add_item_to_level(x, y, blank_item, depth, item_plans[req.object_id].amount, req.object_id);
        break;
    case request_being:
    case request_random_being:
        after_being(req, services.add_being_to_level(x, y, blank_being, depth, req.object_id));
        break;
    case request_trap:
    case request_random_trap: {
        const int strength = roll_dice(req.trap_strength);
        add_trap(0, x, y, depth, req.trap_value, strength, req.object_id);
        break;
    }
    case request_splash:
        add_splash(x, y, 0, 0, req.object_id, 0);
        break;
    default:
        break;
    }
    after_zone_below(req, x, y, depth);
    if (req.kind == request_furniture) after_hidden_creature(req, x, y);
}

} // namespace

bool relax_stuff_row(tstuff& row) {
    if (row.no_content != 0) {
        row.no_content = 0;
        return true;
    }
    if (row.no_being != 0) {
        row.no_being = 0;
        return true;
    }
    if (row.passable_exits != 0) {
        row.passable_exits = 0;
        return true;
    }
    return false;
}

void add_stuff(const tstuff& row, int area, int depth, tstuff& out) {
    depth = trace_enter(depth, trace_add_stuff);
    out = row;
    out.pieces_placed = 0;
    out.result_x = out.result_y = 0;
    tstuff req = row;
    req.width = req.height = 1;
    req.area = static_cast<uint16_t>(area);
    const bool random_kind = is_random_kind(row.kind);
    int eligible = 0;
    if (random_kind) {
        eligible = rank_row_templates(row, true);
        if (eligible == 0) return;
    } else if (row.object_id == 0) {
        return;
    }
    if ((row.kind == request_trap || row.kind == request_random_trap) && !is_dice_set(req.trap_strength))
        req.trap_strength = dungeon.trap;

    const int chance = roll_dice(row.chance);
    const int roll = d100();
    if (chance < roll) {
        out.chance = tdice{};
        return;
    }
    out.chance.bonus = 100;
    if (req.pattern == 0) req.pattern = pattern_random;
    if (req.zone == 0) req.zone = vz_main;
    if (row.kind == request_floor_symbol) {
        if (req.area == 0) find_location(req, depth, req);
        place_floor_symbol(req, req.area, out);
        return;
    }

    int n = 0;
    if (row.kind == request_item && is_stackable_item_plan(row.object_id))
        n = 1;
    else if (random_kind && row.count.all_flag != 0)
        n = eligible;
    else
        n = roll_dice(row.count);

    int placed = 0;
    int used_area = area;
    for (int piece = 1; piece <= n; ++piece) {
        if (random_kind) {
            const int plan = row.kind == request_random_being ? pick_spawn_being_plan(eligible)
                                                              : pick_level_item_plan(eligible);
            if (plan == 0) break;
            req.object_id = static_cast<uint16_t>(plan);
        }
        if (places_being(row.kind) && req.object_id < being_plans.size()) {
            req.width = std::max<uint8_t>(being_plans[req.object_id].width, 1);
            req.height = std::max<uint8_t>(being_plans[req.object_id].height, 1);
        }
        if (req.area == 0) find_location(req, depth, req);
        if (req.area == 0) {
            if (row.population_row == 0 || !random_kind) break;
            if (!relax_stuff_row(req)) {
                out.chance = tdice{};
                break;
            }
            clear_area_marks();
            continue;
        }
        used_area = req.area;
        find_location_spot(req, depth, req);
        if (on_map(req.result_x, req.result_y)) {
            ++placed;
            out.result_x = req.result_x;
            out.result_y = req.result_y;
            place_piece(req, row, req.result_x, req.result_y, depth);
        }
        if (row.new_area_per_piece != 0) req.area = 0;
        if (random_kind) eligible = rank_row_templates(row, false);
    }
    out.area = static_cast<uint16_t>(used_area);
    out.pieces_placed = static_cast<uint16_t>(placed);
}

void add_level_stuff(int depth) {
    depth = trace_enter(depth, trace_add_level_stuff);
    bool previous_placed = false, item_placed = false, creature_placed = false;
    int chained_area = 0;
    for (int i = 1; i <= level_stuff_count; ++i) {
        tstuff row = level.stuff_row(i);
        if (row.kind == 0) continue;
        if (row.if_previous_placed != 0 && !previous_placed) continue;
        if (row.if_previous_not_placed != 0 && previous_placed) continue;
        if (row.if_no_item != 0 && item_placed) continue;
        if (row.if_no_creature != 0 && creature_placed) continue;
        if (places_being(row.kind)) {
            if (row.min_cells == 0) row.min_cells = creature_row_min_cells;
            if (row.area_kind == 0 && row.content_required == 0 &&
                area_high_index() > exit_demand_from_areas) {
                row.min_exit_cells = 1;
                row.passable_exits = 1;
            }
        }
        row.area_choice = choose_random;
        if (row.content == 0) row.no_content = 1;
        const int area = row.use_previous_area != 0 ? chained_area : 0;
        tstuff out{};
        for (;;) {
            clear_area_marks();
            add_stuff(row, area, depth, out);
            if (out.pieces_placed > 0 || !is_dice_set(out.chance)) break;
            row.chance = out.chance;
            if (!relax_stuff_row(row)) break;
        }
        const bool placed = out.pieces_placed > 0;
        if (!placed && row.mandatory != 0) break;
        if (placed) chained_area = out.area;
        previous_placed = placed;
        if (placed && (row.kind == request_item || row.kind == request_random_item)) item_placed = true;
        if (placed && places_being(row.kind)) creature_placed = true;
    }
    if (level.hub != 0) services.place_demigods(depth);
}

} // namespace dravok
