// List screens. Until they land, opening one shows its mode and its keys return to the map.
#include "ui/lister.h"
#include "ui/graphics.h"

#include "rules/talents.h"

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
void use_quickslot(int being, int slot, int depth) {
    constexpr int quickslot_talent = 3;
    const tquickslot& q = beings[being].quickslot(slot);
    if (q.kind == quickslot_talent) {
        if (has_stamina_for_talent(being, q.index, true)) use_talent(being, q.index, effect_template, depth);
        return;
    }
    // not built yet: equipping and using items from a quickslot
}
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
