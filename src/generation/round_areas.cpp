#include "generation/round_areas.h"

#include <algorithm>
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
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/level_areas.h"
#include "world/map_grid.h"
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
    depth = trace_enter(depth, trace_finish_area);
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
    depth = trace_enter(depth, trace_create_circular);
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
    depth = trace_enter(depth, trace_create_ellipse);
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
        // A fill that touches dug ground would fail the wall layer or the map test below.
        if (!inside || !flood_fill_shape(cx, cy, dungeon.floor_block)) continue;
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

namespace {

constexpr int polygon_tries = 20;
constexpr int arm_low = 5, arm_spread = 6, arm_spread_dead_end = 3;
constexpr int fresh_arms_above = 70, same_arms_above = 50, own_third_arm_below = 51;
constexpr int far_corner_lead = 3;

struct polygon_corner {
    int x = 0, y = 0, arm = 0;
};

bool inside_border(int x, int y) {
    return x >= 2 && x <= map_size - 1 && y >= 2 && y <= map_size - 1;
}

// How far a cell lies along direction d: larger is further.
int along(int x, int y, int d) {
    return dir_dx[d] * x + dir_dy[d] * y;
}

// The four corners of one try; false when a corner or an edge leaves the map's inner part.
bool draw_polygon(int x, int y, int direction, bool corridor_end, polygon_corner (&c)[5], int& cx, int& cy) {
    const int spread = corridor_end ? arm_spread_dead_end : arm_spread;
    auto arm = [&] { return random(spread) + arm_low; };
    const int style = d100();
    const bool fresh = style > fresh_arms_above;
    int a = 0, b = 0, l3 = 0;
    if (!fresh) {
        a = arm();
        const int same = d100();
        if (same > same_arms_above) {
            b = l3 = a;
        } else {
            b = arm();
            const int own = d100();
            l3 = own < own_third_arm_below ? arm() : b;
        }
    }
    c[1] = {x + dir_dx[direction], y + dir_dy[direction], opposite_direction[direction]};
    const int arms[5] = {0, 0, side_direction[direction][0], direction, side_direction[direction][1]};
    for (int i = 2; i <= 4; ++i) {
        int l1 = i == 3 ? b : a;
        int l2 = i == 3 ? b : l3;
        if (fresh) {
            l1 = arm();
            l2 = arm();
        }
        c[i] = {c[1].x + dir_dx[arms[i]] * l1 + dir_dx[direction] * l2,
                c[1].y + dir_dy[arms[i]] * l1 + dir_dy[direction] * l2, arms[i]};
        if (!inside_border(c[i].x, c[i].y)) return false;
    }
    const int lead =
        std::max(along(c[2].x, c[2].y, direction), along(c[4].x, c[4].y, direction)) + far_corner_lead;
    while (along(c[3].x, c[3].y, direction) <= lead) {
        c[3].x += dir_dx[direction];
        c[3].y += dir_dy[direction];
        if (!inside_border(c[3].x, c[3].y)) return false;
    }
    cx = (c[1].x + c[2].x + c[3].x + c[4].x) / 4;
    cy = (c[1].y + c[2].y + c[3].y + c[4].y) / 4;
    const int floor = dungeon.floor_block;
    for (int i = 1; i <= 4; ++i) {
        const polygon_corner& from = c[i];
        const polygon_corner& to = c[i == 4 ? 1 : i + 1];
        shape_set(from.x, from.y, floor);
        shape_set(to.x, to.y, floor);
        const int s = side_direction[from.arm][1], e = side_direction[to.arm][0];
        const int sx = from.x + dir_dx[s], sy = from.y + dir_dy[s];
        const int ex = to.x + dir_dx[e], ey = to.y + dir_dy[e];
        if (!inside_border(sx, sy) || !inside_border(ex, ey)) return false;
        shape_set(sx, sy, floor);
        shape_set(ex, ey, floor);
        trace_line(sx, sy, ex, ey);
        for (int k = 1; k <= line_length; ++k)
            shape_set(line_points[k].x, line_points[k].y, floor);
    }
    return true;
}

// Zone 2: the rectangle of floor grown from the centre, one side at a time.
tzone_rect grow_floor_rect(int cx, int cy) {
    const int floor = dungeon.floor_block;
    auto is_floor_cell = [&](int x, int y) { return on_map(x, y, 0) && shape_get(x, y) == floor; };
    int x1 = cx, y1 = cy, x2 = cx, y2 = cy;
    bool grew = true;
    while (grew) {
        grew = false;
        if (is_floor_cell(x1 - 1, y1) && is_floor_cell(x1 - 1, y2)) --x1, grew = true;
        if (is_floor_cell(x1, y1 - 1) && is_floor_cell(x2, y1 - 1)) --y1, grew = true;
        if (is_floor_cell(x2 + 1, y1) && is_floor_cell(x2 + 1, y2)) ++x2, grew = true;
        if (is_floor_cell(x1, y2 + 1) && is_floor_cell(x2, y2 + 1)) ++y2, grew = true;
    }
    return {static_cast<uint8_t>(x1), static_cast<uint8_t>(y1), static_cast<uint8_t>(x2 - x1 + 1),
            static_cast<uint8_t>(y2 - y1 + 1)};
}

} // namespace

