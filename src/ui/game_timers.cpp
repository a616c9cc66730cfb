// Timers. Until the window's timers land the spectator tick only notes its start clock and
// runs the scheduler, as the timer does.
#include "ui/game_timers.h"

#include "rules/scheduler.h"
#include "platform/desktop.h"
#include "platform/events.h"
#include "rules/stand_ins.h"
#include "ui/screen.h"
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

tgame_timer spectator_timer;
tgame_timer play_timer;

void spectator_timer_tick() {
    spectator_timer.tag = game.game_clock;
    handle_rounds();
}

} // namespace dravok
