// Using items: reading, drinking, zapping and applying what a being carries, and the book being
// read. Called by the dialog answers, the quickslots, the AI and the book screen.
#pragma once
#include <cstdint>
#include <string>

namespace dravok {

// The book being read: its name, its text (lines separated by CR LF), its line count, the first
// line shown (from 1), and whether the book screen showed its last line.
extern std::string book_name;
extern std::string book_text;
extern int32_t book_line_count;
extern int32_t book_top_line;
extern uint8_t book_at_end;

// True when the item was used.
bool use_item(int being, int item, int depth);

} // namespace dravok
