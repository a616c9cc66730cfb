// The game window's spectator and play timers, found by name (created with their handlers when
// the window has not made them yet). Read by the scheduler and key entry.
#pragma once

namespace dravok {

class Timer;

Timer& spectator_timer();
Timer& play_timer();

} // namespace dravok
