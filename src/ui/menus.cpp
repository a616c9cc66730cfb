// Menus. Until they land a menu is only its mode, and its keys return to the map.
#include "ui/menus.h"
#include "ui/graphics.h"

#include "world/error_log.h"
#include "world/globals.h"
#include "world/message_log.h"

namespace dravok {

void setup_menu(int) {
    game_mode = 1;
}
void handle_menu_commands(int, int, int, int) {
    game_mode = 3;
}
void refresh_menu() {}
bool settings_menu_open() {
    return false;
}

void draw_menu() {
    // not built yet: the menu's title, rows, descriptions and icons
    clear_bitmap(screen_bitmap);
}

void init_interface_templates() {
    // not built yet: the menu entries
}

} // namespace dravok
