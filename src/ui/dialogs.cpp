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
