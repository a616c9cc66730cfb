// Action costs from a base, the motion modifier and the movement speed bonus.
#include "rules/action_time.h"
#include "records/layout_being.h"
#include "records/layout_game.h"

#include <algorithm>

#include "platform/desktop.h"
#include "platform/events.h"
#include "records/being_flags.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/map.h"
#include "world/message_log.h"

namespace dravok {

namespace {
int motion_modifier(int being) {
    return beings[being].ability_modifier[1];
}
} // namespace

int action_time(int being, int base, bool apply_motion) {
    if (!apply_motion) return base;
    return std::max(1, base - motion_modifier(being));
}

int action_time_mult(int being, int base, int factor, bool apply_motion) {
    if (!apply_motion) return base * factor;
    return std::max(1, (base - motion_modifier(being)) * factor);
}

int move_time(int being, int base) {
    return std::max(1, base - int(beings[being].speed_bonus));
}

void spend_time(int being, int cost) {
    beings[being].next_action_time = game.game_clock + uint32_t(cost);
}

} // namespace dravok
