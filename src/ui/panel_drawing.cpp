// Bars, separators and icons; see panel_drawing.h.
#include "ui/panel_drawing.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "records/layout_being.h"
#include "ui/graphics.h"
#include "ui/marked_text.h"
#include "ui/text_boxes.h"
#include "world/beings.h"
#include "world/message_log.h"
#include "world/settings_record.h"
#include "world/sprite_lookup.h"

namespace dravok {
namespace {

constexpr Colour bar_track = 0x191919, separator_colour = 0x2A2A2A;
constexpr int brightest_light = 3;

void centred_white_text(Bitmap& b, std::string_view text, int x, int y, int width, int height) {
    const Colour old = b.font().colour;
    b.set_font_colour(colours::white);
    Point out;
    draw_text_in_box(b, text, x, out, false, BrushStyle::clear, box_align::centre, 0, y + height, x + width,
                     y);
    b.set_font_colour(old);
}

} // namespace

void draw_bar(Bitmap& b, int x, int y, bool hide_text, std::span<const Colour> colours, int value,
              int maximum, int height, int width) {
    b.fill_rect(Rect{x, y, x + width, y + height}, bar_track);
    if (colours.empty()) return;
    const int last = int(colours.size()) - 1;
    int filled = 0, colour = 0;
    if (maximum >= 1) {
        const float share = float(value) / float(maximum);
        filled = std::min(width, int(std::trunc(width * share)));
        const float step = float(last) / float(maximum);
        colour = std::clamp(int(std::trunc(value * step)), 0, last);
    }
    if (filled > 0) b.fill_rect(Rect{x, y, x + filled, y + height}, colours[colour]);
    if (!hide_text)
        centred_white_text(b, std::to_string(value) + " / " + std::to_string(maximum), x, y, width, height);
}

void draw_threshold_bar(Bitmap& b, int x, int y, std::span<const int> thresholds,
                        std::span<const Colour> colours, std::span<const std::string_view> labels, int value,
                        int height, int width) {
    b.fill_rect(Rect{x, y, x + width, y + height}, bar_track);
    if (thresholds.empty() || thresholds.back() == 0) return;
    const float share = float(value) / float(thresholds.back());
    const int filled = std::min(width, int(std::trunc(width * share)));
    std::size_t band = thresholds.size() - 1;
    for (std::size_t i = 0; i < thresholds.size(); ++i)
        if (thresholds[i] > value) {
            band = i;
            break;
        }
    if (filled > 0 && band < colours.size()) b.fill_rect(Rect{x, y, x + filled, y + height}, colours[band]);
    if (band < labels.size() && !labels[band].empty())
        centred_white_text(b, labels[band], x, y, width, height);
}

void draw_separator(Bitmap& b, int y, int margin, std::string_view caption) {
    b.fill_rect(Rect{margin, y, b.width() - margin, y + 1}, separator_colour);
    if (caption.empty()) return;
    const int h = settings.log_line_height;
    b.set_brush(colours::black);
    Point out;
    draw_text_in_box(b, "   " + std::string(caption) + "   ", margin, out, false, BrushStyle::solid,
                     box_align::centre, 0, y - h / 2 + h, b.width() - margin, y - h / 2);
}

void draw_icon(Bitmap& b, int x, int y, Colour frame, int image, icon_kind kind, int height, int width) {
    const Rect box{x, y, x + width, y + height};
    if (image >= 1) {
        switch (kind) {
        case icon_kind::terrain:
            terrain_sprites.draw_stretched(b, box, image);
            break;
        case icon_kind::object:
            object_sprites.draw_stretched(b, box, image);
            break;
        case icon_kind::icon:
            icon_sprites.draw_stretched(b, box, image);
            break;
        case icon_kind::being: {
            if (image >= int(beings.size()) || beings[image].serial <= 0) break;
            const tbeing& being = beings[image];
            const int t = settings.tile_size, side = std::max<int>(1, std::max(being.width, being.height));
            Bitmap& work = work_bitmaps[0];
            work.set_size(side * t, side * t);
            work.clear(colours::white);
            int part = 0;
            for (int row = 0; row < being.height; ++row)
                for (int col = 0; col < being.width; ++col) {
                    const int sprite = shaded_sprite(sprites_creature, being.image + part, brightest_light);
                    object_sprites.draw(work, col * t, row * t, sprite);
                    ++part;
                }
            work.set_transparent(true, colours::white);
            b.stretch_draw(box, work);
            work.set_transparent(false);
            break;
        }
        }
    }
    if (frame >= 1) b.frame_rect(box, frame);
    b.set_brush(colours::black);
}

void draw_icon_with_text(Bitmap& b, int x, int y, Colour frame, std::string_view text, int alignment,
                         int image, icon_kind kind, int height, int width) {
    const int gap = settings.log_margin, line = settings.log_line_height;
    int lines = 0, text_width = 0;
    std::string_view rest = text;
    while (true) {
        const std::size_t end = rest.find("\r\n");
        ++lines;
        text_width = std::max(text_width, b.text_width(strip_colour_codes(rest.substr(0, end))));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 2);
    }
    if (alignment == 1) x -= gap + width + text_width;
    draw_icon(b, x, y, frame, image, kind, height, width);
    if (text.empty()) return;
    const BrushStyle old = b.brush_style();
    b.set_brush_clear();
    const Colour colour = b.font().colour;
    draw_marked_lines(b, text, x + gap + width, true, line, y + (height - lines * line) / 2);
    b.set_font_colour(colour);
    b.set_brush_style(old);
}

} // namespace dravok
