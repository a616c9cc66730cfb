#include "generation/hallways.h"

#include <algorithm>

#include "generation/areas.h"
#include "generation/corridors.h"
#include "generation/finishing.h"
#include "generation/grids.h"
#include "generation/marks.h"
#include "world/directions.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/random.h"

namespace dravok {

namespace {

constexpr int longest_hallway = 15;
// An area of exactly this many cells is a closed template cell that no hallway opens.
constexpr int sealed_area_cells = 25;
constexpr int connected_refusal = 76;
constexpr int first_vault_end = 5, last_vault_end = 8;

bool has_furniture(int x, int y) {
    return get_furniture(x, y, 0) != 0;
}

enum class hallway_kind { narrow, wide, vault_end };

// The own area's rectangle and cell count after n cells were dug beyond it.
void refit_area(int area, int n) {
    if (!is_area_ok(area)) return;
    tarea& a = areas[area];
    int x1 = map_size + 1, y1 = map_size + 1, x2 = 0, y2 = 0, count = 0;
    const int lx = std::max(1, a.x1 - n), hx = std::min(map_size, a.x2 + n);
    const int ly = std::max(1, a.y1 - n), hy = std::min(map_size, a.y2 + n);
    for (int x = lx; x <= hx; ++x)
        for (int y = ly; y <= hy; ++y) {
            if (cell_at(x, y).area != area) continue;
            ++count;
            x1 = std::min(x1, x);
            y1 = std::min(y1, y);
            x2 = std::max(x2, x);
            y2 = std::max(y2, y);
        }
    if (count == 0) return;
    a.x1 = x1;
    a.y1 = y1;
    a.x2 = x2;
    a.y2 = y2;
    // Like every area record, the cell count is that of the rectangle.
    a.width = x2 - x1 + 1;
    a.height = y2 - y1 + 1;
    a.cells = a.width * a.height;
}

bool dig_toward_floor(int x, int y, int d, int depth, hallway_kind kind) {
    if (d < 1 || d > 4 || !on_map(x, y, 0)) return false;
    const int bx = x - dir_dx[d], by = y - dir_dy[d];
    if (!on_map(bx, by, 0)) return false;
    const int own = cell_at(bx, by).area;
    const int floor = cell_at(bx, by).block;
    const int wall = cell_at(x, y).block;
    // Dug cells join the own area, so they take its kind.
    const int shape = is_area_ok(own) ? areas[own].kind : cell_at(x, y).shape;
    const bool wide = kind == hallway_kind::wide;
    if (kind == hallway_kind::narrow && near_area_wall(x, y, d, 1)) return false;

    const int s1 = side_direction[d][0], s2 = side_direction[d][1];
    int n = 0;
    for (int i = 1; i <= longest_hallway && n == 0; ++i) {
        const int cx = x + i * dir_dx[d], cy = y + i * dir_dy[d];
        if (!on_map(cx, cy, 0)) return false;
        if (is_floor(cx, cy, 0)) {
            n = i;
            break;
        }
        if (is_impenetrable_wall(cx, cy, 0) || has_furniture(cx, cy)) return false;
        for (int s : {s1, s2}) {
            const int sx = cx + dir_dx[s], sy = cy + dir_dy[s];
            if (is_floor(sx, sy, 0) || is_impenetrable_wall(sx, sy, 0) || has_furniture(sx, sy)) return false;
            if (wide && !(is_wall(sx + dir_dx[s], sy + dir_dy[s], 0) &&
                          !has_furniture(sx + dir_dx[s], sy + dir_dy[s])))
                return false;
        }
    }
    if (n == 0) return false;

    const int fx = x + n * dir_dx[d], fy = y + n * dir_dy[d];
    const int target = cell_at(fx, fy).area;
    if (has_furniture(fx, fy) || !is_area_ok(target) || target == own) return false;
    if (wide)
        for (int s : {s1, s2}) {
            const int sx = fx + dir_dx[s], sy = fy + dir_dy[s];
            if (!is_floor(sx, sy, 0) || cell_at(sx, sy).area != target || has_furniture(sx, sy)) return false;
        }
    if (kind != hallway_kind::vault_end) {
        if (areas[target].vault_group != 0) return false;
        if (areas_connected(own, target) && d100() < connected_refusal) return false;
    }
    if (areas[target].cells == sealed_area_cells) return false;

    for (int i = 0; i < n; ++i) {
        const int cx = x + i * dir_dx[d], cy = y + i * dir_dy[d];
        set_block(cx, cy, floor, depth, false, own, shape);
        for (int s : {s1, s2}) {
            const int sx = cx + dir_dx[s], sy = cy + dir_dy[s];
            if (!wide) {
                set_block(sx, sy, wall, depth, false, own, shape);
                continue;
            }
            set_block(sx, sy, floor, depth, false, own, shape);
            const int ox = sx + dir_dx[s], oy = sy + dir_dy[s];
            if (on_map(ox, oy, 0) && cell_at(ox, oy).area == 0)
                set_block(ox, oy, wall, depth, false, own, shape);
        }
    }
    refit_area(own, n);
    return true;
}

// The end cell must be a wall between walls, with the cell ahead on the map.
bool open_end_fits(int x, int y, int d) {
    if (!is_wall(x, y, 0)) return false;
    for (int s : side_direction[d])
        if (!is_wall(x + dir_dx[s], y + dir_dy[s], 0)) return false;
    return on_map(x + dir_dx[d], y + dir_dy[d], 0);
}

} // namespace

bool continue_hallway(int x, int y, int direction, int depth, bool wide) {
    return dig_toward_floor(x, y, direction, depth, wide ? hallway_kind::wide : hallway_kind::narrow);
}

bool continue_vault_deadend(int x, int y, int direction, int depth) {
    return dig_toward_floor(x, y, direction, depth, hallway_kind::vault_end);
}

void terminate_hallways(bool vault_ends_too, int depth) {
    dungeon.no_more_marks = 1;
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y) {
            const int v = grid_at(exit_grid, x, y);
            const bool hallway_end = v >= 1 && v <= 4;
            const bool vault_end = vault_ends_too && v >= first_vault_end && v <= last_vault_end;
            if (!hallway_end && !vault_end) continue;
            const int d = hallway_end ? v : v - 4;
            if (!open_end_fits(x, y, d)) continue;
            if (is_floor(x + dir_dx[d], y + dir_dy[d], 0)) {
                tmark m;
                m.x = x;
                m.y = y;
                m.direction = d;
                // The mark's own side is the area behind the wall: the hallway's or the vault's.
                m.origin_area = hallway_end ? cell_at(x, y).area : cell_at(x - dir_dx[d], y - dir_dy[d]).area;
                mark_to_doorway(m, depth);
                continue;
            }
            bool done;
            if (hallway_end) {
                const int s1 = side_direction[d][0], s2 = side_direction[d][1];
                done = continue_hallway(x, y, d, depth, true) || continue_hallway(x, y, d, depth, false) ||
                       continue_hallway(x + dir_dx[s1], y + dir_dy[s1], d, depth, false) ||
                       continue_hallway(x + dir_dx[s2], y + dir_dy[s2], d, depth, false);
            } else {
                done = continue_vault_deadend(x, y, d, depth);
            }
            if (done) {
                grid_at(exit_grid, x, y) = 0;
                calculate_area_exits();
            }
        }
    dungeon.no_more_marks = 0;
}

} // namespace dravok
