// Frame drawing by game mode: draw_screen builds and shows the frame of the current mode from
// the renderer units; animate makes the in-between frames of the 25-millisecond tick. Called
// after every handled key, by the timers, the end of play and the turn scheduler.
#pragma once

namespace dravok {

void draw_screen();
// Advances the animations by one tick when update is set; composes and paints when anything
// changed now or at the previous tick. Returns whether anything changed now.
bool animate(bool update);
// Shows screen_bitmap in the window (the paint box's handler).
void screen_box_paint();
// Frames painted so far (tests and the benchmark read it).
extern long frames_painted;

} // namespace dravok
