// Tables of cells drawn on the character sheet and in the creation and level-up summaries: the
// table record, its layout (used rows and columns, widths and height) and its drawing.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/bitmap.h"

namespace dravok {

constexpr int table_size = 20;

struct ttable_item {
    std::string text;
    int32_t icon = 0, sprite = 0, being = 0; // image indices, a being index; 0 none
    int32_t width = 0;                       // pixels; 0 the default column width
    int32_t alignment = -1;                  // -1 left, 0 centred, 1 right
    int32_t font_height = 0;                 // 0 the base font's
    Colour background = 0;                   // 0 no fill
    Colour font_colour = 0;                  // 0 the base font's
    int32_t left_gap = 0;
    uint8_t separator = 0;
};

struct ttable {
    std::string title;
    std::array<std::array<ttable_item, table_size + 1>, table_size + 1> cells{}; // [row][column], 1-based
    std::array<std::string, table_size + 1> notes{};                             // column headers
    int32_t rows = 0, columns = 0, width = 0, height = 0, content_width = 0;
    int32_t row_height = 0, notes_height = 0, margin = 0, spacing = 0;
    int32_t notes_font_height = 0;
    Colour notes_colour = 0, frame_colour = 0;
    std::array<int32_t, table_size + 1> used_in_row{};
    uint8_t has_notes = 0;

    ttable_item& cell(int r, int c) { return cells[r][c]; }
};

extern const ttable blank_table;

// Counts the used rows and columns and gives the table its pixel size; the default width for
// cells without one is the icon size.
void layout_table(const ttable& source, ttable& out);
// Sizes the bitmap to the table and draws it there.
void draw_table(Bitmap& bitmap, const ttable& table);
// lower when value < reference, higher when above, else same.
Colour compare_colour(int value, int reference, Colour same, Colour lower, Colour higher);

} // namespace dravok
