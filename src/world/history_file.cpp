#include "world/history_file.h"

#include "platform/files.h"
#include "world/globals.h"

namespace dravok {

void add_history(std::string_view text) {
    // not built yet: the history line's game time and level
    if (player_character > 0) history.emplace_back(text);
}

void write_history_file(const std::string& path) {
    std::string text;
    for (const std::string& line : history)
        text += line + "\r\n";
    write_file(path, text);
}

// not built yet: no obituary is written when the player's character dies
void write_obituary() {}

} // namespace dravok