bool create_polygon(int x, int y, int direction, int depth) {
    depth = trace_enter(depth, trace_create_polygon);
    if (!on_map(x, y, depth)) return false;
    dungeon.success = 0;
    if (dungeon.next_area > max_area_number || direction < 1 || direction > 4) return false;
    const bool corridor_end = grid_at(corridor_end_grid, x, y) != 0;
    const int area = static_cast<int>(dungeon.next_area);
    const bool first = area == 1;
    polygon_corner c[5];
    int cx = 0, cy = 0;
    shape_bounds b;
    bool built = false;
    for (int t = 0; t < polygon_tries && !built; ++t) {
        clear_shape_grid();
        if (!draw_polygon(x, y, direction, corridor_end, c, cx, cy)) continue;
        // A fill that touches dug ground would fail the wall layer or the map test below.
        if (!flood_fill_shape(cx, cy, dungeon.floor_block)) continue;
        get_shape_bounds(b);
        if (!grow_layer_step(b.x1 - 1, b.y1 - 1, b.x2 + 1, dungeon.wall_block, dungeon.floor_block, b.y2 + 1))
            continue;
        if (first)
            centre_first(x, y, {&c[1].x, &c[2].x, &c[3].x, &c[4].x, &cx},
                         {&c[1].y, &c[2].y, &c[3].y, &c[4].y, &cy});
        get_shape_bounds(b);
        built = shape_fits_map(b.x1, b.y1, b.x2, b.y2, false);
    }
    if (!built) return false;
    place_area(b.x1, b.y1, b.x2, b.y2, depth, false, area, area_polygon);
    if (!corridor_end) merge_rooms(b, area, depth);
    for (int i = first ? 1 : 2; i <= 4; ++i)
        add_mark(c[i].x + dir_dx[c[i].arm], c[i].y + dir_dy[c[i].arm], c[i].arm, depth, 0, area_polygon);
    const tzone_rect main_zone = grow_floor_rect(cx, cy);
    finish_area(area, x, y, direction, b, area_polygon, depth);
    tarea& a = areas[area];
    a.zone(vz_center) = {static_cast<uint8_t>(cx), static_cast<uint8_t>(cy), 1, 1};
    a.zone(vz_main) = main_zone;
    mark_vault_zone_cells(area, vz_center);
    mark_vault_zone_cells(area, vz_main);
    return true;
}

