// The key handlers of the character-sheet, book, help and autopilot modes.
// Called by the key dispatch.
#pragma once

namespace dravok {

void handle_character_commands(int being, int command, int key, int modifier);
void handle_book_commands(int being, int command, int key, int modifier);
void handle_help_commands(int being, int command, int key, int modifier);
void handle_autopilot_commands(int being, int command, int key, int modifier);
// Opens the character sheet of the being over the present mode.
void open_character_sheet(int being);
// Opens the help screen over the present mode.
void open_help_screen();

} // namespace dravok
