// Save games: saving and loading a game, and the list of saves the load menu shows. Called by
// the menus.
#pragma once
#include <string>

namespace dravok {

// Writes the running game into the save folder under the character's name.
void save_game();
// Loads the save of that name; false when it could not be loaded.
bool load_game(const std::string& name);
// save_names from the save folder, newest first.
void build_save_list();

} // namespace dravok
