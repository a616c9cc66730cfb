#include "rules/being_checks.h"
#include "records/layout_being.h"
#include "records/layout_level.h"
#include "rules/move_checks.h"

#include <string_view>

#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "rules/checks.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/random.h"
#include "world/services.h"
#include "world/tables.h"

namespace dravok {

bool is_confined_in_cell(int being, bool check_exit) {
    if (!is_being_ok(being)) return false;
    const tbeing& b = beings[being];
    if (!has_type_flag(b, tf_spawned_in_cell) || !has_type_flag(b, tf_has_not_left_cell)) return false;
    const int zone = cell_at(b.x, b.y).vault_zone;
    if (zone < vz_first_cell || zone > vz_last_cell) return false;
    if (!check_exit) return true;
    const int area = cell_at(b.x, b.y).area;
    if (area < 1 || area >= int(areas.size())) return false;
    const auto& exit = areas[area].cell_zone_exits[zone - vz_first_cell];
    return on_map(exit.x, exit.y) && can_move_to(being, exit.x, exit.y, 0, true, true) < 1;
}

bool is_in_home_area(int being) {
    if (!is_being_ok(being)) return false;
    const tbeing& b = beings[being];
    return b.home_level == level.index && b.home_area != 0 && cell_at(b.x, b.y).area == b.home_area;
}

bool being_type_matches(int being, const int* types, int count, int, int other) {
    if (count < 1 || !is_being_ok(being)) return false;
    if (other != 0 && !is_being_ok(other)) return false;
    const tbeing& b = beings[being];
    if (other != 0 && types[0] >= tf_all && types[0] <= tf_all_except_same_race) {
        const tbeing& o = beings[other];
        switch (types[0]) {
        case tf_all:
            return true;
        case tf_same_plan:
            return b.plan == o.plan;
        case tf_all_except_same_plan:
            return b.plan != o.plan;
        case tf_same_type:
            return b.category == o.category;
        case tf_all_except_same_type:
            return b.category != o.category;
        case tf_same_race:
            return b.race == o.race;
        default:
            return b.race != o.race;
        }
    }
    for (int i = 0; i < count; ++i) {
        const int t = types[i];
        if (t >= 1 && t <= 219) {
            if (!has_type_flag(b, t)) return false;
        } else if (t <= 0) {
            if (-t < type_flag_count && has_type_flag(b, -t)) return false;
        } else if (b.plan != t - 219) {
            return false;
        }
    }
    return true;
}

int ability_check_roll(int b, int ability, int difficulty, bool take_best) {
    constexpr int spirit = 4;
    constexpr int calm_distance = 6; // no hostile this close: a careful being may take its time
    tbeing& being = beings[b];
    int roll = roll_dice(d20_dice);
    if (take_best && (being.nearest_hostile == 0 || being.nearest_hostile >= calm_distance))
        roll = max_dice(d20_dice, 0);
    // Adjacent hostiles distract; a strong spirit keeps its head (the penalty may turn into a bonus).
    int penalty = being.adjacent_hostiles;
    if (penalty != 0) penalty -= at1(being.ability_modifier, spirit);
    return at1(being.ability_modifier, ability) + roll - penalty - difficulty;
}

void statues_to_beings(int revealer, int area, int chance, int depth) {
    depth = trace_enter(depth, trace_statues_to_beings);
    constexpr int reach = 5, distance_weight = 3, chance_step = 10;
    if (!is_being_ok(revealer) || area < 1 || area >= int(areas.size())) return;
    tarea& a = areas[area];
    const tbeing& r = beings[revealer];
    for (int x = a.x1; x <= a.x2 && chance >= 1; ++x)
        for (int y = a.y1; y <= a.y2 && chance >= 1; ++y) {
            if (!on_map(x, y)) continue;
            const tcell& c = cell_at(x, y);
            if (c.area != area || !is_statue_like(c.furniture) || c.hidden_creature == 0) continue;
            const int distance = get_distance(r.x, r.y, x, y);
            if (distance > reach || services.can_see(revealer, 0, x, y) == 0) continue;
            const int roll = d100();
            if (roll + distance_weight * distance > chance) continue;
            reveal_living_statue(revealer, x, y, depth);
            chance -= chance_step;
            if (a.rules_counter > 0) --a.rules_counter;
        }
}

void reveal_statues_and_mimics(int revealer, int area, int chance, int depth, int most, int range) {
    depth = trace_enter(depth, trace_reveal_statues_and_mimics);
    constexpr int distance_weight = 3, chance_step = 10;
    if (!is_being_ok(revealer) || area < 1 || area >= int(areas.size())) return;
    tarea& a = areas[area];
    for (int x = a.x1; x <= a.x2 && chance >= 1 && most >= 1; ++x)
        for (int y = a.y1; y <= a.y2 && chance >= 1 && most >= 1; ++y) {
            if (!on_map(x, y)) continue;
            const tcell& c = cell_at(x, y);
            if (c.area != area || c.hidden_creature == 0 || c.hidden_creature >= being_plans.size()) continue;
            const bool statue = is_statue_like(c.furniture);
            if (!statue &&
                being_plans[c.hidden_creature].identifier.view().find("mimic") == std::string_view::npos)
                continue;
            const tbeing& r = beings[revealer];
            const int distance = get_distance(r.x, r.y, x, y);
            if (distance > range || services.can_see(revealer, 0, x, y) == 0) continue;
            const int roll = d100();
            if (roll + distance_weight * distance > chance) continue;
            if (statue) {
                reveal_living_statue(revealer, x, y, depth);
                if (a.rules_counter > 0) --a.rules_counter;
            } else {
                reveal_mimic(revealer, x, y, depth);
            }
            chance -= chance_step;
            --most;
        }
}

} // namespace dravok
