// Followers; see followers.h.
#include "world/followers.h"
#include "records/layout_being.h"
#include "records/layout_parts.h"

#include "world/being.h"
#include "world/globals.h"

namespace dravok {

bool try_to_recruit(int, int, int) {
    // not built yet: recruiting a follower
    return false;
}
void set_as_follower(int follower, int master, int) {
    // not built yet: releasing the follower's own followers, its liking for its master, the idle
    // chatter delay and the item interests of a new follower
    constexpr int following_behaviour = 3;
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
    if (has_type_flag(m, tf_player)) {
        f.type_flags[tf_companion] = 1;
        f.type_flags[tf_player_and_companions] = 1;
    }
    count_followers(master);
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

} // namespace dravok
