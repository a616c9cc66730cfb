#include "ui/lister_drawing.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/lister.h"
#include "ui/text_boxes.h"
#include "world/globals.h"

namespace dravok {

namespace {

constexpr std::string_view hotkey_letters = "1234567890abcdefghijklmnopqrstuvwxyz";
constexpr Colour row_white = 0xEEEEEE, row_green = 0x22DD22, row_grey = 0x555555, row_red = 0xFF3030;
constexpr Colour header_fill = 0x222222, title_fill = 0x002E3F, title_frame = 0x999999;
constexpr Colour other_frame = 0x444444;
constexpr int smallest_font = 7;
constexpr int text_margin = 8;

bool draw_pane_title(Bitmap& b, int pane) {
    const tlister_settings& p = lister.panes[pane];
    if (p.title.empty()) return false;
    const bool current = pane == lister.current_pane;
    draw_panel_frame(b, p.title, 0, box_align::centre, screen_layout.panel_margin, row_white,
                     current ? title_frame : other_frame, current ? title_fill : 0, b.height(), b.width(), 0);
    return true;
}

Colour row_colour(const tlister_item& row) {
    if (row.green) return row_green;
    if (row.grey) return row_grey;
    if (row.red) return row_red;
    return row_white;
}

} // namespace

void draw_lister(Bitmap& b, int pane) {
    if (pane < 1 || pane > 3) return;
    tlister_settings& p = lister.panes[pane];
    std::vector<tlister_item>& rows = lister.rows[pane];
    const int margin = screen_layout.panel_margin, row_height = std::max(1, settings.icon_size);
    b.clear(colours::black);
    const FontSpec base = side_panel.font();
    b.set_font(base);
    b.set_font_colour(row_white);
    const int letter_width = b.text_width("w");
    int y = margin;
    if (draw_pane_title(b, pane)) y += row_height;
    for (tlister_item& row : rows)
        row.hotkey = 0;
    const int sb = settings.scrollbar_width;
    const int page =
        std::clamp((b.height() - row_height - 2 * margin) / row_height, 1, int(hotkey_letters.size()));
    if (p.row_count < 1 || p.top_row < 1) {
        draw_scrollbar(b, 0, 0, b.height() - margin, y, b.width() - margin, 0);
        return;
    }
    const bool current = pane == lister.current_pane;
    std::size_t next_letter = 0;
    int drawn = 0;
    // not built yet: amounts, selections, prices, notes and the side-panel form of a pane
    for (int r = p.top_row; r <= p.row_count && r < int(rows.size()) && drawn < page; ++r, ++drawn) {
        tlister_item& row = rows[r];
        b.set_font(base);
        if (!row.header.empty()) {
            draw_framed_text_box(b, row.header, margin, box_align::left, margin, row_white, header_fill,
                                 header_fill, y + row_height - scaled(3), b.width() - margin - sb,
                                 y + scaled(3));
        } else {
            int x = 3 * margin;
            const Colour colour = row_colour(row);
            b.set_font_colour(colour);
            b.set_brush_clear();
            if (current && !row.red && next_letter < hotkey_letters.size()) {
                row.hotkey = hotkey_letters[next_letter++];
                const std::string key(1, row.hotkey);
                b.text_out(x - b.text_width(key) / 2, y + (row_height - b.text_height(key)) / 2, key);
            }
            x += margin + letter_width;
            if (row.image >= 1) {
                icon_sprites.draw(b, x, y, row.image);
                x += settings.icon_size + margin;
            }
            std::string text = row.text;
            if (!text.empty()) text[0] = char(std::toupper(static_cast<unsigned char>(text[0])));
            FontSpec font = base;
            b.set_font(font);
            b.set_font_colour(colour);
            while (b.text_width(text) > b.width() - x - text_margin && font.height >= smallest_font) {
                --font.height;
                b.set_font(font);
                b.set_font_colour(colour);
            }
            b.text_out(x, y + (row_height - b.text_height(text)) / 2, text);
        }
        if (current && r == p.top_row + p.cursor - 1)
            b.frame_rect(Rect{margin, y, b.width() - sb - margin, y + row_height}, colours::white);
        y += row_height;
    }
    p.rows_shown = drawn;
    if (sb > 0)
        draw_scrollbar(b, p.top_row, p.top_row + drawn - 1, b.height() - margin, margin + row_height,
                       b.width() - margin, p.row_count);
}

} // namespace dravok
