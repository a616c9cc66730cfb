// The help screen: a drawn keyboard whose keys carry the commands bound to them with the help
// modifier, the description of the highlighted key or, without one, general hints. Drawn by the
// frame drawing of the help mode.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bitmap.h"

namespace dravok {

// The hints shown when no key is asked about, in the screen's left and right columns ("[[ KEY ]]"
// marks a key cap); the manual prints them too.
extern const std::array<std::vector<std::string>, 2> general_help_hints;

// The keyboard of the layout text and the texts below it, across the bitmap's width.
void draw_keyboard(Bitmap& bitmap, std::string_view layout, int width, int margin);
// One key: a bevelled face, its text and the labels ("|" between lines) below it; nothing for
// face colour 0.
void draw_key_cap(Bitmap& bitmap, int x, int y, const std::string& labels, const std::string& key_text,
                  int bevel, Colour label_colour, Colour key_text_colour, Colour face_colour, int height,
                  int width);

} // namespace dravok
