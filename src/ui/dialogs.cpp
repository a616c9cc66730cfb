// Dialogs. Until they land a dialog is only its mode, and its keys close it.
#include "ui/dialogs.h"

#include "world/error_log.h"
#include "world/globals.h"
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

void draw_dialog() {
    // not built yet: the dialog's text and choices
}
void draw_string_dialog() {
    // not built yet: the text-entry dialog
}
int current_dialog_kind() {
    // not built yet: dialogs; none is ever open
    return 0;
}
void setup_game_over_dialog() {
    // not built yet: the game-over dialog
}

} // namespace dravok
