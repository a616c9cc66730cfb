// One-line texts in boxes and colour scaling, as the map view and the panels draw them:
// centred or aligned text with a drop shadow, a label on a black box, and a colour scaled
// by a factor. Called by every renderer unit.
#pragma once
#include <string_view>

#include "platform/bitmap.h"

namespace dravok {

enum class box_align { left = -1, centre = 0, right = 1 };

// The text (colour codes and line breaks removed) in the box (left, top)..(right, bottom);
// the out point receives where it was drawn.
void draw_text_in_box(Bitmap& bitmap, std::string_view text, int left, Point& out, bool shadow,
                      BrushStyle brush, box_align align, int margin, int bottom, int right, int top);
// The same without shadow over a black box round the text.
void draw_label_box(Bitmap& bitmap, std::string_view text, int left, Point& out, box_align align, int margin,
                    int bottom, int right, int top);
// Each channel times the factor, rounded half to even, at most 255.
Colour scale_colour(Colour colour, double factor);

} // namespace dravok
