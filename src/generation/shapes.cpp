#include "generation/shapes.h"

#include <algorithm>
#include <cstring>

#include "generation/grids.h"
#include "world/blank_records.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/map_grid.h"

namespace dravok {

namespace {

// Cells visited by the current fill carry the current stamp, so no grid is cleared per fill.
uint32_t fill_stamp[max_map_size][max_map_size];
uint32_t current_stamp = 0;
struct queued {
    uint8_t x, y;
};
queued fill_queue[max_map_size * max_map_size];

uint32_t next_stamp() {
    if (++current_stamp == 0) {
        std::memset(fill_stamp, 0, sizeof fill_stamp);
        current_stamp = 1;
    }
    return current_stamp;
}

bool dug(int x, int y) {
    return dug_grid[x - 1][y - 1] != 0;
}

} // namespace

void fill_map_rect(int x1, int y1, int x2, int y2, const tcell& border, const tcell& inner) {
    for (int x = x1; x <= x2; ++x)
        for (int y = y1; y <= y2; ++y) {
            if (!on_map(x, y, 0)) continue;
            const bool edge = x == x1 || x == x2 || y == y1 || y == y2;
            cell_at(x, y) = edge ? border : inner;
        }
}

void clear_map() {
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y) {
            tcell& c = cell_at(x, y);
            c = blank_cell;
            c.block = 0;
            c.block_variant = 0;
        }
}

bool draw_rect_shape(int x1, int y1, int x2, int y2, int border_value, int inner_value) {
    // Drawn over the part on the map, which grows the dirty box once; a cell off the map or
    // one already dug fails the shape.
    const int cx1 = std::max(x1, 1), cx2 = std::min(x2, map_size);
    const int cy1 = std::max(y1, 1), cy2 = std::min(y2, map_size);
    bool ok = x1 > x2 || y1 > y2 || (cx1 == x1 && cx2 == x2 && cy1 == y1 && cy2 == y2);
    if (cx1 > cx2 || cy1 > cy2) return ok;
    for (int x = cx1; x <= cx2; ++x) {
        uint8_t* column = &shape_grid[x - 1][0];
        for (int y = cy1; y <= cy2; ++y) {
            if (dug(x, y)) ok = false;
            const bool edge = x == x1 || x == x2 || y == y1 || y == y2;
            column[y - 1] = static_cast<uint8_t>(edge ? border_value : inner_value);
        }
    }
    shape_dirty.x1 = std::min(shape_dirty.x1, cx1);
    shape_dirty.x2 = std::max(shape_dirty.x2, cx2);
    shape_dirty.y1 = std::min(shape_dirty.y1, cy1);
    shape_dirty.y2 = std::max(shape_dirty.y2, cy2);
    return ok;
}

// The fill stops at the first cell that fails it: every caller drops the shape of a failed try.
bool flood_fill_shape(int x, int y, int value) {
    if (!on_map(x, y, 0) || dug(x, y)) return false;
    const uint8_t from = shape_get(x, y);
    const uint32_t stamp = next_stamp();
    int head = 0, tail = 0;
    fill_stamp[x - 1][y - 1] = stamp;
    shape_set(x, y, value);
    fill_queue[tail++] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    while (head < tail) {
        const queued c = fill_queue[head++];
        for (int d = 1; d <= 4; ++d) {
            const int nx = c.x + dir_dx[d], ny = c.y + dir_dy[d];
            if (!on_map(nx, ny, 0) || dug(nx, ny)) return false;
            if (fill_stamp[nx - 1][ny - 1] == stamp || shape_get(nx, ny) != from) continue;
            fill_stamp[nx - 1][ny - 1] = stamp;
            shape_set(nx, ny, value);
            fill_queue[tail++] = {static_cast<uint8_t>(nx), static_cast<uint8_t>(ny)};
        }
    }
    return true;
}

bool draw_circle_shape(int x, int y, int radius, int border_value, int fill_value) {
    if (radius < 1 || radius > max_ray_radius) return false;
    const int count = static_cast<int>(sight_ray_counts[radius]);
    for (int i = 1; i <= count; ++i) {
        const int px = x + ray_endpoints[radius][i].dx, py = y + ray_endpoints[radius][i].dy;
        if (!on_map(px, py, 0) || dug(px, py)) return false;
        shape_set(px, py, border_value);
    }
    return flood_fill_shape(x, y, fill_value);
}

void find_shape_cell(int& x, int& y) {
    // y outer, x inner; only the written box can hold cells.
    for (int cy = shape_dirty.y1; cy <= shape_dirty.y2; ++cy)
        for (int cx = shape_dirty.x1; cx <= shape_dirty.x2; ++cx) {
            const uint8_t v = shape_get(cx, cy);
            if (v >= 1 && v <= 254) {
                x = cx;
                y = cy;
                return;
            }
        }
    x = 0;
    y = 0;
}

