#include "generation/connections.h"

#include "generation/area_fitting.h"
#include "generation/areas.h"
#include "generation/corridors.h"
#include "generation/doorways.h"
#include "generation/grids.h"
#include "generation/shapes.h"
#include "generation/vault_templates.h"
#include "world/directions.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/map_grid.h"
#include "world/random.h"

namespace dravok {

namespace {

constexpr int longest_connection = 20;
constexpr int smallest_connected_room = 49;
// Rooms below this size behind a single door hide it.
constexpr int small_room_cells = 37;
constexpr int hidden_entrance_group = 55;
constexpr int open_floor_count = 8, walk_stopping_blockers = 3;
// A connecting corridor longer than this always gets doorways at its ends.
constexpr int short_connection = 7;

bool holds_door(int x, int y) {
    const int f = get_furniture(x, y, 0);
    return f >= fu_door && f <= fu_door_secret;
}

// A blocker for a door's walk: a wall, a door or a secret door (the map edge counts too).
bool is_blocker(int x, int y) {
    if (!on_map(x, y, 0)) return true;
    return is_wall(x, y, 0) || holds_door(x, y);
}

bool is_open_floor(int x, int y) {
    return is_floor(x, y, 0) && !holds_door(x, y);
}

bool is_corridor_start(int area, int x, int y, bool far_end_too) {
    if (!is_area_ok(area) || areas[area].kind != area_corridor) return false;
    if (areas[area].origin_x == x && areas[area].origin_y == y) return true;
    if (!far_end_too) return false;
    int ex = 0, ey = 0;
    get_area_edge_point(area, areas[area], ex, ey);
    return ex == x && ey == y;
}

// Walks from the door along its wall; true when it reaches a cell in open floor.
bool stands_in_open_floor(int x, int y, int step_x, int step_y) {
    const bool along_x = step_x != 0;
    for (int k = 1;; ++k) {
        const int cx = x + k * step_x, cy = y + k * step_y;
        if (!on_map(cx, cy, 0)) return false;
        if (along_x ? is_blocker(cx, cy - 1) || is_blocker(cx, cy + 1)
                    : is_blocker(cx - 1, cy) || is_blocker(cx + 1, cy))
            return false;
        int floors = 0, blockers = 0;
        for (int d = 1; d <= 8; ++d) {
            const int nx = cx + compass_dx[d], ny = cy + compass_dy[d];
            if (!on_map(nx, ny, 0)) continue;
            if (is_blocker(nx, ny))
                ++blockers;
            else if (is_open_floor(nx, ny))
                ++floors;
        }
        if (blockers >= walk_stopping_blockers) return false;
        if (floors == open_floor_count && blockers == 0) return true;
    }
}

void plain_opening(int x, int y, int area, int depth) {
    int floor = most_common_neighbour_floor(x, y);
    if (floor == 0) floor = dungeon.floor_block;
    set_block(x, y, floor, depth, false, area, area_corridor);
}

void side_middle(const tarea& a, int k, int& x, int& y) {
    switch (k) {
    case 1:
        x = a.x1 + a.width / 2, y = a.y1;
        break;
    case 2:
        x = a.x2, y = a.y1 + a.height / 2;
        break;
    case 3:
        x = a.x1 + a.width / 2, y = a.y2;
        break;
    default:
        x = a.x1, y = a.y1 + a.height / 2;
        break;
    }
}

// Tries the extra corridor from side k of area a; true when it was dug.
bool connect_side_with_corridor(int a, int k, bool door_at_origin, int depth) {
    int sx = 0, sy = 0;
    side_middle(areas[a], k, sx, sy);
    if (!on_map(sx, sy, 0) || near_area_wall(sx, sy, k, 2)) return false;
    const int length = scan_connecting_corridor(sx, sy, k, depth);
    if (length == 0) return false;
    const int ex = sx + (length - 1) * dir_dx[k], ey = sy + (length - 1) * dir_dy[k];
    const int b = cell_at(ex, ey).area;
    if (!is_area_ok(b) || areas[b].cells < smallest_connected_room || areas[b].parent == areas[a].parent)
        return false;
    clear_shape_grid();
    mark_rect r;
    get_rect_from_mark(sx, sy, k, r, true, length, 3);
    if (!draw_rect_shape(r.x1, r.y1, r.x2, r.y2, dungeon.wall_block, dungeon.floor_block)) return false;

    const int corridor = static_cast<int>(dungeon.next_area);
    const int origin_kind = areas[a].kind;
    dungeon.parent_area = static_cast<uint32_t>(a);
    place_area(r.x1, r.y1, r.x2, r.y2, depth, false, corridor, area_corridor);
    add_to_areas(corridor, sx, sy, k, r.x1, r.y1, r.x2, r.y2, area_corridor,
                 (r.x2 - r.x1 + 1) * (r.y2 - r.y1 + 1), 0);
    if (length == 2) door_at_origin = false;
    if (length > short_connection || door_at_origin) {
        if (length <= short_connection)
            plain_opening(sx, sy, corridor, depth);
        else
            create_doorway(sx, sy, k, depth, corridor, origin_kind, area_corridor);
        if (areas[b].kind == area_corridor)
            plain_opening(ex, ey, corridor, depth);
        else
            create_doorway(ex, ey, opposite_direction[k], depth, corridor, origin_kind, area_corridor);
    } else {
        plain_opening(sx, sy, corridor, depth);
        plain_opening(ex, ey, corridor, depth);
    }
    ++dungeon.next_area;
    ++dungeon.kind_created[area_corridor - 1];
    calculate_area_exits();
    return true;
}

void strip_of_side(const tarea& a, int k, int& x1, int& y1, int& x2, int& y2) {
    switch (k) {
    case 1:
        x1 = a.x1 + 1, x2 = a.x2 - 1, y1 = y2 = a.y1;
        break;
    case 2:
        y1 = a.y1 + 1, y2 = a.y2 - 1, x1 = x2 = a.x2;
        break;
    case 3:
        x1 = a.x1 + 1, x2 = a.x2 - 1, y1 = y2 = a.y2;
        break;
    default:
        y1 = a.y1 + 1, y2 = a.y2 - 1, x1 = x2 = a.x1;
        break;
    }
}

bool connects_rooms_or_naturals(int kind) {
    return kind == area_room || kind == area_tunnel || kind == area_cave;
}

void connect_side(int a, int k, int depth) {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    strip_of_side(areas[a], k, x1, y1, x2, y2);
    int xs[2 * max_map_size], ys[2 * max_map_size];
    int n = 0;
    for (int x = x1; x <= x2; ++x)
        for (int y = y1; y <= y2; ++y)
            if (on_map(x, y, 0) && get_furniture(x, y, 0) != 0) return;
    for (int x = x1; x <= x2; ++x)
        for (int y = y1; y <= y2; ++y) {
            if (!is_wall(x, y, 0)) continue;
            const int bx = x + dir_dx[k], by = y + dir_dy[k];
            if (!is_floor(bx, by, 0)) continue;
            const int b = cell_at(bx, by).area;
            if (!is_area_ok(b) || b == a || areas_connected(a, b) ||
                !connects_rooms_or_naturals(areas[b].kind))
                continue;
            if (!fix_door(x, y)) continue;
            xs[n] = x;
            ys[n] = y;
            ++n;
        }
    if (n == 0) return;
    const int i = random(n);
    const int x = xs[i], y = ys[i];
    const int wall_area = cell_at(x, y).area;
    // The doorway joins a, so a wall taken over by another area still opens with a's kind.
    const int kind = wall_area == a ? cell_at(x, y).shape : areas[a].kind;
    if (is_area_ok(wall_area) && areas[wall_area].exits > 0) {
        // Rooms are opened one side at a time, so only the areas round the doorway are recounted.
        const texits_snapshot before = take_exits_snapshot(x, y);
        create_doorway(x, y, k, depth, a, areas[a].kind, kind);
        update_area_exits_near(x, y, before);
    } else {
        // A secret door leaves the wall a wall, so the exits stay as they were counted.
        create_secret_door(x, y, dungeon.secret_door, depth);
    }
}

bool is_unconnected_corridor(int area) {
    return is_area_ok(area) && areas[area].kind == area_corridor && areas[area].exits == 0;
}

bool usable_end(int x, int y) {
    return is_floor(x, y, 0) && get_furniture(x, y, 0) == 0 && !is_impenetrable_wall(x, y, 0);
}

bool usable_side(int x, int y) {
    return is_wall(x, y, 0) && get_furniture(x, y, 0) != fu_door_secret;
}

// The wall at (x, y) between the ends (ax, ay) and (bx, by); true when a door was put there.
bool connect_through(int x, int y, int ax, int ay, int bx, int by, int sx1, int sy1, int sx2, int sy2,
                     int direction, int depth) {
    if (!usable_end(ax, ay) || !usable_end(bx, by) || !usable_side(sx1, sy1) || !usable_side(sx2, sy2))
        return false;
    const int a = cell_at(ax, ay).area, b = cell_at(bx, by).area;
    if (cell_at(ax, ay).shape == area_corridor && is_unconnected_corridor(a)) return false;
    if (cell_at(bx, by).shape == area_corridor && is_unconnected_corridor(b)) return false;
    if (!is_area_ok(a) || !is_area_ok(b) || a == b) return false;
    if (areas_connected(a, b) || areas_connected_2(a, b) || areas_touching(a, b)) return false;
    if (areas[a].exits == 0 || areas[b].exits == 0) {
        create_secret_door(x, y, dungeon.secret_door, depth);
        add_touching_area(a, b);
        add_touching_area(b, a);
    } else {
        create_doorway(x, y, direction, depth, a, areas[a].kind, areas[a].kind);
        // The wall may have been the other area's: the door's cells now belong to a.
        for (int s = 0; s <= 4; ++s) {
            const int cx = x + dir_dx[s], cy = y + dir_dy[s];
            if (on_map(cx, cy, 0) && cell_at(cx, cy).area == a) fit_area_to_cell(a, cx, cy);
        }
        add_area_connection(a, b, x, y);
        add_area_connection(b, a, x, y);
    }
    return true;
}

bool wall_to_open(int x, int y) {
    if (!is_wall(x, y, 0) || is_impenetrable_wall(x, y, 0) || get_furniture(x, y, 0) != 0) return false;
    return !(cell_at(x, y).shape == area_corridor && is_unconnected_corridor(cell_at(x, y).area));
}

} // namespace

bool fix_door(int x, int y) {
    if (!on_map(x, y, 0)) return false;
    const int area = cell_at(x, y).area;
    if (is_corridor_start(area, x, y, false)) return false;
    if (is_area_ok(area) && is_corridor_start(areas[area].parent, x, y, true)) return false;
    int blockers = 0;
    for (int d = 1; d <= 4; ++d)
        blockers += is_blocker(x + dir_dx[d], y + dir_dy[d]);
    if (blockers > 2) return false;
    const bool west = is_open_floor(x - 1, y), east = is_open_floor(x + 1, y);
    const bool along_x = !west || !east;
    if (along_x && !(is_open_floor(x, y - 1) && is_open_floor(x, y + 1))) return false;
    const int step_x = along_x ? 1 : 0, step_y = along_x ? 0 : 1;
    if (stands_in_open_floor(x, y, step_x, step_y) || stands_in_open_floor(x, y, -step_x, -step_y)) {
        if (get_furniture(x, y, 0) != 0) {
            remove_furniture(x, y, false, 0);
            const tcell& c = cell_at(x, y);
            set_block(x, y, dungeon.wall_block, 0, false, c.area, c.shape);
        }
        return false;
    }
    return true;
}

int scan_connecting_corridor(int x, int y, int direction, int) {
    if (direction < 1 || direction > 4) return 0;
    const int s1 = side_direction[direction][0], s2 = side_direction[direction][1];
    for (int k = 1; k <= longest_connection; ++k) {
        const int cx = x + k * dir_dx[direction], cy = y + k * dir_dy[direction];
        const int ax = cx + dir_dx[s1], ay = cy + dir_dy[s1], bx = cx + dir_dx[s2], by = cy + dir_dy[s2];
        for (auto [px, py] : {std::pair{cx, cy}, std::pair{ax, ay}, std::pair{bx, by}})
            if (!on_map(px, py, 0) || grid_at(dug_grid, px, py) != 0) return 0;
        if (is_impenetrable_wall(cx, cy, 0)) return 0;
        auto area_wall = [](int px, int py) { return is_wall(px, py, 0) && cell_at(px, py).area != 0; };
        if (!area_wall(cx, cy) || !area_wall(ax, ay) || !area_wall(bx, by)) continue;
        for (auto [px, py] : {std::pair{cx, cy}, std::pair{ax, ay}, std::pair{bx, by}}) {
            const int fx = px + dir_dx[direction], fy = py + dir_dy[direction];
            if (!is_floor(fx, fy, 0) || holds_door(fx, fy)) return 0;
        }
        return k + 1;
    }
    return 0;
}

void connect_areas_with_corridors(int depth) {
    for (int a = 1; a <= area_high_index() && a < static_cast<int>(dungeon.next_area); ++a) {
        const tarea& r = areas[a];
        if (r.kind != area_room && r.kind != area_circular) continue;
        if (r.exit_cells != 1 || r.cells < smallest_connected_room) continue;
        const bool door_at_origin = on_map(r.origin_x, r.origin_y, 0) && holds_door(r.origin_x, r.origin_y);
        const int back = r.direction >= 1 && r.direction <= 4 ? opposite_direction[r.direction] : 0;
        for (int k = 1; k <= 4; ++k)
            if (k != back && connect_side_with_corridor(a, k, door_at_origin, depth)) break;
    }
}

void doors_to_secret_doors(int depth) {
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y) {
            const int f = get_furniture(x, y, 0);
            if (f != fu_door && f != fu_door_lockable) continue;
            const int a = cell_at(x, y).area;
            if (!is_area_ok(a) || areas[a].exit_cells != 1) continue;
            if (is_area_edge_point(x, y) || grid_at(exit_grid, x, y) != 0) continue;
            const tarea& r = areas[a];
            const bool forced =
                (r.kind == area_room && r.cells < small_room_cells) ||
                (r.kind == area_vault && template_in_group(r.vault, 0, hidden_entrance_group));
            if (forced || d100() <= dungeon.secret_conversion_chance)
                create_secret_door(x, y, dungeon.secret_door, depth);
        }
}

void secret_doors_to_orphan_corridors(int depth) {
    for (int a = 1; a <= area_high_index(); ++a) {
        const tarea& r = areas[a];
        if (r.kind == area_corridor && r.exit_cells == 1 && r.touching == 0)
            create_secret_door(r.origin_x, r.origin_y, dungeon.secret_door, depth);
    }
}

void connect_areas(int depth) {
    for (int a = 1; a <= area_high_index(); ++a) {
        if (areas[a].kind != area_room) continue;
        for (int k = 1; k <= 4; ++k)
            connect_side(a, k, depth);
    }
}

void connect_areas_through_walls(int depth) {
    const int n = map_size;
    for (int x = 2; x <= n - 2; ++x)
        for (int y = 2; y <= n - 2; ++y) {
            if (!wall_to_open(x, y)) continue;
            if (connect_through(x, y, x, y - 1, x, y + 1, x - 1, y, x + 1, y, 1, depth)) continue;
            if (!wall_to_open(x, y)) continue;
            connect_through(x, y, x - 1, y, x + 1, y, x, y - 1, x, y + 1, 2, depth);
        }
}

} // namespace dravok
