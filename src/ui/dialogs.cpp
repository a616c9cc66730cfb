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

} // namespace dravok
