// The book and help screens: the book being read with its scroll bar, and the keyboard of the
// help screen (help_screen.h). Called by the frame drawing.
#pragma once

namespace dravok {

void draw_book();
void draw_help_screen();

} // namespace dravok
