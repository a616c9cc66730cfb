// Menus. Until they land a menu is only its mode, and its keys return to the map.
#include "ui/menus.h"

#include "rules/stand_ins.h"

namespace dravok {

void setup_menu(int) { game_mode = 1; }
void handle_menu_commands(int, int, int, int) { game_mode = 3; }
void refresh_menu() {}
bool settings_menu_open() { return false; }

} // namespace dravok
