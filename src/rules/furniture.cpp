// Furniture actions. Until they land, touching furniture takes the time of the plainest
// furniture action and changes nothing.
#include "rules/furniture.h"

#include "platform/desktop.h"
#include "platform/events.h"
#include "records/being_flags.h"
#include "rules/action_time.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "world/being.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/map.h"
#include "world/message_log.h"

namespace dravok {

void toggle_furniture(int being, int, bool, int depth, bool) {
    depth = trace_enter(depth, trace_toggle_furniture);
    if (is_being_ok(being, depth)) spend_time(being, action_time(being, 30));
}
void close_furniture(int being, int, bool, int depth) {
    depth = trace_enter(depth, trace_close_furniture);
    if (is_being_ok(being, depth)) spend_time(being, action_time(being, 45));
}

void disable_furniture(int, int, bool, int) {
    // not built yet: picking a lock
}
void force_furniture(int, int, bool, int) {
    // not built yet: forcing a lock
}
void disable_trap(int, int, int) {
    // not built yet: disabling a trap
}
void toggle_switch(int, int, int, bool) {
    // not built yet: flicking a switch
}

} // namespace dravok