// Fills the 4-connected region of cells equal to the start cell's value with 255.
static void mark_region(int x, int y) {
    const uint8_t from = shape_get(x, y);
    if (from == 255) return;
    int head = 0, tail = 0;
    shape_grid[x - 1][y - 1] = 255;
    fill_queue[tail++] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    while (head < tail) {
        const queued c = fill_queue[head++];
        for (int d = 1; d <= 4; ++d) {
            const int nx = c.x + dir_dx[d], ny = c.y + dir_dy[d];
            if (!on_map(nx, ny, 0) || shape_get(nx, ny) != from) continue;
            shape_grid[nx - 1][ny - 1] = 255;
            fill_queue[tail++] = {static_cast<uint8_t>(nx), static_cast<uint8_t>(ny)};
        }
    }
}

bool is_shape_in_one_piece() {
    const shape_box box = shape_dirty;
    if (box.x2 < box.x1) return true;
    const int rows = box.y2 - box.y1 + 1;
    for (int x = box.x1; x <= box.x2; ++x)
        std::memcpy(&backup_grid[x - 1][box.y1 - 1], &shape_grid[x - 1][box.y1 - 1], rows);
    for (int pass = 0; pass < 2; ++pass) {
        int x = 0, y = 0;
        find_shape_cell(x, y);
        if (x == 0) break;
        mark_region(x, y);
    }
    int x = 0, y = 0;
    find_shape_cell(x, y);
    for (int cx = box.x1; cx <= box.x2; ++cx)
        std::memcpy(&shape_grid[cx - 1][box.y1 - 1], &backup_grid[cx - 1][box.y1 - 1], rows);
    return x == 0;
}

bool shape_fits_map(int x1, int y1, int x2, int y2, bool natural) {
    if (x1 > x2 || y1 > y2) return true;
    if (!on_map(x1, y1, 0) || !on_map(x2, y2, 0)) return false;
    const int lx = std::max(x1, shape_dirty.x1), hx = std::min(x2, shape_dirty.x2);
    const int ly = std::max(y1, shape_dirty.y1), hy = std::min(y2, shape_dirty.y2);
    for (int x = lx; x <= hx; ++x)
        for (int y = ly; y <= hy; ++y) {
            if (shape_get(x, y) == 0) continue;
            if (dug(x, y)) return false;
            if (natural) {
                const int k = cell_at(x, y).shape;
                if (k != 0 && k != 6 && k != 7) return false;
            }
        }
    return true;
}

void get_shape_bounds(shape_bounds& out) {
    out = shape_bounds{};
    bool any = false, any_floor = false;
    for (int x = shape_dirty.x1; x <= shape_dirty.x2; ++x)
        for (int y = shape_dirty.y1; y <= shape_dirty.y2; ++y) {
            const uint8_t v = shape_get(x, y);
            if (v == 0) continue;
            if (!any) {
                out.x1 = out.x2 = x;
                out.y1 = out.y2 = y;
                any = true;
            } else {
                out.x1 = std::min(out.x1, x);
                out.x2 = std::max(out.x2, x);
                out.y1 = std::min(out.y1, y);
                out.y2 = std::max(out.y2, y);
            }
            ++out.count;
            if (v < 41) continue;
            if (!any_floor) {
                out.north_x = out.east_x = out.south_x = out.west_x = x;
                out.north_y = out.east_y = out.south_y = out.west_y = y;
                any_floor = true;
                continue;
            }
            if (y < out.north_y) out.north_x = x, out.north_y = y;
            if (x > out.east_x) out.east_x = x, out.east_y = y;
            if (y > out.south_y) out.south_x = x, out.south_y = y;
            if (x < out.west_x) out.west_x = x, out.west_y = y;
        }
    if (any) {
        out.width = out.x2 - out.x1 + 1;
        out.height = out.y2 - out.y1 + 1;
    }
}

void center_shape(int& dx, int& dy) {
    shape_bounds b;
    get_shape_bounds(b);
    dx = dy = 0;
    if (b.count == 0) return;
    const int nx = std::max(1, (map_size - b.width) / 2), ny = std::max(1, (map_size - b.height) / 2);
    dx = nx - b.x1;
    dy = ny - b.y1;
    if (dx == 0 && dy == 0) return;
    // Copy the box out, clear it, and write it back at its new place.
    for (int x = b.x1; x <= b.x2; ++x)
        std::memcpy(&backup_grid[x - 1][b.y1 - 1], &shape_grid[x - 1][b.y1 - 1], b.height);
    clear_shape_grid();
    for (int x = b.x1; x <= b.x2; ++x)
        for (int y = b.y1; y <= b.y2; ++y) {
            const uint8_t v = backup_grid[x - 1][y - 1];
            if (v != 0 && on_map(x + dx, y + dy, 0)) shape_set(x + dx, y + dy, v);
        }
}

