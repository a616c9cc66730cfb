#include "rules/followers.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_parts.h"

#include "ai/emotion.h"
#include "ai/light.h"
#include "records/layout_plans.h"
#include "rules/action_time.h"
#include "rules/effect_support.h"
#include "world/being.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/map.h"
#include "world/message_log.h"

namespace dravok {

namespace {
constexpr int follower_liking = 50;
constexpr int possession_recovery = 45;
} // namespace

void release_follower(int being) {
    // not built yet: a freed follower keeps its attitudes and does not say goodbye
    if (!is_being_ok(being)) return;
    tbeing& b = beings[being];
    const int master = find_being_by_serial(b.master);
    if (master > 0 && beings[master].followers > 0) --beings[master].followers;
    b.master = 0;
    b.master_name = "";
    b.follower_word = 0;
}

void release_followers(int being, int) {
    // not built yet: followers are let go without a word and without mourning their master
    if (being < 1 || being >= int(beings.size())) return;
    const int32_t serial = beings[being].serial;
    for (std::size_t b = 1; b < beings.size(); ++b) {
        if (int(b) != being && beings[b].master == serial) beings[b].master = 0;
    }
    beings[being].followers = 0;
}

int find_next_follower(int master, int after) {
    // not built yet: followers are found by index alone, the follower list is not kept
    if (!is_being_ok(master, 0)) return 0;
    for (int b = after + 1; b < int(beings.size()); ++b) {
        if (b != master && is_being_ok(b, 0) && beings[b].master == beings[master].serial) return b;
    }
    return 0;
}

void end_charm(int being, bool release) {
    // not built yet: the charmer is not told and the being's attitudes are not restored
    if (!is_being_ok(being)) return;
    tbeing& b = beings[being];
    b.charmer = 0;
    b.charm_end = 0;
    if (release) release_follower(being);
    b.type_flags[tf_charmed] = 0;
    b.type_flags[tf_ignore_emotion_presets] = 0;
}

void end_confusion(int being) {
    // not built yet: the being's one-liners and alignment are not given back
    if (!is_being_ok(being)) return;
    beings[being].type_flags[tf_confused] = 0;
    beings[being].confusion_end = 0;
}

// not built yet: nobody looks for a master or a pack leader
void seek_master(int, int) {}
void seek_pack_leader(int, int) {}

void reset_being_path(int being) {
    // not built yet: the plan state byte is left as it is
    if (being < 1 || being >= int(beings.size())) return;
    beings[being].noticed_stimulus = tsound{};
    beings[being].heard_sound = tsound{};
    beings[being].investigate_slot = 0;
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

void stop_resting(int b) {
    state.resting = 0;
    if (b >= 1 && b < int(beings.size()) && beings[b].serial != 0) {
        beings[b].resting = 0;
        beings[b].rest_rounds = 0;
    }
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
    if (b.plan >= 1 && b.plan < int(being_plans.size())) {
        for (int f : {tf_has_oneliners, tf_good, tf_neutral, tf_evil})
            b.type_flags[f] = plan_has_type_flag(b.plan, f) ? 1 : 0;
    }
    b.commanded = 0;
    stop_on_hostiles(being, false);
    if (possessor >= 1) {
        tbeing& p = beings[possessor];
        if (has_type_flag(p, tf_player))
            add_message("$N" + format_text(" %s is unpossessed. You regain control of your body.",
                                           {being_name(being, name_the_capital)}));
        p.possessed = 0;
        p.commanded = 1;
        player = possessor;
        state.travel_target = 0;
        update_emotion(being, possessor, -follower_liking, 0, get_being_distance(being, possessor));
        update_lights();
        // not built yet: the possessed being's complaint about the intrusion
    }
    b.next_action_time = game.game_clock + uint32_t(action_time(being, possession_recovery));
}

// not built yet: animated and summoned beings do not fall when their master dies or leaves
void check_animated_and_summoned(int, int) {}

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

int find_shopkeeper(int x, int y, int) {
    // not built yet: the shopkeeper is not checked for being seen by the player or friendly to the party
    if (!on_map(x, y)) return 0;
    const int area = cell_at(x, y).area;
    for (int b = 1; b < int(beings.size()); ++b) {
        const tbeing& k = beings[b];
        if (k.serial == 0 || !has_type_flag(k, tf_shopkeeper) || k.asleep_counter > 0) continue;
        if (k.home_area == area && cell_at(k.x, k.y).area == area) return b;
    }
    return 0;
}

} // namespace dravok
