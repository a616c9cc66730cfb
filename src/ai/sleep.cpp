#include "ai/sleep.h"

#include "ai/decision.h"
#include "ai/paths.h"
#include "ai/sight.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "rules/followers.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/indicators.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"

namespace dravok {

namespace {
constexpr int ability_mind = 3;
constexpr int trigger_follower_idle_chatter = 35;
constexpr int sleepless_noise = 8;
} // namespace

bool ai_may_sleep(int being) {
    if (!is_being_ok(being)) return false;
    const tbeing& b = beings[being];
    const bool guard = has_type_flag(b, tf_hostile_on_home_trespassing) &&
                       (has_type_flag(b, tf_humanoid) || b.ability_of(ability_mind) >= 6);
    return !(guard && b.seen_friends < b.seen_beings);
}

void ai_fall_asleep(int being) {
    if (!is_being_ok(being)) return;
    clear_being_sight(being);
    reset_being_path(being);
    tbeing& b = beings[being];
    b.path = empty_path;
    ++b.asleep_counter;
    b.ai_plan = plan_sleep;
}

void ai_wake_up(int being, int depth) {
    depth = trace_enter(depth, trace_ai_wake_up);
    if (!is_being_ok(being)) return;
    tbeing& b = beings[being];
    b.asleep_counter = 0;
    b.idle_turns = 0;
    b.turns_without_hostiles = 0;
    ai_see(being, depth);
    b.next_action_time = game.game_clock + 55;
    if (player >= 1 && can_see(player, being, 0, 0)) {
        add_floating_text(being, "wakes up", 0xffffff);
        add_message(being_name(being, name_the_capital) + " wakes up.");
    }
}

void ai_idle(int being, bool) {
    if (!is_being_ok(being)) return;
    tbeing& b = beings[being];
    const int area = cell_at(b.x, b.y).area;
    const int noise = area >= 1 && area < int(areas.size()) ? areas[area].noise : 0;
    if (b.seen_awake_hostiles == 0 && noise < sleepless_noise) ++b.idle_turns;

    bool asleep_now = false;
    if (b.asleep_counter == 0 && b.idle_turns >= b.idle_turns_before_sleep && b.idle_turns_before_sleep > 0 &&
        ai_may_sleep(being)) {
        if (game.player_serial == 0) return;
        ai_fall_asleep(being);
        asleep_now = true;
    }
    if (!asleep_now) {
        if (b.asleep_counter > 0) {
            b.ai_plan = plan_sleep;
            ++b.asleep_counter;
        } else {
            b.ai_plan = plan_idle;
        }
    }

    const int own = player_character;
    if (own >= 1 && own < int(beings.size()) && beings[own].serial != 0 && b.master == beings[own].serial &&
        (beings[own].resting != 0 || beings[own].rest_rounds != 0)) {
        b.chatter_time_of(trigger_follower_idle_chatter) += 15;
        b.turns_without_hostiles = 0;
    }
    if (has_type_flag(b, tf_animated) && has_type_flag(b, tf_ignore_emotion_presets) && b.master == 0 &&
        b.seen_hostiles == 0 && b.idle_turns >= 20)
        b.type_flags[tf_ignore_emotion_presets] = 0;
}

} // namespace dravok
