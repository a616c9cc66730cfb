#include "ai/teleport_watch.h"

#include <cmath>

#include "ai/emotion.h"
#include "ai/sight.h"
#include "records/layout_being.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/geometry.h"

namespace dravok {

namespace {
constexpr int ability_mind = 3;
}

bool can_help_see(int being, int user, int x, int y) {
    if (being == user || !is_being_ok(being) || !is_being_ok(user)) return false;
    const tbeing& b = beings[being];
    if (!b.present || b.width != 1 || b.height != 1) return false;
    if (get_distance(b.x, b.y, x, y) > 8) return false;
    if (!can_see(being, user, 0, 0) || !can_see(being, 0, x, y)) return false;
    if (b.master != 0 && b.master == beings[user].serial) return true;
    return b.ability_of(ability_mind) >= 7 && get_emotion(being, user, false) <= -20 && b.seen_hostiles < 2;
}

void sees_teleport_use(int user, int x, int y, int depth) {
    depth = trace_enter(depth, trace_sees_teleport_use);
    for (int b = 1; b < int(beings.size()); ++b) {
        if (!can_help_see(b, user, x, y)) continue;
        tbeing& watcher = beings[b];
        watcher.teleporter_x = uint8_t(x);
        watcher.teleporter_y = uint8_t(y);
        const double d = get_distance(watcher.x, watcher.y, x, y) * 2.5;
        watcher.teleporter_countdown = uint8_t(std::nearbyint(d));
    }
}

} // namespace dravok
