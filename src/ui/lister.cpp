// List screens. Until they land, opening one shows its mode and its keys return to the map.
#include "ui/lister.h"
#include "ui/graphics.h"

#include "world/error_log.h"
#include "world/globals.h"
#include "world/message_log.h"

namespace dravok {

void handle_lister_commands(int, int, int, int) {
    game_mode = 3;
}
void reset_lister() {
    state.lister_time_passing = false;
}
void initialize_talents(int, int) {
    game_mode = 8;
}
void initialize_inventory(int, int, int, int, int, int) {
    game_mode = 7;
}
void initialize_quickslots(int, int, int, int) {
    game_mode = 7;
}
void use_quickslot(int, int, int) {}
bool quickslot_assigned(int being, int slot) {
    return beings[being].quickslot(slot).kind != 0;
}
int build_level_loot_list(int) {
    return 0;
}

void draw_inventory_screen() {
    // not built yet: the list screens' panes, rows and commands
    clear_bitmap(screen_bitmap);
}

void free_interface_records() {
    // not built yet: the list screens' lists
}

} // namespace dravok
