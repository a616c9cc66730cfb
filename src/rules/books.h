// The book being read: its identifier, name and text, and opening the reading mode.
// Called by item use and the list screens; the book screen draws and scrolls it.
#pragma once
#include <string>

namespace dravok {

extern std::string book_identifier;
extern std::string book_name;
extern std::string book_text;
extern int book_line_count;
extern int book_top_line;
extern bool book_at_end; // set by the drawing when the last line is shown

// Opens the reading mode on the lore of the book named in book_identifier.
void show_item_lore();

} // namespace dravok
