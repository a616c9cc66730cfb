// Frame drawing by game mode: draw_screen builds and shows the frame of the current mode.
// Called after every handled key, by the timers, the end of play and the turn scheduler.
#pragma once

namespace dravok {

void draw_screen();
// Frames painted so far (tests and the benchmark read it).
extern long frames_painted;

} // namespace dravok
