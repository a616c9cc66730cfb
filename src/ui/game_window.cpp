// The game window. Until the window lands, closing only asks the event loop to end, and the
// timers' ticks do the least of their work: play time counts, and the spectator tick lets the
// world run on.
#include "ui/game_window.h"

#include "platform/events.h"
#include "platform/timers.h"
#include "rules/scheduler.h"
#include "world/globals.h"

namespace dravok {

void initialize_module() {}
void setup_window() {}
void form_close() { end_event_loop(); }
void draw_title_text(const std::string&, int) {}
void play_timer_tick(Timer&) { ++game.seconds_played; }
void spectator_timer_tick(Timer& timer) {
    ++state.spectator_ticks;
    timer.set_tag(game.game_clock);
    handle_rounds();
}

} // namespace dravok
