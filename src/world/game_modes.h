// The modes the game's screens run in, and the one it runs in now.
#pragma once

namespace dravok {

// Game modes.
constexpr int mode_menu = 1, mode_spectator = 2, mode_main = 3, mode_target = 4, mode_autopilot = 5,
              mode_dialog = 6, mode_inventory = 7, mode_talent = 8, mode_string = 9, mode_keybind = 10,
              mode_character = 11, mode_book = 12, mode_help = 13, mode_observer = 14, mode_test = 15;

extern int game_mode;

} // namespace dravok
