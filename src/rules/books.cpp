#include "rules/books.h"

#include <algorithm>

#include "world/game_lists.h"
#include "world/game_modes.h"
#include "world/services.h"
#include "world/text_database.h"
#include "world/text_expand.h"

namespace dravok {

std::string book_identifier;
std::string book_name;
std::string book_text;
int book_line_count = 0;
int book_top_line = 1;
bool book_at_end = false;

namespace {

// A lore section holding only this stands for the story of the game so far.
constexpr std::string_view history_marker = "report\\n";

} // namespace

void show_item_lore() {
    std::string text;
    get_section_block(0, book_identifier + "_lore", text);
    if (text == history_marker) {
        text.clear();
        for (const std::string& line : history)
            text += line + "\\n";
    }
    std::string expanded;
    expand_text(text, 0, 0, expanded);
    book_text = services.wrap_book_text(expanded);
    // Each line ends in a line break; a last line without one counts too.
    book_line_count = 0;
    for (std::size_t at = 0; at < book_text.size(); ++book_line_count) {
        const std::size_t end = book_text.find("\r\n", at);
        at = end == std::string::npos ? book_text.size() : end + 2;
    }
    book_line_count = std::max(book_line_count, 1);
    book_top_line = 1;
    book_at_end = false;
    game_mode = mode_book;
}

} // namespace dravok
