// The program's own menus: building the main, load-game, settings, keybindings, game and update
// menus (the creation menus' rows come from the creation rules), the keys of the menu mode and
// the actions behind the rows. Called by start-up, key entry and the game's screens.
#pragma once

namespace dravok {

// Builds menu 1..11, makes it current and switches to the menu mode.
void setup_menu(int id);
// Rebuilds the current menu in place, keeping its page and cursor (menu mode only).
void refresh_menu();
// True while the settings menu is the open menu.
bool settings_menu_open();
// The open menu's screen (menu_screen.cpp).
void draw_menu();
// Blanks the current menu, dialog and text entry (once at start-up).
void init_interface_templates();
void handle_menu_commands(int being, int command, int key, int modifier);
void handle_menu_action(int row);
void toggle_menu_row(int row, int key);
void change_menu_value(int row, int direction, int key);
// Which arrows a value row shows: none, down only, up only or both.
enum class value_arrows { none, down, up, both };
value_arrows menu_value_arrows(int row);
// The key-capture mode of the keybindings menu.
void handle_keybind_commands(int being, int command, int key, int modifier);

} // namespace dravok
