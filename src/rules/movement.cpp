// Movement and bump actions.
#include "rules/movement.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "rules/effects.h"
#include "rules/move_checks.h"
#include "rules/traps.h"

#include <string>

#include "platform/desktop.h"
#include "platform/events.h"
#include "records/being_flags.h"
#include "rules/action_time.h"
#include "rules/after_damage.h"
#include "rules/being_checks.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/damage.h"
#include "rules/effect_names.h"
#include "rules/furniture.h"
#include "rules/interactions.h"
#include "rules/item_choice.h"
#include "rules/item_use.h"
#include "rules/lasting_effects.h"
#include "rules/melee.h"
#include "rules/search.h"
#include "rules/sound.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/history_file.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/services.h"
#include "world/state.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

constexpr int walking_sound = 4;
constexpr int body = 1;
constexpr int slime_splash = 5, blood_splash = 3;
constexpr int fu_light_first = 4, fu_light_last = 7;
constexpr int fu_item_first = 12, fu_open_item_first = 20, fu_item_last = 30;
constexpr int activate_golem_effect = 60;

struct toffset {
    int dx, dy;
};
// Per walk direction 1..4: the step, the three cells ahead (ahead-left, straight, ahead-right)
// and the two side cells (left, right).
constexpr toffset walk_step[5] = {{0, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}};
constexpr toffset walk_ahead[5][3] = {{},
                                      {{-1, -1}, {0, -1}, {1, -1}},
                                      {{1, -1}, {1, 0}, {1, 1}},
                                      {{1, 1}, {0, 1}, {-1, 1}},
                                      {{-1, 1}, {-1, 0}, {-1, -1}}};
constexpr toffset walk_side[5][2] = {
    {}, {{-1, 0}, {1, 0}}, {{0, -1}, {0, 1}}, {{1, 0}, {-1, 0}}, {{0, 1}, {0, -1}}};

// Whether a cell under the being holds a map effect harmful to it.
bool stands_in_harmful_map_effect(int b) {
    const tbeing& being = beings[b];
    for (int x = being.x; x < being.x + being.width; ++x)
        for (int y = being.y; y < being.y + being.height; ++y)
            if (on_map(x, y) && map_effect_grid(x, y).effect != 0 &&
                effect_harmful_for_being(b, teffect{}, map_effect_grid(x, y).effect, 0))
                return true;
    return false;
}

bool is_players_being(int b) {
    return b == player || has_type_flag(beings[b], tf_player);
}

// The struggle's cost: the time of a step spent in place, with the noise of it.
void pay_for_struggle(int b, int depth) {
    depth = trace_enter(depth, trace_pay_for_struggle);
    spend_time(b, action_time(b, 15));
    beings[b].last_action_kind = 2;
    check_sounds(b, 0, 0, depth, walking_sound);
}

void log_action(int b, const std::string& colour, std::string_view format, std::string_view verb_others,
                std::string_view verb_player) {
    std::string sentence;
    action_sentence(b, 0, format, sentence, verb_others, verb_player);
    if (!sentence.empty()) add_message(colour + sentence);
}

bool wall_at(int x, int y) {
    return on_map(x, y) && is_wall(x, y);
}
bool floor_at(int x, int y) {
    return on_map(x, y) && is_floor(x, y);
}

// Whether a continued walk may go on from the being's new cell.
bool run_goes_on(int b) {
    const tbeing& being = beings[b];
    const int x = being.x, y = being.y, d = state.walk_direction;
    if (cell_at(x, y).loose_items > 0) return false;
    for (const toffset& s : walk_side[d])
        if (on_map(x + s.dx, y + s.dy) && cell_at(x + s.dx, y + s.dy).furniture_value != 0) return false;
    const toffset left = walk_side[d][0], right = walk_side[d][1];
    switch (state.run_counter) {
    case 1: { // corridor
        int floors = 0;
        for (int w = 1; w <= 4; ++w)
            floors += floor_at(x + walk_step[w].dx, y + walk_step[w].dy);
        return floors == 2;
    }
    case 2: { // one wall: it stays on its side, the other side stays open
        const toffset wall_side = state.side_openings == 1 ? left : right;
        const toffset open_side = state.side_openings == 1 ? right : left;
        return wall_at(x + wall_side.dx, y + wall_side.dy) && !wall_at(x + open_side.dx, y + open_side.dy);
    }
    default: // open ground
        for (const toffset& a : walk_ahead[d])
            if (wall_at(x + a.dx, y + a.dy)) return false;
        return true;
    }
}

