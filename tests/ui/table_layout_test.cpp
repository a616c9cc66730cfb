// Table layout: used rows and columns, default widths, the gap after an image, the single cell
// of a row stretched to the content, and the size with title and notes.
#include "ui/table_layout.h"

#include <gtest/gtest.h>

#include <memory>

#include "world/settings_record.h"

namespace dravok {
namespace {

TEST(TableLayout, CountsSizesAndStretches) {
    settings.icon_size = 32;
    settings.zoom = 1.0;
    auto table = std::make_unique<ttable>();
    table->row_height = 32;
    table->margin = 10;
    table->row_spacing = 5;
    table->column_spacing = 5;
    table->notes_height = 16;
    table->cell(1, 1).text = "Heading"; // alone in its row
    table->cell(2, 1).icon = 4;
    table->cell(2, 2).text = "Strength";
    table->cell(2, 2).width = 100;
    table->cell(2, 3).text = "12";
    table->cell(4, 2).text = "gap"; // row 3 empty; a text after an empty cell gets no gap
    auto out = std::make_unique<ttable>();
    layout_table(*table, *out);
    EXPECT_EQ(out->rows_used, 4);
    EXPECT_EQ(out->columns_used, 3);
    EXPECT_EQ(out->row_cells[2], 3);
    EXPECT_EQ(out->cell(2, 1).width, 32) << "the default column width is the icon size";
    EXPECT_EQ(out->cell(2, 2).left_gap, 3) << "text after an image";
    EXPECT_EQ(out->cell(2, 3).left_gap, 0) << "text after text";
    EXPECT_EQ(out->cell(4, 2).left_gap, 0);
    EXPECT_EQ(out->content_width, 32 + 100 + 32 + 2 * 5);
    EXPECT_EQ(out->width, out->content_width + 20);
    EXPECT_EQ(out->cell(1, 1).width, out->content_width) << "a row's only cell spans the content";
    EXPECT_EQ(out->height, 4 * 32 + 3 * 5 + 20);
    table->title = "ABILITIES";
    table->notes[3] = "total";
    layout_table(*table, *out);
    EXPECT_EQ(out->height, 4 * 32 + 3 * 5 + 20 + 32 + 16);
    EXPECT_TRUE(out->has_notes);
}

} // namespace
} // namespace dravok
