#include "rules/books.h"

#include <algorithm>

#include "world/globals.h"
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
    expand_text(text, 0, 0, book_text);
    // The screen wraps long lines to its page; here a line is what the text breaks into.
    book_line_count = 1;
    for (std::size_t at = book_text.find("\\n"); at != std::string::npos; at = book_text.find("\\n", at + 2))
        ++book_line_count;
    book_top_line = 1;
    book_at_end = false;
    game_mode = mode_book;
}

} // namespace dravok
