// Marked-up text: "$" and a letter switch the colour of what follows, "[[ KEY ]]" is drawn as a
// framed key cap. One line, lines split at "\r\n", and the colour of a code. Called by the log
// panel, the side panels, the list screens, the dialogs and every wrapped text.
#pragma once
#include <string_view>

#include "platform/bitmap.h"

namespace dravok {

// The colour of a code letter (with or without its "$"); the default grey for any other.
Colour colour_of_code(std::string_view code);
// The pixels a key cap's frame reaches above and below its line of text, together.
int key_cap_overhang();
// One line from (x, y) in the bitmap's font colour; codes change the colour of what follows.
void draw_marked_line(Bitmap& bitmap, std::string_view text, int x, bool shadow, int y);
// The text split at each "\r\n", one line every line_height pixels; returns the y below it.
int draw_marked_lines(Bitmap& bitmap, std::string_view text, int x, bool shadow, int line_height, int y);

} // namespace dravok