namespace {

constexpr int natural_start_distance = 3;
constexpr int natural_tries = 2;
constexpr int natural_core_radius = 2;
constexpr int smallest_cave = 80, smallest_tunnel = 50;
constexpr int natural_margin = 3;

bool is_dug(int x, int y) {
    return dug_grid[x - 1][y - 1] != 0;
}

// A growing natural area re-fills its whole shape at every step whose circle centre is
// already floor; that fill only tells whether some floor cell of the shape touches dug ground
// or the map's edge. While a try grows the shape with one value, every cell written is checked
// for that as it is written (a fill that succeeds has checked the cells it painted), so the
// fill over the old shape is skipped as long as no cell written may be spoiled.
struct natural_growth {
    bool tracking = false;
    bool spoiled = false; // some floor cell of the shape may touch dug ground or the edge
    int value = 0;
};
natural_growth growth;

// Starts tracking for one try; stops when the try ends, however it ends.
struct growth_session {
    explicit growth_session(int value) { growth = {true, false, value}; }
    ~growth_session() { growth = {}; }
    growth_session(const growth_session&) = delete;
    growth_session& operator=(const growth_session&) = delete;
};

// A shape cell that a fill reaching it would refuse: dug, or beside dug ground or the edge.
bool spoils_fill(int x, int y) {
    if (is_dug(x, y)) return true;
    for (int d = 1; d <= 4; ++d) {
        const int nx = x + dir_dx[d], ny = y + dir_dy[d];
        if (!on_map(nx, ny, 0) || is_dug(nx, ny)) return true;
    }
    return false;
}

void note_written(int x, int y, int value) {
    if (growth.tracking && value == growth.value && !growth.spoiled && spoils_fill(x, y))
        growth.spoiled = true;
}

// draw_circle_shape(x, y, natural_core_radius, value, value), with the fill over an unspoiled
// shape skipped.
bool natural_circle(int x, int y, int value) {
    if (!growth.tracking || value != growth.value)
        return draw_circle_shape(x, y, natural_core_radius, value, value);
    const int count = static_cast<int>(sight_ray_counts[natural_core_radius]);
    for (int i = 1; i <= count; ++i) {
        const int px = x + ray_endpoints[natural_core_radius][i].dx,
                  py = y + ray_endpoints[natural_core_radius][i].dy;
        if (!on_map(px, py, 0) || is_dug(px, py)) return false;
        shape_set(px, py, value);
        note_written(px, py, value);
    }
    if (on_map(x, y, 0) && shape_get(x, y) == value && !growth.spoiled) return true;
    return flood_fill_shape(x, y, value);
}

// One neighbour of a growth step: off the map ends the step, dug ground spoils it, empty ground
// takes the value. False when the step must end here.
bool grow_into(int x, int y, int value, bool& result) {
    if (!on_map(x, y, 0)) return false;
    if (is_dug(x, y)) {
        result = false;
    } else if (cell_at(x, y).block == 0) {
        shape_set(x, y, value);
        note_written(x, y, value);
    }
    return true;
}

bool walk_natural(int sx, int sy, int direction, int steps) {
    const int fx = dir_dx[direction], fy = dir_dy[direction];
    const int side1 = side_direction[direction][0], side2 = side_direction[direction][1];
    int px = sx, py = sy;
    for (int j = 1; j <= steps; ++j) {
        if (!natural_step(px, py, dungeon.natural_floor_block)) return false;
        const int ahead = d100();
        if (ahead < 60) {
            const int n = random(2) + 1;
            px += fx * n;
            py += fy * n;
        } else if (j > 4 && 100 - j < ahead) {
            px -= fx;
            py -= fy;
        }
        const int aside = d100();
        const int k = random(2) + 1;
        if (aside < 35) {
            px += dir_dx[side1] * k;
            py += dir_dy[side1] * k;
        } else if (aside > 65) {
            px += dir_dx[side2] * k;
            py += dir_dy[side2] * k;
        }
    }
    return true;
}

int natural_floor_cells() {
    int n = 0;
    for (int x = shape_dirty.x1; x <= shape_dirty.x2; ++x)
        for (int y = shape_dirty.y1; y <= shape_dirty.y2; ++y)
            n += shape_get(x, y) == dungeon.natural_floor_block;
    return n;
}

bool try_natural(int x, int y, int direction, int kind) {
    const int sx = x + dir_dx[direction] * natural_start_distance;
    const int sy = y + dir_dy[direction] * natural_start_distance;
    const int floor = dungeon.natural_floor_block;
    clear_shape_grid();
    const growth_session session(floor);
    if (!on_map(sx, sy, 0) || !natural_circle(sx, sy, floor)) return false;
    if (kind == area_cave) {
        const int walkers = random(10) + 5;
        for (int w = 0; w < walkers; ++w) {
            const int steps = random(5) + 10;
            if (!walk_natural(sx, sy, direction, steps)) return false;
        }
    } else {
        const int second = d100();
        const int walkers = second < 20 ? 2 : 1;
        for (int w = 0; w < walkers; ++w) {
            const int steps = random(5) + 13;
            if (!walk_natural(sx, sy, direction, steps)) return false;
        }
    }
    // The entrance: the five cells round the mark on its outward side.
    const int fx = dir_dx[direction], fy = dir_dy[direction];
    const int s1 = side_direction[direction][0], s2 = side_direction[direction][1];
    const point entrance[5] = {{dir_dx[s1], dir_dy[s1]},
                               {dir_dx[s1] + fx, dir_dy[s1] + fy},
                               {fx, fy},
                               {dir_dx[s2] + fx, dir_dy[s2] + fy},
                               {dir_dx[s2], dir_dy[s2]}};
    for (const point& e : entrance)
        if (on_map(x + e.dx, y + e.dy, 0) && cell_at(x + e.dx, y + e.dy).block == 0)
            shape_set(x + e.dx, y + e.dy, floor);
    // Holes closed, then a filler wall round every floor cell.
    // Only the written box (and the ring round it) can hold holes and wall cells.
    const shape_box box = shape_dirty;
    const int hx1 = std::max(2, box.x1), hx2 = std::min(map_size - 1, box.x2);
    const int hy1 = std::max(2, box.y1), hy2 = std::min(map_size - 1, box.y2);
    for (int cx = hx1; cx <= hx2; ++cx)
        for (int cy = hy1; cy <= hy2; ++cy) {
            if (shape_get(cx, cy) != 0) continue;
            bool closed = true;
            for (int d = 1; d <= 4 && closed; ++d)
                closed = shape_get(cx + dir_dx[d], cy + dir_dy[d]) != 0;
            if (closed) shape_set(cx, cy, floor);
        }
    const int wx1 = std::max(1, box.x1 - 1), wx2 = std::min(map_size, box.x2 + 1);
    const int wy1 = std::max(1, box.y1 - 1), wy2 = std::min(map_size, box.y2 + 1);
    for (int cx = wx1; cx <= wx2; ++cx)
        for (int cy = wy1; cy <= wy2; ++cy) {
            if (cell_at(cx, cy).block != 0 || shape_get(cx, cy) != 0) continue;
            bool by_floor = false;
            for (int d = 1; d <= 8 && !by_floor; ++d) {
                const int nx = cx + compass_dx[d], ny = cy + compass_dy[d];
                by_floor = on_map(nx, ny, 0) && shape_get(nx, ny) == floor;
            }
            if (by_floor) shape_set(cx, cy, dungeon.filler_block);
        }
    if (!is_shape_in_one_piece() || !shape_fits_map(1, 1, map_size, map_size, true)) return false;
    return natural_floor_cells() >= (kind == area_cave ? smallest_cave : smallest_tunnel);
}

} // namespace

