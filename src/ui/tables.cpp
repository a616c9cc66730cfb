#include "ui/tables.h"
#include "records/layout_being.h"

#include "records/layout_being.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/text_boxes.h"
#include "world/being.h"
#include "world/beings.h"

namespace dravok {

const ttable blank_table{};

namespace {
constexpr Colour separator_colour = 0x2A2A2A;
} // namespace

void draw_table(Bitmap& b, const ttable& t) {
    b.set_size(t.width, t.height);
    b.fill_rect(Rect{0, 0, t.width, t.height}, colours::black);
    const FontSpec base = side_panel.font();
    const bool titled = !t.title.empty();
    if (t.frame_colour != 0)
        b.frame_rect(Rect{0, titled ? t.row_height / 2 : 0, t.width, t.height}, t.frame_colour);
    int y = 0;
    if (titled) {
        FontSpec f = base;
        f.colour = colours::white;
        b.set_font(f);
        const std::string title = "  " + t.title + "  ";
        const Size s = b.text_extent(title);
        const int x = (t.width - s.width) / 2, ty = (t.row_height - s.height) / 2;
        b.fill_rect(Rect{x, ty, x + s.width, ty + s.height}, colours::black);
        b.set_brush_clear();
        b.text_out(x, ty, title);
        y = t.row_height + (t.has_notes ? 0 : t.row_spacing);
    } else {
        y = t.has_notes ? t.row_spacing : t.margin;
    }
    b.set_brush_clear();
    if (t.has_notes) {
        FontSpec f = base;
        f.height = t.notes_font_height;
        f.colour = t.notes_colour;
        b.set_font(f);
        int x = t.margin;
        for (int c = 1; c <= t.columns_used; ++c) {
            const int w = t.cells[1][c].width;
            const Size s = b.text_extent(t.notes[c]);
            if (!t.notes[c].empty())
                b.text_out(x + (w - s.width) / 2, y + (t.notes_height - s.height) / 2, t.notes[c]);
            x += w + t.column_spacing;
        }
        y += t.notes_height + t.row_spacing;
    }
    for (int r = 1; r <= t.rows_used; ++r) {
        int x = t.margin;
        for (int c = 1; c <= t.columns_used; ++c) {
            const ttable_item& cell = t.cells[r][c];
            const Rect box{x, y, x + cell.width, y + t.row_height};
            if (cell.background != 0) b.fill_rect(box, cell.background);
            FontSpec f = base;
            if (cell.font_height != 0) f.height = cell.font_height;
            if (cell.font_colour != 0) f.colour = cell.font_colour;
            b.set_font(f);
            b.set_brush_clear();
            if (cell.icon >= 1) {
                icon_sprites.draw_stretched(b, box, cell.icon);
            } else if (cell.sprite >= 1) {
                object_sprites.draw_stretched(b, box, cell.sprite);
            } else if (cell.being >= 1) {
                if (cell.being < int(beings.size()) && beings[cell.being].image >= 1)
                    object_sprites.draw_stretched(b, box, beings[cell.being].image);
            } else if (!cell.text.empty()) {
                const Size s = b.text_extent(cell.text);
                const int ty = y + (t.row_height - s.height) / 2;
                const int tx = cell.alignment < 0   ? x + cell.left_gap
                               : cell.alignment > 0 ? x + cell.width - cell.left_gap - s.width
                                                    : x + (cell.width - s.width) / 2;
                b.text_out(tx, ty, cell.text);
            } else if (cell.separator) {
                b.set_pen(separator_colour);
                b.line(t.margin, y + t.row_height / 2, t.width - t.margin, y + t.row_height / 2);
            }
            x += cell.width + t.column_spacing;
        }
        y += t.row_height + t.row_spacing;
    }
}

Colour compare_colour(int value, int reference, Colour same, Colour lower, Colour higher) {
    return value < reference ? lower : value > reference ? higher : same;
}

} // namespace dravok
