// Followers and control of beings; see followers.h.
#include "rules/followers.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_parts.h"

#include "records/being_flags.h"
#include "records/layout_map.h"
#include "records/layout_plans.h"
#include "rules/action_time.h"
#include "rules/chatter.h"
#include "rules/effect_support.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/services.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {

namespace {
constexpr int follower_liking = 50;
constexpr int possession_recovery = 45;
constexpr int mind = 3;
constexpr int minded = 9;           // a mind this strong remembers who was in it
constexpr int complaint_split = 50; // d100 above it: the harsher of the two complaints
} // namespace

void drop_master_link(int being) {
    if (being < 1 || being >= int(beings.size()) || beings[being].serial == 0) return;
    if (beings[being].master == 0) return;
    // A master that is gone (off the level, removed) still lets its follower go: otherwise the
    // follower would keep following nobody.
    const int master = find_being_by_serial(beings[being].master);
    tbeing& b = beings[being];
    if (master >= 1 && has_type_flag(beings[master], tf_player)) {
        b.type_flags[tf_companion] = 0;
        b.type_flags[tf_player_and_companions] = 0;
    }
    b.master = 0;
    b.master_name = "";
    b.follower_word = 0;
    if (b.plan >= 1 && b.plan < int(being_plans.size())) {
        b.behaviour = being_plans[b.plan].behaviour;
        b.idle_turns_before_sleep = uint16_t(roll_dice(being_plans[b.plan].idle_turns_before_sleep));
    }
    b.path = tpath{};
    if (master >= 1) count_followers(master);
}

void release_follower(int being) {
    if (being < 1 || being >= int(beings.size()) || beings[being].serial == 0) return;
    if (beings[being].master == 0) return;
    drop_master_link(being);
    if (beings[being].charmer != 0) end_charm(being, false);
}

void release_followers(int master, bool ordinary, bool summoned, bool animated) {
    if (master < 1 || master >= int(beings.size()) || beings[master].serial == 0) return;
    const int32_t serial = beings[master].serial;
    for (int f = 1; f < int(beings.size()); ++f) {
        const tbeing& b = beings[f];
        if (f == master || b.serial == 0 || b.master != serial) continue;
        const bool is_summoned = has_type_flag(b, tf_summoned), is_animated = has_type_flag(b, tf_animated);
        if ((is_summoned && summoned) || (is_animated && animated) ||
            (!is_summoned && !is_animated && ordinary))
            release_follower(f);
    }
}

int find_next_follower(int master, int start) {
    if (master < 1 || master >= int(beings.size()) || beings[master].serial == 0) return 0;
    const int32_t serial = beings[master].serial;
    for (int b = start < 1 ? 1 : start; b < int(beings.size()); ++b) {
        if (b != master && beings[b].present != 0 && beings[b].master == serial) return b;
    }
    return 0;
}

int get_distance_to_master(int being) {
    if (being < 1 || being >= int(beings.size()) || beings[being].master == 0) return -1;
    const int master = find_being_by_serial(beings[being].master);
    if (master < 1 || beings[master].present == 0) return -1;
    return get_being_distance(being, master);
}

namespace {

// The voice and alignment a spell or a possession took away come back from the template.
void restore_template_voice(tbeing& b) {
    if (b.plan < 1 || b.plan >= int(being_plans.size())) return;
    for (int f : {tf_has_oneliners, tf_good, tf_neutral, tf_evil})
        b.type_flags[f] = plan_has_type_flag(b.plan, f) ? 1 : 0;
}

// A being freed from a mind spell on the player's side complains to its former controller.
void complain_of_intrusion(int being, int controller) {
    if (!has_type_flag(beings[being], tf_has_oneliners)) return;
    const int roll = d100();
    add_oneliner(being, controller, 0, 0,
                 roll > complaint_split ? "You were in my head! Monster!" : "What did you do to me?", {});
}

} // namespace

void end_charm(int being, bool release) {
    if (being < 1 || being >= int(beings.size()) || beings[being].serial == 0) return;
    const int charmer = find_being_by_serial(beings[being].charmer);
    beings[being].charmer = 0;
    beings[being].charm_end = 0;
    if (release) release_follower(being);
    tbeing& b = beings[being];
    b.type_flags[tf_charmed] = 0;
    b.type_flags[tf_ignore_emotion_presets] = 0;
    restore_template_voice(b);
    b.path = tpath{};
    services.clear_emotions(being);
    if (charmer >= 1 && has_type_flag(beings[charmer], tf_player))
        add_message("$N" + format_text(" %s is uncharmed.", {being_name(being, name_the_capital)}));
    if (charmer >= 1 && b.ability_of(mind) >= minded) {
        services.update_emotion(being, charmer, -follower_liking, 0, get_being_distance(being, charmer));
        if (charmer == player && beings[charmer].commanded != 0 &&
            services.can_see(charmer, being, 0, 0) != 0)
            complain_of_intrusion(being, charmer);
    }
    float_over_being(being, "uncharmed", floating_red);
}

