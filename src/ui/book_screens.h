// The book and help screens. Called by the frame drawing.
#pragma once

namespace dravok {

void draw_book();
void draw_help_screen();

} // namespace dravok
