// The game's history: the lines of what happened in a game, written into a text file beside
// the obituary. Called by the rules when something worth telling happens, and by the end of play.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace dravok {

// Adds a line to the character's history (nothing before a character is in play).
void add_history(std::string_view text);
// The history as text lines (CR LF); false when the file cannot be written.
bool write_history_file(const std::string& path);
// The history from such a file; a missing file leaves it empty.
void read_history_file(const std::string& path);

// Puts the obituary of the player's character (its final sheet, what it carried, used, killed
// and explored) in front of the history and names its file in the run state.
void write_obituary();
// The seconds as hours with one decimal and a point: 5400 gives "1.5".
std::string hours_text(uint32_t seconds);

} // namespace dravok
