#include "generation/dead_ends.h"

#include <utility>

#include "generation/area_fitting.h"
#include "generation/areas.h"
#include "generation/grids.h"
#include "generation/rooms.h"
#include "generation/round_areas.h"
#include "generation/shapes.h"
#include "world/directions.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/map_grid.h"
#include "world/random.h"

namespace dravok {

namespace {

constexpr int longest_continuation = 15, shortest_continuation = 3;
constexpr int candidate_swaps = 50;

bool has_door_or_secret(int x, int y) {
    const int f = get_furniture(x, y, 0);
    return f == fu_door || f == fu_door_secret;
}

// The kind a cell of the area takes: the area's own (a corridor for a corridor's dead end).
int own_kind(int area) {
    return is_area_ok(area) ? areas[area].kind : area_corridor;
}

bool is_wall_of_area(int x, int y) {
    return is_wall(x, y, 0) && cell_at(x, y).area != 0;
}

bool build_area_of_kind(int kind, int x, int y, int direction, int depth) {
    switch (kind) {
    case area_room:
        return create_room(x, y, direction, depth);
    case area_circular:
        return create_circular(x, y, direction, depth);
    case area_ellipse:
        return create_ellipse(x, y, direction, depth);
    default:
        return create_polygon(x, y, direction, depth);
    }
}

// A room (or, without room weight, a circular area) grown sideways from just behind the
// dead end, for a corridor that could be ended no other way.
void build_side_areas(int x, int y, int d, int depth) {
    for (int s : side_direction[d]) {
        const int cx = x - dir_dx[d] + dir_dx[s], cy = y - dir_dy[d] + dir_dy[s];
        if (!on_map(cx, cy, 0)) continue;
        grid_at(corridor_end_grid, cx, cy) = static_cast<uint8_t>(d);
        if (dungeon.kind_weight[area_room - 1] != 0)
            create_room(cx, cy, s, depth);
        else if (dungeon.kind_weight[area_circular - 1] != 0)
            create_circular(cx, cy, s, depth);
        grid_at(corridor_end_grid, cx, cy) = 0;
    }
}

} // namespace

bool create_terminating_area(int x, int y, int direction, int depth) {
    if (!on_map(x, y, 0)) return false;
    int candidates[4];
    int n = 0;
    for (int kind : {area_room, area_circular, area_ellipse, area_polygon})
        if (dungeon.kind_weight[kind - 1] != 0) candidates[n++] = kind;
    grid_at(corridor_end_grid, x, y) = static_cast<uint8_t>(direction);
    if (n > 1)
        for (int i = 0; i < candidate_swaps; ++i) {
            const int a = random(n);
            const int b = random(n);
            std::swap(candidates[a], candidates[b]);
        }
    bool built = false;
    for (int i = 0; i < n && !built; ++i)
        built = build_area_of_kind(candidates[i], x, y, direction, depth);
    if (!built && dungeon.kind_weight[area_room - 1] == 0) built = create_room(x, y, direction, depth);
    grid_at(corridor_end_grid, x, y) = 0;
    return built;
}

void terminate_deadends(int depth) {
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y) {
            const int d = grid_at(corridor_end_grid, x, y);
            if (d < 1 || d > 4) continue;
            const int ax = x + dir_dx[d], ay = y + dir_dy[d];
            if (!on_map(ax, ay, 0)) continue;
            dungeon.parent_area = grid_at(mark_area_grid, x, y);
            bool done;
            if (cell_at(ax, ay).area == 0)
                done = create_terminating_area(x, y, d, depth) || continue_corridor(x, y, d, depth, true);
            else
                done = deadend_to_floor(x, y, d, depth);
            if (!done) build_side_areas(x, y, d, depth);
        }
}

bool deadend_to_floor(int x, int y, int direction, int depth) {
    if (direction < 1 || direction > 4) return false;
    if (x < 2 || y < 2 || x > map_size - 1 || y > map_size - 1) return false;
    if (is_impenetrable_wall(x, y, 0) || has_door_or_secret(x, y)) return false;
    const int ax = x + dir_dx[direction], ay = y + dir_dy[direction];
    if (!on_map(ax, ay, 0) || is_impenetrable_wall(ax, ay, 0) || has_door_or_secret(ax, ay)) return false;
    const int own = cell_at(x, y).area;
    if (is_floor(ax, ay, 0)) {
        set_block(x, y, dungeon.floor_block, depth, false, own, own_kind(own));
        return true;
    }
    const int bx = ax + dir_dx[direction], by = ay + dir_dy[direction];
    if (!is_floor(bx, by, 0)) return false;
    set_block(x, y, dungeon.floor_block, depth, false, own, own_kind(own));
    const tcell b = cell_at(bx, by);
    set_block(ax, ay, b.block, depth, false, b.area, b.shape);
    fit_area_to_cell(b.area, ax, ay);
    return true;
}

bool continue_corridor(int x, int y, int direction, int depth, bool room_fallback) {
    if (direction < 1 || direction > 4 || !on_map(x, y, 0)) return false;
    const int style = dungeon.corridor_style;
    const bool centred = style > 1;
    mark_rect r;
    bool fits = false;
    for (int length = longest_continuation; length >= shortest_continuation && !fits; --length) {
        clear_shape_grid();
        get_rect_from_mark(x, y, direction, r, centred, length, style + 2);
        fits = draw_rect_shape(r.x1, r.y1, r.x2, r.y2, dungeon.wall_block, dungeon.floor_block);
    }
    if (!fits) return false;

    tarea far_end{};
    far_end.direction = direction;
    far_end.x1 = r.x1;
    far_end.y1 = r.y1;
    far_end.x2 = r.x2;
    far_end.y2 = r.y2;
    int px = 0, py = 0;
    get_area_edge_point(0, far_end, px, py);
    if (is_wall_of_area(px, py)) {
        for (int s : side_direction[direction]) {
            const int sx = px + dir_dx[s], sy = py + dir_dy[s];
            if (on_map(sx, sy, 0) && !is_wall_of_area(sx, sy)) return false;
        }
        if (!is_floor(px + dir_dx[direction], py + dir_dy[direction], 0)) return false;
    }

    const int own = cell_at(x, y).area;
    place_area(r.x1, r.y1, r.x2, r.y2, depth, false, own, own_kind(own));
    set_block(x, y, dungeon.floor_block, depth, false, own, own_kind(own));
    if (is_area_ok(own)) {
        tarea& a = areas[own];
        switch (direction) {
        case 1:
            a.y1 = r.y1;
            break;
        case 2:
            a.x2 = r.x2;
            break;
        case 3:
            a.y2 = r.y2;
            break;
        default:
            a.x1 = r.x1;
            break;
        }
        a.width = a.x2 - a.x1 + 1;
        a.height = a.y2 - a.y1 + 1;
        a.centre_x = a.x1 + a.width / 2;
        a.centre_y = a.y1 + a.height / 2;
        a.cells = a.width * a.height;
        // A continuation set off to one side still lies inside the area's rectangle.
        fit_area_to_cell(own, r.x1, r.y1);
        fit_area_to_cell(own, r.x2, r.y2);
    }
    if (!deadend_to_floor(px, py, direction, depth) && room_fallback && on_map(px, py, 0)) {
        grid_at(corridor_end_grid, px, py) = static_cast<uint8_t>(direction);
        create_room(px, py, direction, depth);
        grid_at(corridor_end_grid, px, py) = 0;
    }
    return true;
}

} // namespace dravok
