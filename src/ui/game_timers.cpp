// The spectator and play timers by name.
#include "ui/game_timers.h"

#include "platform/timers.h"
#include "ui/game_window.h"

namespace dravok {

Timer& spectator_timer() {
    if (Timer* t = find_timer("spectator_timer")) return *t;
    return create_timer("spectator_timer", 1000, false, spectator_timer_tick);
}

Timer& play_timer() {
    if (Timer* t = find_timer("play_timer")) return *t;
    return create_timer("play_timer", 1000, false, play_timer_tick);
}

} // namespace dravok
