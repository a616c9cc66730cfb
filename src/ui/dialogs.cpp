// Dialogs. Until they land a dialog is only its mode, and its keys close it.
#include "ui/dialogs.h"

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

void handle_dialog_commands(int, int, int) {
    game_mode = 3;
}
void setup_ground_trap_dialog(int, int, int, int) {
    game_mode = 6;
}
void setup_activate_golem_dialog(int, int) {
    game_mode = 6;
}

void setup_property_confirmation_dialog(int, int, int, int, int) {
    // not built yet: the dialog asking whether to touch an owner's property
    game_mode = 6;
}
void setup_locked_furniture_dialog(int, int, int, int) {
    // not built yet: the dialog offering to pick or force a lock
    game_mode = 6;
}
void setup_furniture_trap_dialog(int, int, int, int) {
    // not built yet: the dialog offering to disable a known trap in furniture
    game_mode = 6;
}
void setup_switch_dialog(int, int, int, int) {
    // not built yet: the dialog asking whether to flick a switch
    game_mode = 6;
}
void setup_use_portal(int, int, int) {
    // not built yet: the dialog asking whether to take the stairs or the teleporter
    game_mode = 6;
}
void setup_bump_friendly_dialog(int) {
    // not built yet: the dialog for bumping a friendly creature
    game_mode = 6;
}

} // namespace dravok
