// Tables of cells as the character sheet and the creation summaries show them: the table and
// cell records and the layout that counts the rows and columns in use and sizes the table.
// Filled by the sheet and summary builders, laid out here, drawn by the sheet's table drawing.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/colour.h"

namespace dravok {

constexpr int table_size = 20;

struct ttable_item {
    std::string text;
    int32_t icon = 0, sprite = 0, being = 0; // image or being indices, 0 none
    int32_t width = 0;                       // 0: the default column width
    int32_t alignment = -1;
    int32_t font_height = 0;
    Colour background = 0, font_colour = 0;
    int32_t left_gap = 0;
    uint8_t separator = 0;
};

struct ttable {
    std::string title;
    // Cells by row and column, 1..20 each (entry 0 unused).
    std::array<std::array<ttable_item, table_size + 1>, table_size + 1> cells{};
    std::array<std::string, table_size + 1> notes{}; // column headers 1..20
    // Results of the layout.
    int32_t rows_used = 0, columns_used = 0;
    int32_t width = 0, height = 0, content_width = 0;
    // Inputs.
    int32_t row_height = 0, notes_height = 0, margin = 0, row_spacing = 0, column_spacing = 0;
    int32_t notes_font_height = 0;
    Colour notes_colour = 0, frame_colour = 0;
    std::array<int32_t, table_size + 1> row_cells{}; // used cells per row
    uint8_t has_notes = 0;

    ttable_item& cell(int row, int column) { return cells[row][column]; }
};

bool table_cell_used(const ttable_item& cell);
// out := source with the rows and columns in use counted, the default widths and gaps given,
// and the size computed.
void layout_table(const ttable& source, ttable& out);

} // namespace dravok
