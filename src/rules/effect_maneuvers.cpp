// Movement and attack maneuvers.
#include "rules/effect_maneuvers.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"
#include "rules/move_checks.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "generation/areas.h"
#include "generation/locations.h"
#include "rules/action_time.h"
#include "rules/area_switch.h"
#include "rules/being_creation.h"
#include "rules/effect_support.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/followers.h"
#include "rules/melee.h"
#include "rules/movement.h"
#include "rules/ranged.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/services.h"
#include "world/tables.h"

namespace dravok {

namespace {

constexpr int blink_tries = 50;
constexpr int blink_margin = 10;
constexpr int blink_margin_steps = 5;
constexpr int spot_tries = 100;
constexpr int teleport_tries = 100;
constexpr int teleport_relaxed_from = 51;
constexpr int max_teleport_exit_cells = 200;
constexpr int default_animation = 14;
constexpr int pull_beam = 1; // the jagged beam that pulls a being into the room
constexpr int last_animation = 19;
constexpr int maneuver_animation = 4;
constexpr int sweep_animation = 8;
constexpr int hit_bonus = 0, polearm_multiplier = 4;
constexpr int charge_hit_bonus = 3, charge_polearm_bonus = 2;
constexpr int follow_up_penalty = 2;
constexpr int pulled_delay = 40;
constexpr int teleport_time = 20;
constexpr int teleport_switch_factor = 4;
constexpr int directions = 8;

using modifiers = std::array<uint8_t, 5>;

modifiers save_modifiers(int b) {
    modifiers m{};
    std::memcpy(m.data(), beings[b].attack_modifiers, m.size());
    return m;
}
void restore_modifiers(int b, const modifiers& m) {
    std::memcpy(beings[b].attack_modifiers, m.data(), m.size());
}
void add_modifier(int b, int which, int amount) {
    beings[b].attack_modifiers[which] = uint8_t(beings[b].attack_modifiers[which] + amount);
}

int animation_of(const teffect& e) {
    return e.animate_cells >= 1 && e.animate_cells <= last_animation ? e.animate_cells : default_animation;
}

void animate_cell(int x, int y, int kind) {
    add_cell_animation(x, y, kind, 1, 1);
}

// The maneuver's target, 0 when it is gone; the sentence so far goes to the log first.
int maneuver_target(int user, const teffect& e) {
    if (!is_being_ok(user)) return 0;
    const int t = find_being_by_serial(e.target);
    if (t < 1 || !is_being_ok(t) || beings[t].present == 0) return 0;
    if (!message_text.empty()) add_message(message_text);
    message_text.clear();
    return t;
}

void maneuver_time(int user, const teffect& e) {
    if (!is_being_ok(user) || e.talent < 1 || e.talent >= int(talents.size())) return;
    const int t = talents[e.talent].action_time;
    if (t != 0) beings[user].next_action_time = game.game_clock + uint32_t(action_time(user, t));
}

// A landing cell taken only while the user still stands and the cell is free to enter.
bool may_land(int user, int x, int y, int depth) {
    depth = trace_enter(depth, trace_may_land);
    return is_being_ok(user) && on_map(x, y) && can_move_to(user, x, y, depth, true, false) == target_free;
}

void vanish_sentence(int user, bool seen) {
    if (seen) message_text += format_text(" %s vanishes!", {being_name(user, name_the_capital)});
}

// Charge and leap: land next to the target, strike with the bonuses, then the usual time.
void dash(int user, const teffect& e, bool polearm, int depth) {
    depth = trace_enter(depth, trace_dash);
    const int target = maneuver_target(user, e);
    if (target == 0) return;
    // The path lists the free cells toward the target and then the target: land on the last
    // free one, next to the target, however long the run.
    int last = 0;
    while (last < effect_cell_count && (e.cell(last + 1).x != 0 || e.cell(last + 1).y != 0))
        ++last;
    animate_cell(beings[user].x, beings[user].y, maneuver_animation);
    if (last >= 2) {
        const int x = e.cell(last - 1).x, y = e.cell(last - 1).y;
        animate_cell(x, y, maneuver_animation);
        if (may_land(user, x, y, depth)) place_being(user, x, y, depth);
    }
    const int d = get_direction_between_beings(user, target);
    const modifiers saved = save_modifiers(user);
    add_modifier(user, hit_bonus, charge_hit_bonus);
    if (polearm) add_modifier(user, polearm_multiplier, charge_polearm_bonus);
    melee_attack(user, target, d, depth);
    if (user < int(beings.size())) restore_modifiers(user, saved);
    if (is_being_ok(user)) beings[user].path = tpath{};
    maneuver_time(user, e);
}

bool in_ranged_reach(int user, int b) {
    const int d = get_being_distance(user, b);
    const tweapon_set& w = beings[user].weapon_set;
    return d <= 255 && d >= w.min_range && d <= w.max_range;
}

} // namespace

void apply_effect_blink(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_blink);
    if (!is_being_ok(user)) return;
    tbeing& u = beings[user];
    const int a = u.area;
    if (a < 1 || a >= int(areas.size())) return;
    u.path = tpath{};
    const bool seen = user != player && player_sees_being(user);
    tstuff request = blank_stuff;
    request.pattern = pattern_full_area;
    request.kind = request_being;
    int tries = blink_tries, margin = blink_margin, counter = blink_margin_steps;
    bool first = true;
    const int g = animation_of(e);
    clear_area_marks();
    while (tries > 0) {
        --tries;
        if (--counter == 0) {
            counter = blink_margin_steps;
            if (margin > 1) --margin;
        }
        int dest = 0;
        if (areas[a].exits != 0) {
            if (first) {
                dest = pick_neighbour_area(user, 0, true, false, false);
                if (dest == 0) first = false;
            }
            if (!first) dest = pick_neighbour_area(user, 0, true, true, false);
        } else if (areas[a].parent != 0) {
            dest = areas[a].parent;
        }
        if (dest < 1 || dest >= int(areas.size()) || areas[dest].restricted != 0) dest = a;
        request.area = uint16_t(dest);
        for (int s = 0; s < spot_tries; ++s) {
            tstuff found;
            find_location_spot(request, depth, found);
            const int x = found.result_x, y = found.result_y;
            if (!on_map(x, y) || count_occupied_cells_around(user, x, y, margin) != 0) continue;
            const int zone = cell_at(x, y).vault_zone;
            if (zone != 0 && zone != vz_main) continue;
            animate_cell(u.x, u.y, g);
            place_being(user, x, y, depth);
            enter_map_tile(user, depth);
            if (user != player && is_being_ok(user)) services.ai_see(user, depth);
            animate_cell(x, y, g);
            vanish_sentence(user, seen);
            if (is_being_ok(user)) beings[user].path = tpath{};
            return;
        }
    }
}

