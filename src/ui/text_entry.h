// The text-entry dialog: a one-line field that edits the text of an editable menu row in place
// (the character's name). Opened from the menu keys, keyed in the string mode, drawn over the
// menu screen.
#pragma once
#include <cstdint>
#include <string>

#include "platform/fonts.h"

namespace dravok {

struct tstring_dialog {
    std::string text;
    FontSpec font;
    int32_t return_mode = 0;
    int32_t menu_id = 0;
    int32_t menu_row = 0;
    int32_t x = 0, y = 0;
    int32_t max_length = 0;
    uint8_t empty_allowed = 0;
};

extern tstring_dialog string_dialog;

// Opens the field on an editable row of the current menu.
void start_text_entry(int row);
void handle_string_commands(int being, int command, int key, int modifier);
// Accepts the text into the row (and the character's name on the name row).
void close_text_entry();

} // namespace dravok
