// The game window as the rules and key entry see it: the module initialisation, the window
// layout, closing, the title text, and the ticks of the spectator and play timers.
// Called by key entry (restart, relayout, update) and by the end of play.
#pragma once
#include <string>

namespace dravok {

class Timer;

void initialize_module();
void setup_window();
// Closes the window: stops the timers and shuts the program down in order.
void form_close();
void draw_title_text(const std::string& text, int size);
void play_timer_tick(Timer& timer);
void spectator_timer_tick(Timer& timer);

} // namespace dravok