void get_rect_from_mark(int x, int y, int direction, mark_rect& out, bool centred, int length, int width) {
    out = mark_rect{};
    out.direction = direction;
    out.width = width;
    out.length = length;
    const int offset = centred ? width / 2 : random(width - 2) + 1;
    const int start_across = (direction == 1 || direction == 3 ? x : y) - offset;
    const int end_across = start_across + width - 1;
    const int far_x = x + dir_dx[direction] * (length - 1), far_y = y + dir_dy[direction] * (length - 1);
    if (direction == 1 || direction == 3) {
        out.x1 = start_across;
        out.x2 = end_across;
        out.y1 = std::min(y, far_y);
        out.y2 = std::max(y, far_y);
    } else {
        out.y1 = start_across;
        out.y2 = end_across;
        out.x1 = std::min(x, far_x);
        out.x2 = std::max(x, far_x);
    }
}

void place_area(int x1, int y1, int x2, int y2, int depth, bool impenetrable, int area, int kind) {
    depth = trace_enter(depth, trace_place_area);
    const int lx = std::max({x1, shape_dirty.x1, 1}), hx = std::min({x2, shape_dirty.x2, map_size});
    const int ly = std::max({y1, shape_dirty.y1, 1}), hy = std::min({y2, shape_dirty.y2, map_size});
    for (int x = lx; x <= hx; ++x)
        for (int y = ly; y <= hy; ++y) {
            const uint8_t v = shape_get(x, y);
            if (v != 0) set_block(x, y, v, depth, impenetrable, area, kind);
        }
}

void rotate_point(int x, int y, int direction, int& out_x, int& out_y, bool mirror) {
    const int n = map_size;
    out_x = out_y = 0;
    if (x < 1 || x > n || y < 1 || y > n) return;
    if (mirror) x = n - x + 1;
    switch (direction) {
    case 2:
        out_x = n - y + 1;
        out_y = x;
        break;
    case 3:
        out_x = n - x + 1;
        out_y = n - y + 1;
        break;
    case 4:
        out_x = y;
        out_y = n - x + 1;
        break;
    default:
        out_x = x;
        out_y = y;
        break;
    }
}

void rotate_rect(int x, int y, int direction, mark_rect& out, bool mirror, int width, int height) {
    out = mark_rect{};
    out.direction = direction;
    if (direction == 2 || direction == 4) std::swap(width, height);
    const bool shift_x = (direction == 1 && mirror) || direction == 2 || (direction == 3 && !mirror);
    const bool shift_y = (direction == 2 && mirror) || direction == 3 || (direction == 4 && !mirror);
    out.x1 = shift_x ? x - width + 1 : x;
    out.y1 = shift_y ? y - height + 1 : y;
    out.x2 = out.x1 + width - 1;
    out.y2 = out.y1 + height - 1;
    out.width = width;
    out.length = height;
}

int rotate_direction(int direction, int d, bool mirror) {
    static const int plain[4][4] = {{1, 2, 3, 4}, {2, 3, 4, 1}, {3, 4, 1, 2}, {4, 1, 2, 3}};
    static const int mirrored[4][4] = {{1, 4, 3, 2}, {2, 1, 4, 3}, {3, 2, 1, 4}, {4, 3, 2, 1}};
    if (direction < 1 || direction > 4 || d < 1 || d > 4) return d;
    return mirror ? mirrored[direction - 1][d - 1] : plain[direction - 1][d - 1];
}

void rotate_shape(int x, int y, int entry_x, rotation_result& out, bool mirror, int direction, int entry_y) {
    out = rotation_result{};
    clear_grid(rotated_grid);
    int min_x = max_map_size + 1, min_y = max_map_size + 1, max_x = 0, max_y = 0;
    for (int sx = shape_dirty.x1; sx <= shape_dirty.x2; ++sx)
        for (int sy = shape_dirty.y1; sy <= shape_dirty.y2; ++sy) {
            const uint8_t v = shape_get(sx, sy);
            if (v == 0) continue;
            int rx = 0, ry = 0;
            rotate_point(sx, sy, direction, rx, ry, mirror);
            if (rx == 0) continue;
            rotated_grid[rx - 1][ry - 1] = v;
            min_x = std::min(min_x, rx);
            max_x = std::max(max_x, rx);
            min_y = std::min(min_y, ry);
            max_y = std::max(max_y, ry);
        }
    clear_shape_grid();
    if (max_x == 0) return;
    int ex = 0, ey = 0;
    rotate_point(entry_x, entry_y, direction, ex, ey, mirror);
    const int w = max_x - min_x + 1, h = max_y - min_y + 1;
    int tx = x - (ex - min_x), ty = y - (ey - min_y);
    if (dungeon.next_area == 1) {
        tx = (map_size - w) / 2;
        ty = (map_size - h) / 2;
    }
    bool ok = true;
    for (int rx = min_x; rx <= max_x; ++rx)
        for (int ry = min_y; ry <= max_y; ++ry) {
            const uint8_t v = rotated_grid[rx - 1][ry - 1];
            if (v == 0) continue;
            const int mx = tx + rx - min_x, my = ty + ry - min_y;
            if (!on_map(mx, my, 0)) {
                ok = false;
                continue;
            }
            shape_set(mx, my, v);
        }
    out.ok = ok;
    out.dx = tx - min_x;
    out.dy = ty - min_y;
}

} // namespace dravok
