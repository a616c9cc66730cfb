// The game's history: the lines of what happened in a game, written into a text file beside
// the obituary. Called by the rules when something worth telling happens, and by the end of play.
#pragma once
#include <string>
#include <string_view>

namespace dravok {

// Adds a line to the character's history (nothing before a character is in play).
void add_history(std::string_view text);
void write_history_file(const std::string& path);

// Writes the obituary of the player's character when it dies.
void write_obituary();

} // namespace dravok
