// Keys for the creation menus through the window's key path: the selected row, moving to a row,
// a command's first binding, and a new character made from NEW GAME to the first level.
// Shared by the tests that start a game the way a player starts one.
#pragma once
#include <string>

#include "records/layout.h"
#include "support/game_start.h"

namespace dravok::testing {

constexpr int key_end = 35, key_backspace = 8;

// The text of the menu row under the cursor; empty when none is.
std::string selected_text();
// Presses the command's first binding with its modifier.
void press_command(started_game& game, int command);
// Walks down to the row with the text; false when it is not reached.
bool move_to(started_game& game, const std::string& text);

// From the main menu, a new character as a player makes one who takes every choice as it comes:
// NEW GAME, the first race, the points and talents left as they are, Play. True when the
// character stands on the first level in the main mode.
bool start_new_game(started_game& game);

struct created {
    tcharacter sheet{};
    tbeing being{};
    int chosen_talent = 0;
};

// NEW GAME, a typed name (Morwen), the first race, motion raised, a skill raised, the first open
// talent, then the last row (Play). Screenshots of each menu when a prefix is given.
created create_through_keys(started_game& game, const std::string& shots,
                            const std::string& last_row = "Play");

} // namespace dravok::testing
