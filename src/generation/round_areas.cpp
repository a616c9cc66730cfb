#include "generation/round_areas.h"

#include <array>
#include <cmath>
#include <vector>

#include "generation/areas.h"
#include "generation/doorways.h"
#include "generation/grids.h"
#include "generation/marks.h"
#include "generation/rooms.h"
#include "generation/shapes.h"
#include "world/directions.h"
#include "world/rounding.h"

namespace dravok {

namespace {

constexpr int circle_tries = 5;
constexpr int ellipse_tries = 20;
constexpr int ellipse_points = 3600;
constexpr double ellipse_angle_step = 0.2;
constexpr int ellipse_radius_low = 3, ellipse_radius_spread = 7, ellipse_radius_difference = 3;

struct point {
    int dx, dy;
};

// The outline of an ellipse of radii (rx, ry) as distinct offsets from its centre, made once per
// pair: the 3,600 angle steps give the same cells every time.
const std::vector<point>& ellipse_outline(int rx, int ry) {
    static std::array<std::vector<point>, 16 * 16> cache;
    std::vector<point>& out = cache[rx * 16 + ry];
    if (!out.empty()) return out;
    std::vector<uint8_t> seen(static_cast<std::size_t>((2 * rx + 1) * (2 * ry + 1)), 0);
    for (int i = 0; i < ellipse_points; ++i) {
        const double t = i * ellipse_angle_step;
        const int dx = round_half_even(std::cos(t) * rx), dy = round_half_even(std::sin(t) * ry);
        uint8_t& s = seen[static_cast<std::size_t>((dy + ry) * (2 * rx + 1) + dx + rx)];
        if (s == 0) out.push_back({dx, dy});
        s = 1;
    }
    return out;
}

// The common end of a builder: registered (its cell count is its rectangle's, as trims count
// it), its doorway made, the counters raised.
void finish_area(int area, int x, int y, int direction, const shape_bounds& b, int kind, int depth) {
    add_to_areas(area, x, y, direction, b.x1, b.y1, b.x2, b.y2, kind, b.width * b.height, 0);
    create_doorway(x, y, direction, depth, area, static_cast<int>(dungeon.origin_kind), kind);
    ++dungeon.next_area;
    ++dungeon.kind_created[kind - 1];
    dungeon.success = 1;
}

// Moves the first area's shape to the map's centre, and the mark and the points with it.
void centre_first(int& x, int& y, std::initializer_list<int*> xs, std::initializer_list<int*> ys) {
    int dx = 0, dy = 0;
    center_shape(dx, dy);
    x += dx;
    y += dy;
    for (int* p : xs)
        *p += dx;
    for (int* p : ys)
        *p += dy;
}

} // namespace

bool create_circular(int x, int y, int direction, int depth) {
    if (!on_map(x, y, depth)) return false;
    dungeon.success = 0;
    if (dungeon.next_area > max_area_number) return false;
    int radius = 0, cx = 0, cy = 0;
    bool built = false;
    for (int t = 0; t < circle_tries && !built; ++t) {
        clear_shape_grid();
        radius = random(4) + 4;
        cx = x + dir_dx[direction] * radius;
        cy = y + dir_dy[direction] * radius;
        if (on_map(cx, cy, 0))
            built = draw_circle_shape(cx, cy, radius, dungeon.wall_block, dungeon.floor_block);
    }
    if (!built) return false;
    const int area = static_cast<int>(dungeon.next_area);
    const bool first = area == 1;
    if (first) centre_first(x, y, {&cx}, {&cy});
    shape_bounds b;
    get_shape_bounds(b);
    place_area(1, 1, map_size, map_size, depth, false, area, area_circular);
    const int back = opposite_direction[direction];
    const point compass[5] = {{0, 0}, {0, -radius}, {radius, 0}, {0, radius}, {-radius, 0}};
    for (int d = 1; d <= 4; ++d)
        if (d != back || first) add_mark(cx + compass[d].dx, cy + compass[d].dy, d, depth, 0, area_circular);
    finish_area(area, x, y, direction, b, area_circular, depth);
    return true;
}

bool create_ellipse(int x, int y, int direction, int depth) {
    if (!on_map(x, y, depth)) return false;
    dungeon.success = 0;
    if (dungeon.next_area > max_area_number) return false;
    const bool corridor_end = grid_at(corridor_end_grid, x, y) != 0;
    const int area = static_cast<int>(dungeon.next_area);
    const bool first = area == 1;
    shape_bounds b;
    bool built = false;
    for (int t = 0; t < ellipse_tries && !built; ++t) {
        clear_shape_grid();
        int rx = 0, ry = 0;
        do {
            rx = random(ellipse_radius_spread) + ellipse_radius_low;
            ry = random(ellipse_radius_spread) + ellipse_radius_low;
        } while (std::abs(rx - ry) < ellipse_radius_difference);
        const int r = (direction == 2 || direction == 4) ? rx : ry;
        const int cx = x + dir_dx[direction] * (r + 1), cy = y + dir_dy[direction] * (r + 1);
        bool inside = true;
        for (const point& p : ellipse_outline(rx, ry)) {
            const int px = cx + p.dx, py = cy + p.dy;
            if (px < 2 || px > map_size - 1 || py < 2 || py > map_size - 1) {
                inside = false;
                break;
            }
            shape_set(px, py, dungeon.floor_block);
        }
        if (!inside) continue;
        flood_fill_shape(cx, cy, dungeon.floor_block);
        get_shape_bounds(b);
        if (!grow_layer_step(b.x1 - 1, b.y1 - 1, b.x2 + 1, dungeon.wall_block, dungeon.floor_block, b.y2 + 1))
            continue;
        if (first) {
            int unused = 0;
            centre_first(x, y, {&unused}, {&unused});
        }
        get_shape_bounds(b);
        built = shape_fits_map(b.x1, b.y1, b.x2, b.y2, false);
    }
    if (!built) return false;
    place_area(b.x1, b.y1, b.x2, b.y2, depth, false, area, area_ellipse);
    if (!corridor_end) merge_rooms(b, area, depth);
    const int back = opposite_direction[direction];
    const point sides[5] = {{0, 0},
                            {b.x1 + b.width / 2, b.y1},
                            {b.x2, b.y1 + b.height / 2},
                            {b.x1 + b.width / 2, b.y2},
                            {b.x1, b.y1 + b.height / 2}};
    for (int d = 1; d <= 4; ++d)
        if (d != back || first) add_mark(sides[d].dx, sides[d].dy, d, depth, 0, area_ellipse);
    finish_area(area, x, y, direction, b, area_ellipse, depth);
    return true;
}

// Polygons and natural areas arrive with their own work; until then they build nothing and
// the dig loop takes another kind.
bool create_polygon(int, int, int, int) {
    return false;
}
bool create_natural(int, int, int, int, int) {
    return false;
}
bool natural_step(int, int, int) {
    return false;
}

} // namespace dravok
