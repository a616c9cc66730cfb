#include "ai/decision.h"

#include <string>

#include "ai/attacking.h"
#include "ai/emotion.h"
#include "ai/fleeing.h"
#include "ai/followers.h"
#include "ai/oneliners.h"
#include "ai/paths.h"
#include "ai/sight.h"
#include "ai/sleep.h"
#include "ai/walking.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "rules/action_time.h"
#include "rules/being_checks.h"
#include "rules/damage.h"
#include "rules/followers.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/regeneration.h"
#include "world/sight_records.h"
#include "world/state.h"

namespace dravok {

// clang-format off
const std::array<const char*, ai_plan_count + 1> ai_plan_names{
    "", "sleep", "idle", "wander", "approach", "follow", "investigate", "chase", "move for lof",
    "melee attack", "ranged attack", "talent", "swap weapons", "flee", "avoid", "pick item",
    "use item", "teleporter follow", "teleporter flee"};
// clang-format on

const std::array<uint8_t, 14> plan_for_path_purpose{0, 3, 4, 5, 6, 7, 8, 13, 13, 0, 0, 17, 18, 0};

namespace {

constexpr int behaviour_wander = 2, behaviour_follow = 3;

bool holds_ranged_weapon(const tweapon_set& set) {
    for (int h = 0; h < hand_count; ++h)
        if (set.launcher[h] != 0 || set.throws[h] != 0) return true;
    return false;
}

// Expiry of a summoned being: it vanishes, with its animation and, where seen, a message.
void unsummon(int being, int depth) {
    depth = trace_enter(depth, trace_unsummon);
    tbeing& b = beings[being];
    if (player >= 1 && can_see(player, 0, b.x, b.y))
        add_message(" " + being_name(being, name_the_capital) + " is unsummoned.");
    b.type_flags[tf_summoned] = 0;
    b.type_flags[tf_unsummoned] = 1;
    add_cell_animation(b.x, b.y, 3, 2, 1);
    tdamage none{};
    kill_being(being, none, depth);
}

void keep_master_link(int being) {
    tbeing& b = beings[being];
    const int master = find_being_by_serial(b.master);
    if (master >= 1 && can_see(being, master, 0, 0)) {
        b.master_unseen_turns = 0;
        return;
    }
    ++b.master_unseen_turns;
    int limit = has_type_flag(b, tf_summoned) || has_type_flag(b, tf_animated) ? 8 : 20;
    if (b.nearest_hostile <= 6) limit /= 2;
    if (b.master_unseen_turns >= limit || (master >= 1 && get_being_distance(being, master) >= 20))
        release_follower(being);
}

bool first_sight_pause(int being) {
    const tbeing& b = beings[being];
    const int own = player_character;
    if (own < 1 || own >= int(beings.size()) || !is_being_ok(own)) return false;
    if (own >= int(first_seen_matrix[size_t(being)].size())) return false;
    const uint32_t first = first_seen_matrix[size_t(being)][size_t(own)];
    if (first == 0 || b.next_action_time > uint64_t(first) + 20) return false;
    const bool alone = b.seen_hostiles == 1 || (b.seen_hostiles == 0 && b.seen_non_hostiles == 1);
    return alone && can_see(being, own, 0, 0);
}

// Attempts may add beings and move the array, so the record is looked up afresh each time.
tbeing& B(int being) {
    return beings[size_t(being)];
}

// What a being's turn has come to so far.
struct tturn {
    bool acted = false;
    bool waited = false;
    bool in_cell = false;
};

// Spectators look, the player's own being waits, a summoned being past its time vanishes; true
// when the turn ends there.
bool act_out_of_turn(int being, uint32_t now, int depth) {
    if (has_type_flag(B(being), tf_spectator)) {
        ai_see(being, depth);
        B(being).next_action_time = now + 7;
        return true;
    }
    if (has_type_flag(B(being), tf_player)) {
        B(being).next_action_time = now + 7;
        return true;
    }
    if (has_type_flag(B(being), tf_summoned) && B(being).unsummon_time <= now) {
        unsummon(being, depth);
        return true;
    }
    return false;
}

// A charm or a confusion wearing off takes the turn.
void shake_off_charm_and_confusion(int being, uint32_t now, tturn& turn) {
    if (has_type_flag(B(being), tf_charmed) && charm_decay(being)) {
        end_charm(being, true);
        B(being).last_action_kind = 1;
        B(being).next_action_time = now + 45;
        turn.acted = turn.waited = true;
    }
    if (has_type_flag(B(being), tf_confused) && B(being).confusion_end <= now) {
        end_confusion(being);
        B(being).last_action_kind = 1;
        B(being).next_action_time = now + uint32_t(action_time(being, 45, true));
        turn.acted = turn.waited = true;
    }
}

// Sight, courage, confinement and the master link; a being in a sealed area with no foe in
// sight has nothing to do.
void look_around(int being, int depth, tturn& turn) {
    ai_see(being, depth);
    B(being).courage = int16_t(get_courage(being));
    turn.in_cell = is_confined_in_cell(being, true);

    if (B(being).master > 0 && !has_type_flag(B(being), tf_companion)) keep_master_link(being);

    const int area = cell_at(B(being).x, B(being).y).area;
    const bool sealed = area >= 1 && area < int(areas.size()) && areas[area].exit_cells == 0;
    if (B(being).seen_hostiles == 0 && sealed && B(being).behaviour != behaviour_follow && level.special == 0)
        turn.acted = true;
}

// Guards and the quick-tempered turn on trespassers; the calm and idle counts follow the foes seen.
void take_sides(int being, int depth) {
    const bool guard = has_type_flag(B(being), tf_hostile_on_home_trespassing);
    const bool at_home = (guard || has_type_flag(B(being), tf_gets_hostile)) && is_in_home_area(being);
    if (guard && at_home) ai_get_hostile_on_home_trespassers(being, depth);
    if (has_type_flag(B(being), tf_gets_hostile) && !(guard && at_home)) ai_get_hostile(being, depth);

    if (B(being).seen_awake_hostiles > 0) B(being).idle_turns = 0;
    if (B(being).seen_hostiles == 0) ++B(being).turns_without_hostiles;
}

// A free being's plans, most pressing first: investigate, talents, items, flight, attack,
// teleporters and paths; true when one of them acted.
bool try_plans(int being) {
    bool acted = false;
    if (!acted && B(being).ai_plan == plan_investigate) acted = ai_spot_investigate_target(being);
    if (!acted && B(being).seen_hostiles > 0 && B(being).knows_protection_talents() != 0)
        acted = ai_use_protection_talent(being);
    if (!acted && B(being).knows_utility_talents() != 0) acted = ai_use_utility_talent(being);
    if (!acted) acted = ai_use_item(being);
    if (!acted) acted = ai_flee(being);
    if (!acted && has_type_flag(B(being), tf_cloned) && has_type_flag(B(being), tf_humanoid) &&
        B(being).uses_items != 0 && holds_ranged_weapon(B(being).weapon_set) &&
        holds_ranged_weapon(B(being).other_weapon_set))
        acted = ai_pick_item(being);
    if (!acted) acted = ai_attack(being);
    if (!acted && B(being).ai_plan == plan_teleporter_flee && B(being).path.length == 0)
        acted = ai_continue_fleeing_after_teleport_use(being);
    if (!acted && B(being).teleporter_countdown > 0) acted = ai_follow_teleport(being);
    if (!acted) acted = ai_investigate(being);
    if (!acted && B(being).path.purpose != 0) acted = ai_continue_path(being);
    if (!acted && B(being).damaged_by_being != 0 && B(being).seen_hostiles == 0)
        acted =
            ai_move_to_nearby_area(being, purpose_other_area, cell_at(B(being).x, B(being).y).area, 0, 0, 0);
    return acted;
}

// While the game is not won: taking sides, moving on along a path that must go on, the pause at
// first sight of the player, and the plans of a being not in a cell.
void decide(int being, uint32_t now, int depth, tturn& turn) {
    take_sides(being, depth);

    if (!turn.acted) turn.acted = ai_needs_to_move(being);
    const int purpose = B(being).path.purpose;
    if (purpose == purpose_other_area || purpose == purpose_flee || purpose == purpose_teleporter_follow ||
        purpose == purpose_teleporter_flee)
        turn.acted = ai_continue_path(being);

    if (first_sight_pause(being)) {
        B(being).last_action_kind = 1;
        B(being).next_action_time = now + uint32_t(action_time(being, 30, true));
        turn.acted = turn.waited = true;
    }

    if (!turn.in_cell && !turn.acted) turn.acted = try_plans(being);
}

// What a being does when nothing pressed: seek company, escape a cell, tend its weapons, go its
// way, and at last stand right or shuffle; true when it acted.
bool act_idly(int being, int depth, bool acted) {
    if (!acted) {
        if (has_type_flag(B(being), tf_seek_master) && B(being).master == 0 && B(being).followers == 0)
            seek_master(being, depth);
        if (has_type_flag(B(being), tf_pack) && B(being).master == 0 && B(being).followers == 0)
            seek_pack_leader(being, depth);
    }
    if (!acted && is_confined_in_cell(being, false)) acted = ai_escape_cell(being);
    if (!acted && B(being).uses_items != 0 && !B(being).cornered) acted = ai_pick_item(being);
    if (!acted && !B(being).cornered) acted = ai_check_weapon_set(being);
    if (!acted) {
        if (B(being).behaviour == behaviour_wander)
            acted = ai_wander(being);
        else if (B(being).behaviour == behaviour_follow && B(being).master != 0)
            acted = ai_follower(being);
    }
    if (!acted && !B(being).cornered) acted = ai_correct_position(being);
    if (!acted && !B(being).cornered) acted = ai_move_randomly(being);
    return acted;
}

// An awake being's turn: what wears off, a look around, a decision, a line said and what it does
// when idle.
void act_awake(int being, uint32_t now, int depth, tturn& turn) {
    shake_off_charm_and_confusion(being, now, turn);
    look_around(being, depth, turn);
    if (!state.won) decide(being, now, depth, turn);

    if (!turn.waited &&
        (has_type_flag(B(being), tf_has_oneliners) || has_type_flag(B(being), tf_former_player) ||
         has_type_flag(B(being), tf_former_companion)))
        ai_oneliners(being, turn.in_cell);

    turn.acted = act_idly(being, depth, turn.acted);
}

// The tail, for every being that got this far, asleep or awake: the turn's damage forgotten,
// countdowns run, a turn that took no time made to, idleness and regeneration.
void end_turn(int being, uint32_t start_time, uint32_t now, bool acted, int depth) {
    if (!is_being_ok(being)) return;
    B(being).damage_this_turn = 0;
    B(being).damaged_by_being = 0;
    if (B(being).teleporter_countdown > 0 && --B(being).teleporter_countdown == 0)
        B(being).teleporter_x = B(being).teleporter_y = 0;
    if (B(being).teleport_cooldown > 0) --B(being).teleport_cooldown;
    if (B(being).next_action_time == start_time) {
        B(being).last_action_kind = 1;
        B(being).next_action_time = now + uint32_t(action_time(being, 15, true));
    }
    if (B(being).last_action_kind != 1) {
        B(being).asleep_counter = 0;
        B(being).idle_turns = 0;
    } else {
        ai_idle(being, acted);
    }
    regenerate_being(being, depth);
    if (B(being).path.length > 0 && B(being).path_kept == 0) B(being).path = empty_path;
}

} // namespace

void set_ai_plan(int being, int plan, int x, int target_being, int area, int y) {
    if (being < 1 || being >= int(beings.size())) return;
    tbeing& b = beings[being];
    b.ai_plan = uint8_t(plan);
    b.plan_target_x = uint8_t(x);
    b.plan_target_being = uint16_t(target_being);
    b.plan_target_area = uint16_t(area);
    b.plan_target_y = uint8_t(y);
}

void ai_act(int being, int depth) {
    depth = trace_enter(depth, trace_ai_act);
    if (!is_being_ok(being, depth)) return;
    const uint32_t now = game.game_clock;

    B(being).path_kept = 0;
    B(being).moved = 0;
    B(being).heard_sound.loudness = 0;
    B(being).cornered = 0;
    if (act_out_of_turn(being, now, depth)) return;

    const uint32_t start_time = B(being).next_action_time;
    tturn turn;
    if (B(being).asleep_counter > 0) {
        if (B(being).asleep_counter >= B(being).sleep_turns) ai_wake_up(being, depth);
    } else {
        act_awake(being, now, depth, turn);
    }
    end_turn(being, start_time, now, turn.acted, depth);
}

} // namespace dravok
