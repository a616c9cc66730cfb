// Keeping an area record around its cells: the finishing passes give cells to areas that may
// lie just beyond the area's rectangle. Owner: the level generator; callers: the finishing and
// connection passes.
#pragma once

namespace dravok {

// Grows the area's rectangle to hold (x, y); width, height and cell count follow it.
void fit_area_to_cell(int area, int x, int y);

} // namespace dravok
