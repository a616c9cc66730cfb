// Mode key handlers. The help screen's keys are whole; the other screens, until they land,
// return to the map on any key.
#include "ui/mode_keys.h"

#include "ui/character_sheet.h"
#include "ui/key_bindings.h"
#include "world/error_log.h"
#include "world/globals.h"
#include "world/message_log.h"

namespace dravok {

// Any key leaves the sheet for the mode it was opened from.
void handle_character_commands(int, int, int, int) {
    game_mode = sheet_view[sheet_view_return_mode];
}
void handle_book_commands(int, int, int, int) {
    game_mode = 3;
}

void open_character_sheet(int being) {
    sheet_view = {};
    sheet_view[sheet_view_being] = being;
    sheet_view[sheet_view_return_mode] = game_mode;
    game_mode = mode_character;
}

void open_help_screen() {
    help_return_mode = game_mode;
    help_key = 0;
    help_modifier = 0;
    game_mode = 13;
}

void handle_help_commands(int, int command, int key, int modifier) {
    if (key == key_escape || command == HELP) {
        game_mode = help_return_mode != 0 ? help_return_mode : 3;
        return;
    }
    if (modifier == 0) {
        help_key = help_key == key ? 0 : uint8_t(key);
        return;
    }
    help_modifier = help_modifier == modifier ? 0 : uint8_t(modifier);
}

void handle_autopilot_commands(int, int, int, int) {
    // not built yet: choosing the autopilot's destination by keys; any key returns to the map
    game_mode = mode_main;
}

} // namespace dravok
