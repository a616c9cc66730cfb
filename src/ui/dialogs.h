// The dialogs the rules open, and the dialog mode's keys.
#pragma once

namespace dravok {

void handle_dialog_commands(int command, int key, int modifier);
void setup_ground_trap_dialog(int being, int x, int y, int kind);
void setup_activate_golem_dialog(int being, int golem);
// Confirmation values carried by the furniture dialogs: the action done on "yes".
constexpr int confirm_toggle = 7, confirm_close = 8, confirm_loot = 9, confirm_portal = 10,
              confirm_pick_lock = 13, confirm_force = 14;
void setup_property_confirmation_dialog(int confirmation, int thing, int x, int owner, int y);
void setup_locked_furniture_dialog(int confirmation, int thing, int x, int y);
void setup_furniture_trap_dialog(int confirmation, int thing, int x, int y);
void setup_switch_dialog(int confirmation, int thing, int x, int y);
void setup_use_portal(int thing, int x, int y);
void setup_bump_friendly_dialog(int being);

} // namespace dravok
