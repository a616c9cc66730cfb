// Save games: saving and loading a game, the list of saves the load menu shows, and the
// characters file of past characters. Called by the menus and character creation.
#pragma once
#include <string>

#include "records/layout_files.h"

namespace dravok {

// Writes the running game into the save folder under the character's name.
void save_game();
// Loads the save of that name; false when it could not be loaded.
bool load_game(const std::string& name);
// save_names from the save folder, newest first.
void build_save_list();
// The characters file: the sheet becomes entry 1 (the last played) and, pregenerated, a stored
// character of its own; past_characters read back from the file.
void save_characters(const tcharacter& sheet, bool pregenerated);
void load_characters();

} // namespace dravok
