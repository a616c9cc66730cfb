// Texts in boxes and colour scaling, as the map view, the panels and the screens draw them:
// centred or aligned text with a drop shadow, a label on a black box, framed boxes and panel
// frames, wrapped text, scroll bars, and a colour scaled by a factor. Called by every renderer unit.
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
// The box filled and framed, the text in it in the text colour (no shadow, clear brush).
void draw_framed_text_box(Bitmap& bitmap, std::string_view text, int left, box_align align, int margin,
                          Colour text_colour, Colour frame_colour, Colour fill_colour, int bottom, int right,
                          int top);
// A title bar of the icon size (when the title is not empty) and a frame round the panel.
void draw_panel_frame(Bitmap& bitmap, std::string_view title, int left, box_align align, int margin,
                      Colour text_colour, Colour frame_colour, Colour fill_colour, int height, int width,
                      int top);
// Word-wrapped marked-up text from (x, y) in the width; returns the y below it.
int draw_wrapped_text(Bitmap& bitmap, std::string_view text, int x, bool shadow, int line_height, int width,
                      int y);
// A scroll bar along the right edge for rows first..last of total.
void draw_scrollbar(Bitmap& bitmap, int first_row, int last_row, int bottom, int top, int right,
                    int total_rows);
// Each channel times the factor, rounded half to even, at most 255.
Colour scale_colour(Colour colour, double factor);

} // namespace dravok