void apply_effect_teleport(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_teleport);
    if (!is_being_ok(user)) return;
    tbeing& u = beings[user];
    if (user == player && e.source == es_trap && on_map(u.x, u.y)) {
        level.target_x = u.x;
        level.target_y = u.y;
    }
    const bool seen = user != player && player_sees_being(user);
    tstuff request = blank_stuff;
    request.pattern = pattern_random;
    request.kind = request_being;
    request.content_required = e.destination_content;
    request.max_exit_cells = max_teleport_exit_cells;
    const int g = animation_of(e);
    const int area_count = int(areas.size()) - 1;
    for (int t = 1; t <= teleport_tries; ++t) {
        if (e.destination_content != 0) {
            tstuff picked;
            find_location(request, depth, picked);
            if (t >= teleport_relaxed_from && picked.area == 0) continue;
            request.area = picked.area;
        } else {
            if (area_count < 1) return;
            const int pick = random(area_count);
            request.area = uint16_t(pick + 1);
            if (areas[request.area].exit_cells == 0) continue;
        }
        tstuff found;
        find_location_spot(request, depth, found);
        const int x = found.result_x, y = found.result_y;
        if (!on_map(x, y)) continue;
        animate_cell(u.x, u.y, g);
        place_being(user, x, y, depth);
        if (is_being_ok(user)) services.ai_see(user, depth);
        animate_cell(x, y, g);
        if (!is_being_ok(user)) return;
        beings[user].next_action_time += uint32_t(action_time(user, teleport_time));
        vanish_sentence(user, seen);
        beings[user].path = tpath{};
        return;
    }
}

void apply_effect_teleport_level_being(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_teleport_level_being);
    if (!is_being_ok(user)) return;
    const int user_area = beings[user].area;
    std::vector<int> candidates;
    for (int b = 1; b < int(beings.size()); ++b) {
        const tbeing& c = beings[b];
        if (b == user || c.present == 0 || c.serial == 0 || c.asleep_counter != 0) continue;
        if (has_type_flag(c, tf_passive) || has_type_flag(c, tf_immobile) || has_type_flag(c, tf_summoned) ||
            has_type_flag(c, tf_animated) || has_type_flag(c, tf_ignore_switch_teleport))
            continue;
        if (c.area < 1 || c.area >= int(areas.size()) || areas[c.area].exit_cells < 1 || c.area == user_area)
            continue;
        candidates.push_back(b);
    }
    if (candidates.empty()) return;
    const int b = candidates[random(int(candidates.size()))];
    tstuff request = blank_stuff;
    request.pattern = pattern_center;
    request.kind = request_being;
    request.area = uint16_t(user_area);
    tstuff found;
    find_location_spot(request, depth, found);
    const int x = found.result_x, y = found.result_y;
    if (!on_map(x, y)) return;
    place_being(b, x, y, depth);
    beings[b].path = tpath{};
    beings[b].next_action_time = game.game_clock + pulled_delay;
    if (services.can_see(user, 0, x, y)) {
        animate_cell(x, y, default_animation);
        services.add_line(0, 0, e.aim.x, e.aim.y, x, y, pull_beam, false);
    }
    message_text += "$N" + format_text(" %s is teleported to the room!", {being_name(b, name_the_capital)});
    if (e.source == es_switch && break_area_switch(user_area, teleport_switch_factor))
        message_text += "$F The switch breaks!";
}

