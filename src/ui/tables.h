// Tables of cells drawn on the character sheet and in the creation and level-up summaries: their
// drawing once laid out (table_layout.h holds the records and the layout).
#pragma once
#include "platform/bitmap.h"
#include "ui/table_layout.h"

namespace dravok {

extern const ttable blank_table;

// Sizes the bitmap to the table and draws it there.
void draw_table(Bitmap& bitmap, const ttable& table);
// lower when value < reference, higher when above, else same.
Colour compare_colour(int value, int reference, Colour same, Colour lower, Colour higher);

} // namespace dravok
