// Follower counts; see followers.h.
#include "world/followers.h"
#include "records/layout_being.h"
#include "records/layout_parts.h"

#include "world/being.h"
#include "world/beings.h"

namespace dravok {

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
