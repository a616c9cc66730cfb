// Saving the game when the player quits and loading it again: the save proper (the game
// record, the database tables' run-time state, the travelling beings and every level file), its
// summary sheet and its history. Called by the game menu and the load menu.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace dravok {

// Writes the running game into the save folder under the character's name. A save that
// cannot be written leaves the earlier save of that name as it was and gives false.
bool save_game();
// Loads the save of that name and makes its level current; the save is used up on success.
// False when it could not be loaded (a damaged save is deleted with the corrupt-file message).
bool load_game(const std::string& name);
// The part of loading before the level is entered: the save read and checked whole, then made
// the running game's (record, tables, travellers, level files, history, random seed). False
// when it failed; a damaged save is then deleted and nothing of the running game was touched.
bool read_saved_game(const std::string& name);
// Whether a save file's bytes pass every check loading makes before it touches the running game.
bool save_bytes_sound(const std::vector<uint8_t>& file);

} // namespace dravok
