// The menus as the key dispatch and the main commands see them.
#pragma once

namespace dravok {

// Builds menu 1..11 and switches to the menu mode.
void setup_menu(int id);
void handle_menu_commands(int being, int command, int key, int modifier);
void refresh_menu();
// True while the settings menu is the open menu.
bool settings_menu_open();
// The open menu's screen.
void draw_menu();
// Blanks the menu entries with their "none" values (once at start-up).
void init_interface_templates();

} // namespace dravok
