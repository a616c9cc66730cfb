// The dialogs the rules open, and the dialog mode's keys.
#pragma once

namespace dravok {

void handle_dialog_commands(int command, int key, int modifier);
void setup_ground_trap_dialog(int being, int x, int y, int kind);
void setup_activate_golem_dialog(int being, int golem);
void setup_property_confirmation_dialog(int confirmation, int thing, int x, int owner, int y);
void setup_locked_furniture_dialog(int confirmation, int thing, int x, int y);
void setup_furniture_trap_dialog(int confirmation, int thing, int x, int y);
void setup_switch_dialog(int confirmation, int thing, int x, int y);
void setup_use_portal(int thing, int x, int y);
void setup_bump_friendly_dialog(int being);
// The open dialog and the text-entry dialog on screen; the kind of the open dialog (0 none).
void draw_dialog();
void draw_string_dialog();
int current_dialog_kind();
void setup_game_over_dialog();

} // namespace dravok
