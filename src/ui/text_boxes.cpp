// Texts in boxes; see text_boxes.h.
#include "ui/text_boxes.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "ui/layout.h"
#include "ui/marked_text.h"
#include "world/message_log.h"
#include "world/rounding.h"
#include "world/settings_record.h"

namespace dravok {
namespace {

constexpr Colour scrollbar_track = 0x191919, scrollbar_thumb = 0x363636;

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

void draw_framed_text_box(Bitmap& bitmap, std::string_view text, int left, box_align align, int margin,
                          Colour text_colour, Colour frame_colour, Colour fill_colour, int bottom, int right,
                          int top) {
    const Rect box{left, top, right, bottom};
    bitmap.fill_rect(box, fill_colour);
    bitmap.frame_rect(box, frame_colour);
    const Colour old = bitmap.font().colour;
    bitmap.set_font_colour(text_colour);
    Point out;
    draw_text_in_box(bitmap, text, left, out, false, BrushStyle::clear, align, margin, bottom, right, top);
    bitmap.set_font_colour(old);
}

void draw_panel_frame(Bitmap& bitmap, std::string_view title, int left, box_align align, int margin,
                      Colour text_colour, Colour frame_colour, Colour fill_colour, int height, int width,
                      int top) {
    if (!title.empty())
        draw_framed_text_box(bitmap, title, left, align, margin, text_colour, frame_colour, fill_colour,
                             top + settings.icon_size, left + width, top);
    bitmap.frame_rect(Rect{left, top, left + width, top + height}, frame_colour);
}

int draw_wrapped_text(Bitmap& bitmap, std::string_view text, int x, bool shadow, int line_height, int width,
                      int y) {
    if (strip_colour_codes(text).empty()) return y;
    std::string wrapped;
    wrap_log_text(bitmap, text, width, wrapped, false);
    return draw_marked_lines(bitmap, wrapped, x, shadow, line_height, y);
}

void draw_scrollbar(Bitmap& bitmap, int first_row, int last_row, int bottom, int top, int right,
                    int total_rows) {
    if (bottom == 0) bottom = bitmap.height();
    if (right == 0) right = bitmap.width();
    const int left = right - settings.scrollbar_width;
    if (total_rows == 0) {
        bitmap.fill_rect(Rect{left, top, right, bottom}, scrollbar_thumb);
        return;
    }
    bitmap.fill_rect(Rect{left, top, right, bottom}, scrollbar_track);
    const double span = bottom - top;
    const int a = round_half_even((first_row - 1) / double(total_rows) * span) + top;
    const int b = std::min(bottom, int(std::floor(last_row / double(total_rows) * span)) + top);
    bitmap.fill_rect(Rect{left, a, right, b}, scrollbar_thumb);
}

Colour scale_colour(Colour colour, double factor) {
    auto ch = [factor](int c) { return std::min(255, round_half_even(c * factor)); };
    return rgb(ch(red_of(colour)), ch(green_of(colour)), ch(blue_of(colour)));
}

} // namespace dravok
