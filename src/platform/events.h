// The event loop of the game window: key presses (as virtual-key codes with the modifier state,
// auto-repeats and lone modifiers included), the close request, repaint requests, and timer
// ticks (timers.h), all delivered on the main thread. The game's long loops (running, resting,
// travelling) call pump_messages() between steps so keys and timers are handled meanwhile.
// Tests feed keys with inject_key() and drive time with a ManualClock.
#pragma once
#include <functional>

#include "platform/keys.h"

namespace dravok {

using KeyHandler = std::function<void(const KeyEvent&)>;
using CloseHandler = std::function<void()>;
using PaintHandler = std::function<void()>;

// The key handler receives every key-down that has a game code.
void set_key_handler(KeyHandler handler);
// Called when the player closes the window; without a handler the event loop ends.
void set_close_handler(CloseHandler handler);
// Called once when a signal asks the game to end (termination.h), just before that request is
// handled as a close request: the game keeps what must not be lost.
void set_termination_handler(CloseHandler handler);
// Called when the window's contents must be shown again (uncovered, resized, shown).
void set_paint_handler(PaintHandler handler);

// Handles every pending event and every due timer tick, then returns. Safe to call from inside
// a handler (nested); a timer whose handler is running is not fired again meanwhile.
void pump_messages();

// Waits for events and timer ticks and handles them until end_event_loop() is called.
void run_event_loop();
void end_event_loop();
bool event_loop_ended();

// Queues a key press or a close request as if it came from the window; handled by the next pump.
void inject_key(const KeyEvent& key);
void inject_close_request();

// The game event of one SDL key-down (exposed for tests): code 0 when the key has none.
KeyEvent key_event_of(int sdl_scancode, int sdl_keycode, unsigned sdl_modifiers, bool repeat);

} // namespace dravok