constexpr int friend_attitude = 10;

// Bumping a passive being: an inactive golem, a friend or a defended being, or something to smash.
bool bump_passive(int b, int other, int depth) {
    depth = trace_enter(depth, trace_bump_passive);
    tbeing& target = beings[other];
    if (has_type_flag(target, tf_golem) && has_type_flag(target, tf_inactive)) {
        // The dialog's answer reads this scroll.
        const int scroll = get_being_item_index_with_effect(b, activate_golem_effect, {}, depth);
        if (scroll == 0)
            add_message("$NThis golem seems to be inactive. You probably need some item to activate it.");
        else if (beings[b].seen_hostiles == 0)
            services.setup_activate_golem_dialog(0, other, target.x, scroll, target.y);
        else
            add_message("$FThis golem seems to be inactive. You have a scroll to activate it but there are "
                        "hostile beings around.");
        return true;
    }
    // One that counts the actor its friend (the Overgod) is spoken to, never smashed by walking
    // into it; so is one that a witness would stand up for.
    if (services.get_emotion(other, b, true) >= friend_attitude || services.find_defender(b, other) != 0) {
        bump_friendly(b, other);
        return false;
    }
    std::string sentence;
    action_sentence(b, other, "", sentence, "smashes", "smash");
    if (!sentence.empty()) add_message("$B" + sentence);
    const int health = target.health;
    tdamage result{};
    result.total = health;
    result.killed = 1;
    after_damage(b, other, health, health, result, depth);
    kill_being(other, result, depth);
    spend_time(b, action_time(b, 15));
    return true;
}

} // namespace

bool move_step(int b, int direction, bool bump, int depth) {
    depth = trace_enter(depth, trace_move_step);
    if (!is_being_ok(b, depth) || direction < 1 || direction > 8) return false;
    tbeing& being = beings[b];
    const int tx = being.x + direction_steps[direction].dx, ty = being.y + direction_steps[direction].dy;
    if (!on_map(tx, ty)) return false;
    int r = can_move_to(b, tx, ty, depth, false, false);
    if (is_on_restraining_map_effect(b, depth)) {
        if (!can_move_through_restraining_map_effect(b, direction, depth)) return false;
        r = can_move_to(b, tx, ty, depth, false, false);
        if (r != 1) {
            pay_for_struggle(b, depth);
            return false;
        }
    }
    if (bump && bump_actions(b, direction, depth)) return true;
    if (is_players_being(b) && (r == -6 || r == -7)) r = 1;
    if (r != 1) return false;
    if (cell_at(being.x, being.y).splash != 0) smear_splashes(b, tx, ty, depth);
    place_being(b, tx, ty, depth);
    enter_map_tile(b, depth);
    being.next_action_time = game.game_clock + uint32_t(move_time(b, 15));
    being.last_action_kind = 2;
    check_sounds(b, 0, 0, depth, walking_sound);
    return true;
}

