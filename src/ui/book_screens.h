// The book and help screens: the book being read with its scroll bar, and the keyboard of the
// help screen (help_screen.h). Called by the frame drawing.
#pragma once
#include <string>

namespace dravok {

void draw_book();
// The book's text wrapped to its page in the book's font; installed for the rules' book opening.
std::string wrap_book_text(const std::string& text);
void draw_help_screen();

} // namespace dravok
