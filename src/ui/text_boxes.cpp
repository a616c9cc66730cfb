// Texts in boxes; see text_boxes.h.
#include "ui/text_boxes.h"

#include <algorithm>
#include <string>

#include "ui/layout.h"
#include "world/rounding.h"

namespace dravok {
namespace {

std::string plain_text(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '$' && i + 1 < text.size()) {
            ++i;
            continue;
        }
        if (text[i] == '\r' || text[i] == '\n') continue;
        out += text[i];
    }
    return out;
}

} // namespace

void draw_text_in_box(Bitmap& bitmap, std::string_view text, int left, Point& out, bool shadow,
                      BrushStyle brush, box_align align, int margin, int bottom, int right, int top) {
    const std::string s = plain_text(text);
    const Size ext = bitmap.text_extent(s);
    int dx;
    if (align == box_align::left)
        dx = margin;
    else if (align == box_align::right)
        dx = (right - left) - ext.width - margin;
    else
        dx = ((right - left) - ext.width) / 2;
    const int dy = ((bottom - top) - ext.height) / 2;
    const Colour brush_colour = bitmap.brush_colour();
    const BrushStyle old_style = bitmap.brush_style();
    bitmap.set_brush_style(brush);
    if (shadow) {
        const Colour c = bitmap.font().colour;
        bitmap.set_font_colour(colours::black);
        bitmap.text_out(left + dx + 1, top + dy + 1, s);
        bitmap.set_font_colour(c);
    }
    bitmap.text_out(left + dx, top + dy, s);
    bitmap.set_brush(brush_colour);
    bitmap.set_brush_style(old_style);
    out = Point{left + dx, top + dy};
}

void draw_label_box(Bitmap& bitmap, std::string_view text, int left, Point& out, box_align align, int margin,
                    int bottom, int right, int top) {
    const std::string s = plain_text(text);
    const int cx = bitmap.text_width(s);
    const int middle = (left + right) / 2;
    bitmap.fill_rect(
        Rect{middle - cx / 2 - scaled(8), top - scaled(1), middle + cx / 2 + scaled(8), bottom + scaled(2)},
        colours::black);
    draw_text_in_box(bitmap, s, left, out, false, BrushStyle::clear, align, margin, bottom, right, top);
}

Colour scale_colour(Colour colour, double factor) {
    auto ch = [factor](int c) { return std::min(255, round_half_even(c * factor)); };
    return rgb(ch(red_of(colour)), ch(green_of(colour)), ch(blue_of(colour)));
}

} // namespace dravok
