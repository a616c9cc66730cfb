// List screens. Until they land, opening one shows its mode and its keys return to the map;
// the quickslots of the main mode are carried out.
#include "ui/lister.h"
#include "ui/graphics.h"

#include "records/being_flags.h"
#include "rules/being_update.h"
#include "rules/equipment.h"
#include "rules/item_use.h"
#include "rules/talents.h"
#include "world/being.h"
#include "world/error_log.h"
#include "world/globals.h"
#include "world/item_record.h"
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
namespace {

constexpr int last_armour_slot = 7; // slots 1..7 are not changed in sight of hostiles

// The slot of the active set that a weapon-set slot recorded in a quickslot stands for.
int slot_in_active_set(int recorded, int active) {
    if (recorded < set_1_main_hand || recorded > slot_set2_off) return recorded;
    const int hand = (recorded - set_1_main_hand) % 2;
    return active + hand;
}

void use_equipment_quickslot(int being, const tquickslot& q, int depth) {
    tbeing& b = beings[being];
    const int item = q.index;
    if (!is_item_ok(item, being, depth)) return;
    if (q.equipment_slot >= 1 && q.equipment_slot <= last_armour_slot && b.seen_hostiles > 0) return;
    const int active = b.active_set, other = active == set_1_main_hand ? set_2_main_hand : set_1_main_hand;
    const int worn = being_items[being][item].slot;
    if (worn >= 1 && worn <= equipment_slot_count && worn != other && worn != other + 1) {
        equip_item(being, 0, worn, depth, false);
    } else {
        const int target = slot_in_active_set(q.equipment_slot, active);
        const titem& it = being_items[being][item];
        if (weapon_set_hand_ok(being, target, it)) {
            equip_item(being, item, target, depth, false);
        } else if (target >= set_1_main_hand && target <= slot_set2_off &&
                   (has_item_flag(it, if_two_handed) || being_status(b, st_dualwield) != 0)) {
            equip_item(being, 0, active, depth, true);
            equip_item(being, 0, active + 1, depth, true);
            equip_item(being, item, target, depth, false);
        }
    }
    update_being(being, depth);
    check_ammunition(being, depth);
}

} // namespace

void use_quickslot(int being, int slot, int depth) {
    if (!is_being_ok(being, depth) || slot < 1 || slot > quickslot_count) return;
    const tquickslot q = beings[being].quickslot(slot);
    switch (q.kind) {
    case quickslot_equipment:
        use_equipment_quickslot(being, q, depth);
        break;
    case quickslot_usable_item:
        use_item(being, q.index, depth);
        break;
    case quickslot_talent:
        if (has_stamina_for_talent(being, q.index, true)) use_talent(being, q.index, teffect{}, depth);
        break;
    default:
        break;
    }
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
