// Marked-up text; see marked_text.h.
#include "ui/marked_text.h"

#include <array>
#include <string>

#include "ui/layout.h"
#include "world/rounding.h"

namespace dravok {
namespace {

// Code letters are case-sensitive: "$w" is white, a capital W is no code.
constexpr std::string_view colour_letters = "BFSENDwd";
constexpr std::array<Colour, 8> letter_colours = {0xBBBBBB, 0xFF3030, 0x22DD22, 0xDDAA00,
                                                  0x9999FF, 0x22DDDD, 0xFFFFFF, 0x777777};
constexpr Colour default_colour = 0xBBBBBB;
constexpr Colour shadow_colour = 0x050505;
// The frame of a key cap starts above its text and ends below it.
constexpr int cap_rise = 2, cap_drop = 3;

void draw_piece(Bitmap& b, std::string_view piece, int& x, bool shadow, int y) {
    if (piece.empty()) return;
    if (shadow) {
        const Colour c = b.font().colour;
        b.set_font_colour(shadow_colour);
        b.text_out(x + 1, y + 1, piece);
        b.set_font_colour(c);
    }
    b.text_out(x, y, piece);
    x += b.text_width(piece);
}

} // namespace

int key_cap_overhang() {
    return scaled(cap_rise) + scaled(cap_drop);
}

Colour colour_of_code(std::string_view code) {
    if (!code.empty() && code.front() == '$') code.remove_prefix(1);
    if (code.empty()) return default_colour;
    const std::size_t i = colour_letters.find(code.front());
    return i == std::string_view::npos ? default_colour : letter_colours[i];
}

void draw_marked_line(Bitmap& b, std::string_view text, int x, bool shadow, int y) {
    const BrushStyle old_style = b.brush_style();
    if (shadow) b.set_brush_clear();
    const int sw = b.text_width(" ");
    while (!text.empty()) {
        const std::size_t dollar = text.find('$');
        const std::size_t cap = text.find("[[");
        if (dollar == std::string_view::npos && cap == std::string_view::npos) {
            draw_piece(b, text, x, shadow, y);
            break;
        }
        if (dollar < cap) {
            draw_piece(b, text.substr(0, dollar), x, shadow, y);
            const bool has_letter = dollar + 1 < text.size();
            if (has_letter) b.set_font_colour(colour_of_code(text.substr(dollar + 1, 1)));
            text.remove_prefix(dollar + (has_letter ? 2 : 1));
            continue;
        }
        if (cap > 0) {
            draw_piece(b, text.substr(0, cap), x, shadow, y);
            text.remove_prefix(cap);
            continue;
        }
        text.remove_prefix(2);
        const std::size_t close = text.find("]]");
        if (close == std::string_view::npos) continue; // an opener without its closer is dropped
        std::string key(text.substr(0, close));
        text.remove_prefix(close + 2);
        // The name comes with its own blanks round it ("[[ ENTER ]]"); the cap pads it evenly.
        while (!key.empty() && key.front() == ' ')
            key.erase(0, 1);
        while (!key.empty() && key.back() == ' ')
            key.pop_back();
        x += round_half_even(sw * 0.8);
        const int h = b.text_height("Aj");
        b.frame_rect(Rect{x, y - scaled(cap_rise), x + b.text_width(key) + 2 * sw, y + h + scaled(cap_drop)},
                     b.font().colour);
        b.set_brush(colours::black);
        b.set_brush_clear();
        draw_piece(b, " " + key + " ", x, shadow, y);
        // Half a blank keeps what follows ("," or the next word) off the frame's edge.
        x += round_half_even(sw * 0.5);
    }
    b.set_brush_style(old_style);
}

int draw_marked_lines(Bitmap& b, std::string_view text, int x, bool shadow, int line_height, int y) {
    while (true) {
        const std::size_t end = text.find("\r\n");
        draw_marked_line(b, text.substr(0, end), x, shadow, y);
        y += line_height;
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 2);
    }
    return y;
}

} // namespace dravok