bool create_natural(int x, int y, int direction, int depth, int kind) {
    depth = trace_enter(depth, trace_create_natural);
    if (!on_map(x, y, depth)) return false;
    dungeon.success = 0;
    if (dungeon.next_area > max_area_number) return false;
    bool built = false;
    for (int t = 0; t < natural_tries && !built; ++t)
        built = try_natural(x, y, direction, kind);
    if (!built) return false;
    const int area = static_cast<int>(dungeon.next_area);
    const bool first = area == 1;
    if (first) centre_first(x, y, {}, {});
    shape_bounds b;
    get_shape_bounds(b);
    place_area(1, 1, map_size, map_size, depth, false, area, kind);
    const int back = opposite_direction[direction];
    const point extremes[5] = {
        {0, 0}, {b.north_x, b.north_y}, {b.east_x, b.east_y}, {b.south_x, b.south_y}, {b.west_x, b.west_y}};
    int far_mark_x = 0, far_mark_y = 0;
    for (int d = 1; d <= 4; ++d) {
        if (d == back && !first) continue;
        const int mx = extremes[d].dx + dir_dx[d], my = extremes[d].dy + dir_dy[d];
        add_mark(mx, my, d, depth, 0, kind);
        if (d == direction) far_mark_x = mx, far_mark_y = my;
    }
    // A doorway from another natural area opens the mark and its two sides into this one.
    if (!first) {
        const int s1 = side_direction[direction][0], s2 = side_direction[direction][1];
        for (const point& p :
             {point{x, y}, point{x + dir_dx[s1], y + dir_dy[s1]}, point{x + dir_dx[s2], y + dir_dy[s2]}}) {
            b.x1 = std::max(1, std::min(b.x1, p.dx));
            b.y1 = std::max(1, std::min(b.y1, p.dy));
            b.x2 = std::min(map_size, std::max(b.x2, p.dx));
            b.y2 = std::min(map_size, std::max(b.y2, p.dy));
        }
        b.width = b.x2 - b.x1 + 1;
        b.height = b.y2 - b.y1 + 1;
    }
    finish_area(area, x, y, direction, b, kind, depth);
    // A tunnel may open into a cave at its far end.
    if (kind == area_tunnel && !first) {
        const int roll = d100();
        const int position = find_mark(far_mark_x, far_mark_y);
        if (roll <= dungeon.cave_chance && position >= 0) {
            tmark m;
            get_mark(position, m);
            create_natural(m.x, m.y, m.direction, depth, area_cave);
        }
    }
    return true;
}

bool natural_step(int x, int y, int value) {
    if (x < natural_margin + 1 || x > map_size - natural_margin || y < natural_margin + 1 ||
        y > map_size - natural_margin)
        return false;
    if (random(3) != 0) return natural_circle(x, y, value);
    shape_set(x, y, value);
    note_written(x, y, value);
    bool result = true;
    for (int d = 1; d <= 4; ++d)
        if (!grow_into(x + dir_dx[d], y + dir_dy[d], value, result)) return result;
    const int diagonals = random(4) + 1;
    for (int i = 0; i < diagonals; ++i) {
        int d = random(8) + 1;
        while (d % 2 != 0)
            d = random(8) + 1;
        if (!grow_into(x + compass_dx[d], y + compass_dy[d], value, result)) return result;
    }
    return result;
}

} // namespace dravok