void apply_effect_charge(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_charge);
    dash(user, e, true, depth);
}

void apply_effect_leap(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_leap);
    dash(user, e, false, depth);
}

void apply_effect_retreat(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_retreat);
    const int target = maneuver_target(user, e);
    if (target == 0) return;
    const int d = get_direction_between_beings(user, target);
    animate_cell(beings[user].x, beings[user].y, maneuver_animation);
    melee_attack(user, target, d, depth);
    if (!is_being_ok(user)) return;
    const int back = (d + 3) % directions + 1; // the opposite direction
    const int x = beings[user].x + direction_steps[back].dx, y = beings[user].y + direction_steps[back].dy;
    if (may_land(user, x, y, depth)) {
        place_being(user, x, y, depth);
        enter_map_tile(user, depth);
    }
    if (is_being_ok(user)) beings[user].path = tpath{};
    maneuver_time(user, e);
}

void apply_effect_dualstrike(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_dualstrike);
    const int target = maneuver_target(user, e);
    if (target == 0) return;
    clear_being_turn_marks();
    const int d = get_direction_between_beings(user, target);
    animate_cell(beings[user].x, beings[user].y, maneuver_animation);
    const modifiers saved = save_modifiers(user);
    add_modifier(user, hit_bonus, -follow_up_penalty);
    melee_attack(user, target, d, depth);
    add_modifier(user, hit_bonus, -follow_up_penalty);
    if (is_being_ok(user) && is_being_ok(target) && beings[target].present != 0 && !beings[target].dying())
        melee_attack(user, target, d, depth);
    restore_modifiers(user, saved);
    maneuver_time(user, e);
}

void apply_effect_dualshot(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_dualshot);
    const int target = maneuver_target(user, e);
    if (target == 0) return;
    clear_being_turn_marks();
    animate_cell(beings[user].x, beings[user].y, maneuver_animation);
    const modifiers saved = save_modifiers(user);
    add_modifier(user, hit_bonus, -follow_up_penalty);
    ranged_attack(user, target, depth);
    add_modifier(user, hit_bonus, -follow_up_penalty);
    if (is_being_ok(user) && is_being_ok(target) && beings[target].present != 0 && !beings[target].dying() &&
        beings[user].weapon_set.ammunition_amount != 0)
        ranged_attack(user, target, depth);
    restore_modifiers(user, saved);
    maneuver_time(user, e);
}

void apply_effect_multistrike(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_multistrike);
    const int target = maneuver_target(user, e);
    if (target == 0) return;
    animate_cell(beings[user].x, beings[user].y, maneuver_animation);
    clear_being_turn_marks();
    int d = get_direction_between_beings(user, target);
    const int ux = beings[user].x, uy = beings[user].y;
    animate_cell(beings[target].x, beings[target].y, sweep_animation);
    melee_attack(user, target, d, depth);
    if (is_being_ok(target)) beings[target].turn_mark = 1;
    const int n = roll_dice_for_being(e.size_dice, user);
    int steps = 1, hits = 1;
    while (steps < directions && hits < n && is_being_ok(user)) {
        d = d % directions + 1;
        const int x = ux + direction_steps[d].dx, y = uy + direction_steps[d].dy;
        if (!on_map(x, y)) break;
        const int b = cell_at(x, y).being;
        if (b >= 1 && b < int(beings.size()) && b != user && beings[b].turn_mark == 0 &&
            !services.is_friendly(b, user, 0, true)) {
            animate_cell(x, y, sweep_animation);
            melee_attack(user, b, d, depth);
            if (is_being_ok(b)) beings[b].turn_mark = 1;
            ++hits;
        }
        ++steps;
    }
    maneuver_time(user, e);
}

void apply_effect_multishot(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_multishot);
    // The shots go at the beings of the listed cells; an area shape names no single target.
    if (!is_being_ok(user)) return;
    if (!message_text.empty()) add_message(message_text);
    message_text.clear();
    animate_cell(beings[user].x, beings[user].y, maneuver_animation);
    const modifiers saved = save_modifiers(user);
    const int n = roll_dice_for_being(e.size_dice, user);
    int count = 0;
    for (int i = 1; i <= effect_cell_count && count < n; ++i) {
        if (!is_being_ok(user) || beings[user].weapon_set.ammunition_amount == 0) break;
        const tcell_xy c = e.cell(i);
        if (c.x == 0 && c.y == 0) break;
        if (!on_map(c.x, c.y)) continue;
        const int b = cell_at(c.x, c.y).being;
        if (b < 1 || b >= int(beings.size()) || b == user || beings[b].present == 0 ||
            !in_ranged_reach(user, b))
            continue;
        ranged_attack(user, b, depth);
        ++count;
        add_modifier(user, hit_bonus, -follow_up_penalty);
    }
    if (user < int(beings.size())) restore_modifiers(user, saved);
    maneuver_time(user, e);
}

} // namespace dravok