void end_confusion(int being) {
    if (being < 1 || being >= int(beings.size()) || beings[being].serial == 0) return;
    tbeing& b = beings[being];
    b.confusion_end = 0;
    b.type_flags[tf_confused] = 0;
    b.type_flags[tf_ignore_emotion_presets] = 0;
    restore_template_voice(b);
    b.path = tpath{};
    services.clear_emotions(being);
    if (player_sees_being(being))
        add_message("$N" + format_text(" %s is unconfused.", {being_name(being, name_the_capital)}));
    float_over_being(being, "unconfused", floating_red);
}

void reset_being_path(int being) {
    if (being < 1 || being >= int(beings.size())) return;
    beings[being].noticed_stimulus = tsound{};
    beings[being].heard_sound = tsound{};
    beings[being].investigate_slot = 0;
}

void reset_transfer_being(int being) {
    if (being < 1 || being >= int(beings.size())) return;
    reset_being_path(being);
    tbeing& b = beings[being];
    for (tnoted_item& n : b.noted_items)
        n = tnoted_item{};
    b.idle_turns = 0;
    b.asleep_counter = 0;
    b.path = tpath{};
    b.attack_memory = taction_memory{};
    b.teleporter_x = b.teleporter_y = b.teleporter_countdown = 0;
    b.lunge_direction = 0;
}

void stop_on_hostiles(int b, bool hostiles_seen) {
    if (b < 1 || b >= int(beings.size()) || !beings[b].commanded) return;
    tbeing& being = beings[b];
    const bool autopilot = being.path.purpose == 13;
    if (autopilot)
        add_message(hostiles_seen ? "$FHostiles seen! Stopped autopilot." : "$FStopped autopilot.");
    else if (state.run_counter > 0)
        add_message(hostiles_seen ? "$FHostiles seen! Stopped continuous walk."
                                  : "$FStopped continuous walk.");
    state.run_counter = 0;
    if (autopilot) being.path = tpath{};
}

void end_possession(int being) {
    if (being < 1 || being >= int(beings.size())) return;
    tbeing& b = beings[being];
    // Called for the possessor (its body was hurt): the possession it holds ends.
    const int held = b.possessed != 0 ? find_being_by_serial(b.possessed) : 0;
    if (held >= 1 && held != being) {
        end_possession(held);
        return;
    }
    const int possessor = find_being_by_serial(b.leader);
    b.leader = 0;
    b.possession_end = 0;
    b.type_flags[tf_possessed] = 0;
    restore_template_voice(b);
    // The walk is stopped while the body is still the commanded one, so that it does not go on
    // in the body the player returns to.
    stop_on_hostiles(being, false);
    b.commanded = 0;
    if (possessor >= 1) {
        tbeing& p = beings[possessor];
        if (has_type_flag(p, tf_player))
            add_message("$N" + format_text(" %s is unpossessed. You regain control of your body.",
                                           {being_name(being, name_the_capital)}));
        p.possessed = 0;
        p.commanded = 1;
        player = possessor;
        state.travel_target = 0;
        services.update_emotion(being, possessor, -follower_liking, 0, get_being_distance(being, possessor));
        if (possessor == player) {
            services.update_lights();
            if (player_sees_being(being)) complain_of_intrusion(being, possessor);
        }
    } else {
        player = is_being_ok(player_character) ? player_character : 0;
    }
    beings[being].next_action_time = game.game_clock + uint32_t(action_time(being, possession_recovery));
}

int count_occupied_cells_around(int being, int x, int y, int radius) {
    int w = 1, h = 1;
    if (being >= 1 && being < int(beings.size())) {
        w = beings[being].width < 1 ? 1 : beings[being].width;
        h = beings[being].height < 1 ? 1 : beings[being].height;
        if (x == 0 && y == 0) {
            x = beings[being].x;
            y = beings[being].y;
        }
    }
    int count = 0;
    for (int cx = x - radius; cx < x + w + radius; ++cx)
        for (int cy = y - radius; cy < y + h + radius; ++cy) {
            if (!on_map(cx, cy)) continue;
            const int b = cell_at(cx, cy).being;
            if (b != 0 && b != being) ++count;
        }
    return count;
}

int find_shopkeeper(int x, int y, int depth) {
    depth = trace_enter(depth, trace_find_shopkeeper);
    if (!on_map(x, y) || is_furniture_container(x, y) == 0) return 0;
    const int area = cell_at(x, y).area;
    for (int k = 1; k < int(beings.size()); ++k) {
        const tbeing& b = beings[k];
        if (b.serial == 0 || !has_type_flag(b, tf_shopkeeper) || b.asleep_counter != 0) continue;
        if (b.home_area != area || b.area != area) continue;
        if (!is_being_ok(player) || services.can_see(player, k, 0, 0) == 0) continue;
        return b.friendly != 0 ? k : 0;
    }
    return 0;
}

} // namespace dravok
