// List screens. Until they land, opening one shows its mode and its keys return to the map.
#include "ui/lister.h"

#include "platform/desktop.h"
#include "platform/events.h"
#include "records/being_flags.h"
#include "rules/stand_ins.h"
#include "rules/talents.h"
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

tlister_state lister;

void handle_lister_commands(int, int, int, int) {
    game_mode = 3;
}
void reset_lister() {
    lister = {};
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

} // namespace dravok
