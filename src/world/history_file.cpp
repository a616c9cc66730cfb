#include "world/history_file.h"

#include <optional>

#include "platform/files.h"
#include "world/globals.h"

namespace dravok {

void add_history(std::string_view text) {
    // not built yet: the history line's game time and level
    if (player_character > 0) history.emplace_back(text);
}

bool write_history_file(const std::string& path) {
    std::string text;
    for (const std::string& line : history)
        text += line + "\r\n";
    return write_file(path, text);
}

void read_history_file(const std::string& path) {
    history.clear();
    const std::optional<std::string> text = read_text_file(path);
    if (!text) return;
    std::size_t start = 0;
    while (start < text->size()) {
        std::size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        std::string line = text->substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        history.push_back(std::move(line));
        start = end + 1;
    }
}

// not built yet: no obituary is written when the player's character dies
void write_obituary() {}

} // namespace dravok
