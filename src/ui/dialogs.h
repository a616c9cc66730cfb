// Dialogs: the question box over the map (the dialog mode) with a title, text lines revealed
// one at a time, a question and answer buttons. The rules open one through a setup when an
// action needs the player's decision; the end of play opens the game-over dialog. Owns the
// record, the setups, the dialog keys and the hand-over of the answer to the rules.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace dravok {

constexpr int dialog_max_lines = 20, dialog_max_buttons = 20;

// Dialog kinds.
constexpr int dialog_confirmation = 1, dialog_bump_friendly = 2, dialog_locked_furniture = 3,
              dialog_ground_trap = 4, dialog_furniture_trap = 5, dialog_switch = 6, dialog_friendly_fire = 7,
              dialog_golem = 8, dialog_game_over = 9, dialog_leave_game = 10;

struct tdialog {
    std::array<std::string, dialog_max_lines + 1> lines; // 1..20
    int32_t kind = 0;
    int32_t confirmation = 0;
    int32_t lines_total = 0;
    int32_t lines_shown = 1;
    int32_t picture = 0;
    int32_t button_count = 0;
    int32_t selected = 1;
    int32_t thing = 0;
    int32_t partner = 0;
    int32_t x = 0, y = 0;
    std::string title;
    std::string question;
};

struct tdialog_button {
    std::string text;
    int32_t answer = 0;
    int32_t talent = 0;
    int32_t item = 0;
};

extern tdialog dialog;
extern std::array<tdialog_button, dialog_max_buttons + 1> dialog_buttons; // 1..20
// Which lines already reached the message log (1..20).
extern std::array<uint8_t, dialog_max_lines + 1> dialog_lines_logged;

void setup_property_confirmation_dialog(int confirmation, int thing, int x, int owner, int y);
void setup_locked_furniture_dialog(int confirmation, int thing, int x, int y);
void setup_use_portal(int thing, int x, int y);
void setup_bump_friendly_dialog(int being);
void setup_friendly_fire_dialog(int confirmation);
void setup_ground_trap_dialog(int confirmation, int thing, int x, int y);
void setup_furniture_trap_dialog(int confirmation, int thing, int x, int y);
void setup_switch_dialog(int confirmation, int thing, int x, int y);
void setup_activate_golem_dialog(int confirmation, int thing, int x, int scroll, int y);
void setup_game_over_dialog();
// Asks before the game menu's choice (quit, or back to the main menu) ends the game in progress
// unsaved; "No" goes back to the game menu.
void setup_leave_game_dialog(int menu_action);

void handle_dialog_commands(int command, int key, int modifier);
// The kind of the open dialog (the frame drawing asks).
int current_dialog_kind();
// The open dialog in the log panel's place, and the text-entry field over its menu row.
void draw_dialog();
// Forgets the dialog partner's kept description; a new or loaded game picks its texts afresh.
void forget_partner_description();
void draw_string_dialog();

// Closes the dialog back to the main mode.
void close_dialog();
// The answer handlers, with the selected button.
void handle_dialog_confirmation();
void handle_dialog_confirmation_cancelled();
void handle_dialog_bump_friendly();
void handle_dialog_locked_furniture();
void handle_dialog_ground_trap();
void handle_dialog_furniture_trap();
void handle_dialog_switch();
void handle_dialog_activate_golem();
void handle_dialog_game_over();
void handle_dialog_leave_game();

} // namespace dravok