// The struggle is the same whichever way the being pulls.
bool can_move_through_restraining_map_effect(int b, [[maybe_unused]] int direction, int depth) {
    depth = trace_enter(depth, trace_can_move_through_restraining_map_effect);
    tbeing& being = beings[b];
    std::string name;
    bool ripped = false, met = false;
    int margin = 0;
    for (int x = being.x; x < being.x + being.width && margin >= 0; ++x)
        for (int y = being.y; y < being.y + being.height; ++y) {
            const int slot = map_effect_grid(x, y).effect;
            if (slot == 0) continue;
            const teffect& effect = duration_effects[slot];
            if (!met) get_effect_source_name(effect, name);
            met = true;
            margin = ability_check_roll(b, body, effect.power, false);
            if (margin >= 5) {
                remove_effect_cell(slot, x, y, true);
                ripped = true;
            }
            if (margin < 0) break;
        }
    if (!met) return true;
    if (margin < 0) {
        log_action(b, is_players_being(b) ? "$F" : "$B", "%s %s to move through the " + name + ".", "fails",
                   "fail");
        pay_for_struggle(b, depth);
        return false;
    }
    if (ripped)
        log_action(b, "$B", "%s %s through the " + name + ".", "rips", "rip");
    else
        log_action(b, "$B", "%s %s through the " + name + ".", "struggles", "struggle");
    return true;
}

void enter_map_tile(int b, int depth) {
    depth = trace_enter(depth, trace_enter_map_tile);
    tbeing& being = beings[b];
    const int x = being.x, y = being.y;
    if (has_type_flag(being, tf_leaves_slime_trail) && d100() < 61) add_splash(x, y, b, 0, slime_splash, 0);
    if (being.bleeding > 0) {
        if (d100() <= being.bleeding * 10) add_splash(x, y, b, 0, blood_splash, 0);
        --being.bleeding;
    }
    if (b != player) {
        if (player_character > 0 && being.master == beings[player_character].serial &&
            being.seen_hostiles == 0)
            search_surroundings(b);
    } else {
        std::string text;
        get_cell_text(x, y, true, text);
        if (!text.empty()) {
            add_message();
            add_message(cell_at(x, y).furniture == fu_text ? "$BThere is a writing on the floor: $N" + text
                                                           : "$N" + text);
        }
        search_surroundings(b);
        std::string picked;
        autopick_items(b, x, y, picked, depth);
        const int area = being.area;
        if (area >= 1 && area < int(areas.size()) && areas[area].rules_counter > 0 && d100() < 31)
            statues_to_beings(b, area, 30, depth);
        for (int d = 1; d <= 8; ++d) {
            const int nx = x + direction_steps[d].dx, ny = y + direction_steps[d].dy;
            if (!on_map(nx, ny)) continue;
            tcell& cell = cell_at(nx, ny);
            if (cell.furniture >= fu_open_item_first && cell.furniture <= fu_item_last)
                cell.contents_seen = 1;
        }
    }
    tcell& cell = cell_at(x, y);
    if (cell.trap != 0) {
        if (!avoid_trap_check(b, x, y)) {
            spring_trap(b, x, y, depth);
            if (!being.present) return;
        } else if (b == player) {
            if (cell.trap_difficulty > 0) {
                add_message("$NThere is a trap here but you managed to avoid it!");
                cell.trap_difficulty = int8_t(-cell.trap_difficulty);
            } else {
                add_message("$NYou manage to avoid the trap.");
            }
        } else if (cell.trap_difficulty < 0) {
            log_action(b, "$B", "%s %s the trap.", "avoids", "avoid");
        }
    }
    if (has_type_flag(being, tf_spawned_in_cell) && has_type_flag(being, tf_has_not_left_cell) &&
        !(cell.vault_zone >= 31 && cell.vault_zone <= 38)) {
        being.type_flags[tf_has_not_left_cell] = 0;
        being.escaped_from_cell() = 8;
    }
    const int area = being.area;
    const bool area_ok = area >= 1 && area < int(areas.size());
    if (has_type_flag(being, tf_player) && area_ok && areas[area].report > 0) {
        add_history("Discovered " + area_discovery_text(area) + ".");
        areas[area].report = 0;
    }
    if (being.commanded && area_ok && !areas[area].discovered) {
        areas[area].discovered = 1;
        if (areas[area].explored) ++level.visited_areas;
    }
}

