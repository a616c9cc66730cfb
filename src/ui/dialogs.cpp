// Dialogs. Until they land a dialog is only its mode, and its keys close it.
#include "ui/dialogs.h"

#include "rules/stand_ins.h"

namespace dravok {

void handle_dialog_commands(int, int, int) { game_mode = 3; }
void setup_ground_trap_dialog(int, int, int, int) { game_mode = 6; }
void setup_activate_golem_dialog(int, int) { game_mode = 6; }

} // namespace dravok
