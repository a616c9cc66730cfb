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
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/indicators.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/regeneration.h"

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
    // Attempts may add beings and move the array, so the record is looked up afresh each time.
    auto B = [being]() -> tbeing& { return beings[size_t(being)]; };
    const uint32_t now = game.game_clock;

    B().path_kept = 0;
    B().moved = 0;
    B().heard_sound.loudness = 0;
    B().cornered = 0;

    if (has_type_flag(B(), tf_spectator)) {
        ai_see(being, depth);
        B().next_action_time = now + 7;
        return;
    }
    if (has_type_flag(B(), tf_player)) {
        B().next_action_time = now + 7;
        return;
    }
    if (has_type_flag(B(), tf_summoned) && B().unsummon_time <= now) {
        unsummon(being, depth);
        return;
    }

    const uint32_t start_time = B().next_action_time;
    bool acted = false, waited = false;
    bool in_cell = false;

    if (B().asleep_counter > 0) {
        if (B().asleep_counter >= B().sleep_turns) ai_wake_up(being, depth);
    } else {
        if (has_type_flag(B(), tf_charmed) && charm_decay(being)) {
            end_charm(being, true);
            B().last_action_kind = 1;
            B().next_action_time = now + 45;
            acted = waited = true;
        }
        if (has_type_flag(B(), tf_confused) && B().confusion_end <= now) {
            end_confusion(being);
            B().last_action_kind = 1;
            B().next_action_time = now + uint32_t(action_time(being, 45, true));
            acted = waited = true;
        }

        ai_see(being, depth);
        B().courage = int16_t(get_courage(being));
        in_cell = is_confined_in_cell(being, true);

        if (B().master > 0 && !has_type_flag(B(), tf_companion)) keep_master_link(being);

        const int area = cell_at(B().x, B().y).area;
        const bool sealed = area >= 1 && area < int(areas.size()) && areas[area].exit_cells == 0;
        if (B().seen_hostiles == 0 && sealed && B().behaviour != behaviour_follow && level.special == 0)
            acted = true;

        if (!state.won) {
            const bool guard = has_type_flag(B(), tf_hostile_on_home_trespassing);
            const bool at_home = (guard || has_type_flag(B(), tf_gets_hostile)) && is_in_home_area(being);
            if (guard && at_home) ai_get_hostile_on_home_trespassers(being, depth);
            if (has_type_flag(B(), tf_gets_hostile) && !(guard && at_home)) ai_get_hostile(being, depth);

            if (B().seen_awake_hostiles > 0) B().idle_counter = 0;
            if (B().seen_hostiles == 0) ++B().turns_without_hostiles;

            if (!acted) acted = ai_needs_to_move(being);
            const int purpose = B().path.purpose;
            if (purpose == purpose_other_area || purpose == purpose_flee ||
                purpose == purpose_teleporter_follow || purpose == purpose_teleporter_flee)
                acted = ai_continue_path(being);

            if (first_sight_pause(being)) {
                B().last_action_kind = 1;
                B().next_action_time = now + uint32_t(action_time(being, 30, true));
                acted = waited = true;
            }

            if (!in_cell) {
                if (!acted && B().ai_plan == plan_investigate) acted = ai_spot_investigate_target(being);
                if (!acted && B().seen_hostiles > 0 && B().knows_protection_talents() != 0)
                    acted = ai_use_protection_talent(being);
                if (!acted && B().knows_utility_talents() != 0) acted = ai_use_utility_talent(being);
                if (!acted) acted = ai_use_item(being);
                if (!acted) acted = ai_flee(being);
                if (!acted && has_type_flag(B(), tf_cloned) && has_type_flag(B(), tf_humanoid) &&
                    B().uses_items != 0 && holds_ranged_weapon(B().weapon_set) &&
                    holds_ranged_weapon(B().other_weapon_set))
                    acted = ai_pick_item(being);
                if (!acted) acted = ai_attack(being);
                if (!acted && B().ai_plan == plan_teleporter_flee && B().path.length == 0)
                    acted = ai_continue_fleeing_after_teleport_use(being);
                if (!acted && B().teleporter_countdown > 0) acted = ai_follow_teleport(being);
                if (!acted) acted = ai_investigate(being);
                if (!acted && B().path.purpose != 0) acted = ai_continue_path(being);
                if (!acted && B().damaged_by_being != 0 && B().seen_hostiles == 0)
                    acted = ai_move_to_nearby_area(being, purpose_other_area, cell_at(B().x, B().y).area, 0,
                                                   0, 0);
            }
        }

        if (!waited && (has_type_flag(B(), tf_has_oneliners) || has_type_flag(B(), tf_former_player) ||
                        has_type_flag(B(), tf_former_companion)))
            ai_oneliners(being, in_cell);

        if (!acted) {
            if (has_type_flag(B(), tf_seek_master) && B().master == 0 && B().followers == 0)
                seek_master(being, depth);
            if (has_type_flag(B(), tf_pack) && B().master == 0 && B().followers == 0)
                seek_pack_leader(being, depth);
        }
        if (!acted && is_confined_in_cell(being, false)) acted = ai_escape_cell(being);
        if (!acted && B().uses_items != 0 && !B().cornered) acted = ai_pick_item(being);
        if (!acted && !B().cornered) acted = ai_check_weapon_set(being);
        if (!acted) {
            if (B().behaviour == behaviour_wander)
                acted = ai_wander(being);
            else if (B().behaviour == behaviour_follow && B().master != 0)
                acted = ai_follower(being);
        }
        if (!acted && !B().cornered) acted = ai_correct_position(being);
        if (!acted && !B().cornered) acted = ai_move_randomly(being);
    }

    // The tail, for every being that got this far, asleep or awake.
    if (!is_being_ok(being)) return;
    B().damage_this_turn = 0;
    B().damaged_by_being = 0;
    if (B().teleporter_countdown > 0 && --B().teleporter_countdown == 0)
        B().teleporter_x = B().teleporter_y = 0;
    if (B().teleport_cooldown > 0) --B().teleport_cooldown;
    if (B().next_action_time == start_time) {
        B().last_action_kind = 1;
        B().next_action_time = now + uint32_t(action_time(being, 15, true));
    }
    if (B().last_action_kind != 1) {
        B().asleep_counter = 0;
        B().idle_counter = 0;
    } else {
        ai_idle(being, acted);
    }
    regenerate_being(being, depth);
    if (B().path.length > 0 && B().path_kept == 0) B().path = empty_path;
}

} // namespace dravok
