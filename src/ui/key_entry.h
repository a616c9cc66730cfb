// Key entry and command dispatch: the key gate of the game window, the stop of a multi-turn
// action by a key, and the hand-over of a command to the handler of the current game mode.
// Called by the window's key-down event (and by the test driver through the same path).
#pragma once
#include <cstdint>

#include "platform/keys.h"

namespace dravok {

// The modifier keys held with a key press.
struct tshift_state {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// Set by commands and bumps that wrote to the log without costing time, so old log lines fade
// as after a command that took time.
extern bool command_acted;

// A key press of the game window; key is the virtual-key code, set to 0 when swallowed.
void form_key_down(int& key, const tshift_state& shift);
// The window's key handler: the platform's key event into form_key_down.
void handle_key_event(const KeyEvent& event);
// The reported modifier: Shift before Ctrl before Alt (16, 17, 18), 0 for none.
int reported_modifier(const tshift_state& shift);
// Dispatch by game_mode. It stands at this depth of the key press's call trace, under
// form_key_down; the mode handlers record themselves below it.
inline constexpr int command_dispatch_depth = 2;
void handle_commands(int being, int command, int key, int modifier);

} // namespace dravok
