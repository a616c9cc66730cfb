// Followers.
#include "rules/followers.h"

#include "ai/emotion.h"
#include "ai/light.h"
#include "rules/action_time.h"
#include "rules/effect_support.h"
#include "rules/stand_ins.h"
#include "world/being.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/map.h"
#include "world/message_log.h"

namespace dravok {

namespace {
constexpr int following_behaviour = 3;
constexpr int follower_liking = 50;
constexpr int possession_recovery = 45;
} // namespace

void set_as_follower(int follower, int master, int depth) {
    // not built yet: releasing the follower's own followers, the idle chatter delay and the item
    // interests of a new follower
    if (!is_being_ok(master) || follower < 1 || follower >= int(beings.size()) || follower == master) return;
    tbeing& f = beings[follower];
    const tbeing& m = beings[master];
    f.master = m.serial;
    f.behaviour = following_behaviour;
    f.path = tpath{};
    f.idle_counter = 0;
    f.idle_turns = 0;
    f.master_name = m.name;
    f.follower_word = 0;
    update_emotion(follower, master, follower_liking, depth, 0);
    if (has_type_flag(m, tf_player)) {
        f.type_flags[tf_companion] = 1;
        f.type_flags[tf_player_and_companions] = 1;
    }
    count_followers(master);
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

void count_followers(int master) {
    if (master < 1 || master >= int(beings.size())) return;
    tbeing& m = beings[master];
    m.followers = m.summoned_followers = m.animated_followers = 0;
    m.summoned_health = m.animated_health = 0;
    for (int i = 1; i < int(beings.size()); ++i) {
        const tbeing& b = beings[i];
        if (b.present == 0 || b.serial == 0 || b.master != m.serial || i == master) continue;
        if (has_type_flag(b, tf_summoned)) {
            ++m.summoned_followers;
            m.summoned_health = uint16_t(m.summoned_health + b.health);
        } else if (has_type_flag(b, tf_animated)) {
            ++m.animated_followers;
            m.animated_health = uint16_t(m.animated_health + b.health);
        } else {
            ++m.followers;
        }
    }
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

} // namespace dravok
