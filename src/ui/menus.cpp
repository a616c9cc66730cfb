// Menus. Until they land a menu is only its mode, and its keys return to the map.
#include "ui/menus.h"

#include "platform/desktop.h"
#include "platform/events.h"
#include "records/being_flags.h"
#include "rules/stand_ins.h"
#include "ui/draw.h"
#include "ui/frame_links.h"
#include "world/being.h"
#include "world/being_creation.h"
#include "world/being_update.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/map.h"
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

} // namespace dravok
