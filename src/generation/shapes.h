// Shape grids: drawing an area's shape on the shape grid (rectangles, circles, fills), testing
// it (one piece, fits the map), measuring it, moving it to the map's centre, rotating and
// mirroring template shapes, and placing it into the map. Also the whole-map writers the
// generator and the level loader use. Owner: the level generator; callers: the area builders,
// the dig loop, the finishing passes, the level file reader.
#pragma once
#include <cstdint>

#include "records/layout_map.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/map.h"
#include "world/random.h"
#include "world/rounding.h"

namespace dravok {

struct shape_bounds {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int32_t width = 0, height = 0;
    int32_t count = 0;
    int32_t north_x = 0, north_y = 0; // northmost floor cell
    int32_t east_x = 0, east_y = 0;
    int32_t south_x = 0, south_y = 0;
    int32_t west_x = 0, west_y = 0;
};

struct mark_rect {
    int32_t direction = 0;
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int32_t width = 0;  // across the direction (along x for rotate_rect)
    int32_t length = 0; // along the direction (along y for rotate_rect)
};

struct rotation_result {
    bool ok = false;
    int32_t dx = 0, dy = 0; // rotated coordinates + (dx, dy) = map coordinates
};

void fill_map_rect(int x1, int y1, int x2, int y2, const tcell& border, const tcell& inner);
void clear_map();

bool draw_rect_shape(int x1, int y1, int x2, int y2, int border_value, int inner_value);
bool flood_fill_shape(int x, int y, int value);
bool draw_circle_shape(int x, int y, int radius, int border_value, int fill_value);
void find_shape_cell(int& x, int& y);
bool is_shape_in_one_piece();
bool shape_fits_map(int x1, int y1, int x2, int y2, bool natural);
void get_shape_bounds(shape_bounds& out);
void center_shape(int& dx, int& dy);
void get_rect_from_mark(int x, int y, int direction, mark_rect& out, bool centred, int length, int width);
void place_area(int x1, int y1, int x2, int y2, int depth, bool impenetrable, int area, int kind);

void rotate_point(int x, int y, int direction, int& out_x, int& out_y, bool mirror);
void rotate_rect(int x, int y, int direction, mark_rect& out, bool mirror, int width, int height);
int rotate_direction(int direction, int d, bool mirror);
void rotate_shape(int x, int y, int entry_x, rotation_result& out, bool mirror, int direction, int entry_y);

} // namespace dravok
