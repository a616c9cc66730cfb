// Table layout; see table_layout.h.
#include "ui/table_layout.h"

#include "ui/layout.h"
#include "world/settings_record.h"

namespace dravok {

namespace {
constexpr int text_gap_after_image = 3;

bool has_image(const ttable_item& cell) {
    return cell.icon > 0 || cell.sprite > 0 || cell.being >= 1;
}
} // namespace

bool table_cell_used(const ttable_item& cell) {
    return !cell.text.empty() || cell.icon > 0 || cell.sprite > 0 || cell.being >= 1 || cell.separator != 0;
}

void layout_table(const ttable& source, ttable& out) {
    out = source;
    out.rows_used = 0;
    out.columns_used = 0;
    out.row_cells.fill(0);
    int widest_row = 0;
    for (int r = 1; r <= table_size; ++r)
        for (int c = 1; c <= table_size; ++c) {
            ttable_item& cell = out.cells[r][c];
            if (!table_cell_used(cell)) continue;
            ++out.row_cells[r];
            if (c > out.columns_used) {
                out.columns_used = c;
                widest_row = r;
            }
            out.rows_used = r;
            if (cell.width == 0) cell.width = settings.icon_size;
            if (c >= 2 && !has_image(cell) && cell.left_gap == 0) {
                const ttable_item& before = out.cells[r][c - 1];
                if (table_cell_used(before) && has_image(before))
                    cell.left_gap = scaled(text_gap_after_image);
            }
        }
    out.has_notes = 0;
    for (int c = 1; c <= table_size; ++c)
        if (!out.notes[c].empty()) out.has_notes = 1;
    out.content_width = 0;
    if (widest_row > 0) {
        for (int c = 1; c <= out.columns_used; ++c)
            out.content_width += out.cells[widest_row][c].width;
        out.content_width += (out.columns_used - 1) * out.column_spacing;
    }
    out.width = out.content_width + 2 * out.margin;
    out.height = out.rows_used * out.row_height + (out.rows_used - 1) * out.row_spacing + 2 * out.margin;
    if (!out.title.empty()) out.height += out.row_height;
    if (out.has_notes) out.height += out.notes_height;
    for (int r = 1; r <= table_size; ++r) {
        if (out.row_cells[r] != 1) continue;
        for (int c = 1; c <= table_size; ++c)
            if (table_cell_used(out.cells[r][c])) out.cells[r][c].width = out.content_width;
    }
}

} // namespace dravok
