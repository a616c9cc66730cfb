// Timers. Until the window's timers land the spectator tick only notes its start clock and
// runs the scheduler, as the timer does.
#include "ui/game_timers.h"

#include "rules/scheduler.h"
#include "rules/stand_ins.h"

namespace dravok {

tgame_timer spectator_timer;
tgame_timer play_timer;

void spectator_timer_tick() {
    spectator_timer.tag = game.game_clock;
    handle_rounds();
}

} // namespace dravok