bool bump_actions(int b, int direction, int depth) {
    depth = trace_enter(depth, trace_bump_actions);
    if (b != player || !is_being_ok(b, depth) || direction < 1 || direction > 8) return false;
    tbeing& being = beings[b];
    const int tx = being.x + direction_steps[direction].dx, ty = being.y + direction_steps[direction].dy;
    if (!on_map(tx, ty)) return false;
    tcell& cell = cell_at(tx, ty);
    const int other = cell.being != b ? cell.being : 0;
    const int f = cell.furniture;

    if (f >= 1 && f <= fu_teleporter) {
        if (being.width != 1 || being.height != 1) return false;
        bump_portal(b, direction);
        return true;
    }
    if (other == 0) {
        if (cell.trap != 0 && cell.trap_difficulty < 0 && f == 0) {
            services.setup_ground_trap_dialog(0, direction, tx, ty);
            return true;
        }
        const bool closed_door = is_door(tx, ty, 0);
        const bool closed_container = is_closed_container(tx, ty);
        if (f != 0 && !closed_door && !closed_container) {
            // Other furniture (an open door, a writing) is stepped onto, not acted on.
            if (f >= fu_item_first && f <= fu_item_last) {
                loot_container(b, direction, false, depth, false);
                return true;
            }
            if ((f >= fu_light_first && f <= fu_light_last) || f == fu_switch) {
                toggle_furniture(b, direction, false, depth, false);
                return true;
            }
            return false;
        }
        if (closed_door || closed_container) {
            toggle_furniture(b, direction, false, depth, false);
            return true;
        }
        if (is_wall(tx, ty)) {
            const int side = direction == 1 ? 8 : direction - 1;
            const int sx = being.x + direction_steps[side].dx, sy = being.y + direction_steps[side].dy;
            if (on_map(sx, sy) && is_door(sx, sy, 1) && can_close_opened_door(b, sx, sy, depth)) {
                close_furniture(b, side, false, depth);
                return true;
            }
        }
        return false;
    }
    tbeing& target = beings[other];
    if (has_type_flag(target, tf_passive)) return bump_passive(b, other, depth);
    if (target.friendly) {
        if (has_type_flag(target, tf_god) || has_type_flag(target, tf_overgod)) return false;
        if (stands_in_harmful_map_effect(other)) {
            add_message("$FCan not displace creatures that are in a harmful effect!");
            return false;
        }
        return displace_being(b, other);
    }
    const tweapon_set& set = being.weapon_set;
    if (!set.melee_available && !set.bare_hands) {
        add_message("$FYou can not make a melee attack with your current weapon.");
        return true;
    }
    melee_attack(b, other, direction, depth);
    return true;
}

void walk(int b, int walk_direction, int depth) {
    depth = trace_enter(depth, trace_walk);
    if (!is_being_ok(b, depth)) return;
    if (can_move(b, depth) != 0) {
        add_message("$FYou can not move!");
        spend_time(b, action_time(b, 15));
        return;
    }
    const int d = state.run_counter > 0 ? state.walk_direction : walk_direction;
    if (d < 1 || d > 4) return;
    tbeing& being = beings[b];
    auto ahead_free = [&] {
        return can_move_to(b, being.x + walk_step[d].dx, being.y + walk_step[d].dy, depth, false, false) == 1;
    };
    if (state.run_counter == 0) {
        if (!ahead_free()) return;
        int mode = 2, side = 0;
        if (wall_at(being.x + walk_ahead[d][0].dx, being.y + walk_ahead[d][0].dy)) {
            side = 1;
            mode = 1;
        }
        if (wall_at(being.x + walk_ahead[d][2].dx, being.y + walk_ahead[d][2].dy)) {
            --mode;
            side = side == 1 ? 0 : 2;
        }
        state.run_counter = mode + 1;
        state.walk_direction = d;
        state.side_openings = side;
        state.walk_steps = 0;
    }
    if (ahead_free()) {
        move_step(b, walk_game_direction[d], false, depth);
        ++state.walk_steps;
        if (run_goes_on(b)) return;
    }
    state.run_counter = 0;
}

} // namespace dravok
