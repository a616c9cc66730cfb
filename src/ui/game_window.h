// The game window and the program's frame: the window with its paint box and five timers
// (effects, spectator, play, start-up, update), the creation handler with the start-up
// sequence, the title shown on first display, the module initialisation that starts each
// cycle of play, the window layout for windowed and full-screen display, and shutdown.
// Called by main, by key entry (restart, relayout) and by the end of play.
#pragma once
#include <string>

#include "platform/geometry.h"

namespace dravok {

class Window;
class Timer;

extern Window game_window;
// Where the frame is shown inside the window's client area.
extern Rect screen_box;

// The window, hidden, with its timers; false when the video system fails.
bool create_game_window();
// The creation handler; false when the program had to end (a folder could not be made).
bool form_create();
void form_show();
void form_close();
// Closes the window as its close button does: the close handler, then the end of the event loop.
void close_game_window();
// Ends the event loop and the timers (shutdown with halt set).
void end_application();
void initialize_module();
void setup_window();
bool rest_screen_active();

void effects_timer_tick(Timer& timer);
void play_timer_tick(Timer& timer);
void spectator_timer_tick(Timer& timer);
void startup_timer_tick(Timer& timer);
void update_timer_tick(Timer& timer);

// The whole program: window, start-up, event loop, shutdown; or, started as a box process
// (platform/message_box.h), only that message box. Returns the exit code.
int run_game(int argc, char** argv);

} // namespace dravok
