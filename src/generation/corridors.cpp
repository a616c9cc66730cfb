#include "generation/corridors.h"

#include <algorithm>

#include "generation/areas.h"
#include "generation/doorways.h"
#include "generation/grids.h"
#include "generation/marks.h"
#include "generation/shapes.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/level_areas.h"

namespace dravok {

bool scan_corridor_space(int x, int y, int direction, int depth, int start) {
    depth = trace_enter(depth, trace_scan_corridor_space);
    const int m = min_dice(dungeon.area_size, 0);
    const int s1 = side_direction[direction][0], s2 = side_direction[direction][1];
    int free = 0, walls = 0;
    for (int i = start; i <= start + m; ++i) {
        const int cx = x + i * dir_dx[direction], cy = y + i * dir_dy[direction];
        const int ax = cx + dir_dx[s1], ay = cy + dir_dy[s1], bx = cx + dir_dx[s2], by = cy + dir_dy[s2];
        if (!on_map(cx, cy, 0) || !on_map(ax, ay, 0) || !on_map(bx, by, 0)) return false;
        if ((grid_at(dug_grid, ax, ay) != 0) != (grid_at(dug_grid, bx, by) != 0)) return false;
        if (cell_at(cx, cy).area != 0) {
            if (grid_at(dug_grid, cx, cy)) return true;
            if (is_wall(cx, cy, 0)) {
                ++walls;
                if (walls == 1 && free == m - 1) return true;
                if (walls == 3) return false;
            }
        } else if (++free == m) {
            return true;
        }
    }
    return true;
}

bool near_area_wall(int x, int y, int direction, int n) {
    const int ax = x + dir_dx[direction], ay = y + dir_dy[direction];
    const bool vertical = direction == 1 || direction == 3;
    for (int ahead = 0; ahead <= 5; ahead += 5)
        for (int k = 1; k <= n; ++k)
            for (int s : {side_direction[direction][0], side_direction[direction][1]}) {
                const int cx = ax + ahead * dir_dx[direction] + k * dir_dx[s];
                const int cy = ay + ahead * dir_dy[direction] + k * dir_dy[s];
                if (!on_map(cx, cy, 0) || cell_at(cx, cy).shape != area_corridor) continue;
                const int a = cell_at(cx, cy).area;
                if (!is_area_ok(a)) continue;
                const int d = areas[a].direction;
                if (vertical ? (d == 1 || d == 3) : (d == 2 || d == 4)) return true;
            }
    return false;
}

bool create_corridor(int x, int y, int direction, int depth) {
    depth = trace_enter(depth, trace_create_corridor);
    if (!on_map(x, y, depth)) return false;
    dungeon.success = 0;
    if (dungeon.next_area > max_area_number) return false;
    const int style = dungeon.corridor_style;
    const bool centred = style >= 2;
    int length = random(6) + 8;
    if (style > 1) length += round_half_even(style * 2.5);
    const int width = style + 2;

    mark_rect r;
    bool built = false;
    while (!built && length >= 7) {
        clear_shape_grid();
        get_rect_from_mark(x, y, direction, r, centred, length, width);
        built = draw_rect_shape(r.x1, r.y1, r.x2, r.y2, dungeon.wall_block, dungeon.floor_block) &&
                scan_corridor_space(x, y, direction, depth, length);
        if (!built) --length;
    }
    if (!built) return false;

    const int area = static_cast<int>(dungeon.next_area);
    const bool first = area == 1;
    place_area(r.x1, r.y1, r.x2, r.y2, depth, false, area, area_corridor);
    const bool branching =
        dungeon.origin_kind != area_corridor && length >= 10 && d100() <= dungeon.branch_chance;

    // The middle lane lies h cells from the west or north side.
    const int h = style / 2 + 1;
    const bool vertical = direction == 1 || direction == 3;
    const int lane = vertical ? r.x1 + h : r.y1 + h;
    const int far = direction == 1 ? r.y1 : direction == 2 ? r.x2 : direction == 3 ? r.y2 : r.x1;
    const int near = direction == 1 ? r.y2 : direction == 2 ? r.x1 : direction == 3 ? r.y1 : r.x2;
    const int back = -(dir_dx[direction] + dir_dy[direction]); // step from the far side toward the near side
    auto at = [&](int along, int across, int& cx, int& cy) {
        if (vertical)
            cx = across, cy = along;
        else
            cx = along, cy = across;
    };

    int cx = 0, cy = 0;
    at(far, lane, cx, cy);
    add_mark(cx, cy, direction, depth, 0, area_corridor);
    grid_at(corridor_end_grid, cx, cy) = static_cast<uint8_t>(direction);

    int branch_x[2] = {0, 0}, branch_y[2] = {0, 0};
    bool branch_ok[2] = {false, false};
    for (int i = 0; i < 2; ++i) {
        const int s = side_direction[direction][i];
        const int side_line = vertical ? (s == 2 ? r.x2 : r.x1) : (s == 3 ? r.y2 : r.y1);
        if (branching) {
            at(far + 3 * back, side_line, branch_x[i], branch_y[i]);
            branch_ok[i] = add_mark(branch_x[i], branch_y[i], s, depth, 0, area_corridor) >= 0;
        } else {
            const int from = near - 3 * back, to = far + 2 * back;
            int x1, y1, x2, y2;
            at(std::min(from, to), side_line, x1, y1);
            at(std::max(from, to), side_line, x2, y2);
            add_marks_to_line(x1, y1, x2, y2, depth, area_corridor, s);
        }
    }
    if (first) {
        at(near, lane, cx, cy);
        add_mark(cx, cy, opposite_direction[direction], depth, 0, area_corridor);
        grid_at(corridor_end_grid, cx, cy) = static_cast<uint8_t>(opposite_direction[direction]);
    }

    add_to_areas(area, x, y, direction, r.x1, r.y1, r.x2, r.y2, area_corridor,
                 (r.x2 - r.x1 + 1) * (r.y2 - r.y1 + 1), 0);
    create_doorway(x, y, direction, depth, area, static_cast<int>(dungeon.origin_kind), area_corridor);
    ++dungeon.next_area;
    ++dungeon.kind_created[area_corridor - 1];
    dungeon.success = 1;

    if (branching && branch_ok[0] && branch_ok[1]) {
        // The branch marks are found again by their cells: taking one shifts the positions.
        tmark m;
        const int first_position = find_mark(branch_x[0], branch_y[0]);
        if (first_position >= 0) {
            get_mark(first_position, m);
            if (create_corridor(m.x, m.y, m.direction, depth)) {
                const int second_position = find_mark(branch_x[1], branch_y[1]);
                if (second_position >= 0) {
                    get_mark(second_position, m);
                    create_corridor(m.x, m.y, m.direction, depth);
                }
            }
        }
    }
    dungeon.success = 1;
    return true;
}

} // namespace dravok
