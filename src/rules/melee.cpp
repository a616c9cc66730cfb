// Melee attacks. Until combat lands an attack is only the time it takes.
#include "rules/melee.h"

#include "platform/desktop.h"
#include "platform/events.h"
#include "rules/action_time.h"
#include "rules/stand_ins.h"
#include "ui/draw.h"
#include "ui/frame_links.h"
#include "world/being.h"
#include "world/being_creation.h"
#include "world/being_flags.h"
#include "world/being_update.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/map.h"
#include "world/message_log.h"

namespace dravok {

void melee_attack(int attacker, int defender, int, int depth) {
    if (!is_being_ok(attacker, depth) || !is_being_ok(defender, depth)) return;
    spend_time(attacker, action_time(attacker, 15));
}

} // namespace dravok
