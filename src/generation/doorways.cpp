#include "generation/doorways.h"

#include "generation/areas.h"
#include "generation/grids.h"
#include "records/layout_dice.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "records/layout_parts.h"
#include "world/dice.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/random.h"
#include "world/rounding.h"
#include "world/tables.h"

namespace dravok {

namespace {

bool is_natural(int kind) {
    return kind == area_tunnel || kind == area_cave;
}
bool is_template_kind(int kind) {
    return kind == area_special || kind == area_vault;
}

bool has_hidden_entrance(int area) {
    if (!is_area_ok(area)) return false;
    const int t = areas[area].vault;
    return t >= 1 && t < static_cast<int>(vaults.size()) && vaults[t].group_flags[55 - 1] != 0;
}

// A room counts as small for widening below 37 cells.
bool is_small_room(int x, int y) {
    if (!on_map(x, y, 0)) return false;
    const int a = cell_at(x, y).area;
    return is_area_ok(a) && areas[a].kind == area_room && areas[a].cells < 37;
}

void open_cell(int x, int y, int depth, int area, int kind) {
    depth = trace_enter(depth, trace_open_cell);
    int floor = most_common_neighbour_floor(x, y);
    if (floor == 0) floor = dungeon.floor_block; // a doorway always has floor on both sides
    set_block(x, y, floor, depth, false, area, kind);
}

} // namespace

void create_doorway(int x, int y, int direction, int depth, int area, int origin_kind, int kind) {
    depth = trace_enter(depth, trace_create_doorway);
    if (dungeon.next_area == 1) return;
    if (direction < 1 || direction > 4 || !on_map(x, y, 0)) return;
    const int s1 = side_direction[direction][0], s2 = side_direction[direction][1];
    const int ax = x + dir_dx[s1], ay = y + dir_dy[s1], bx = x + dir_dx[s2], by = y + dir_dy[s2];
    if (is_natural(kind) && is_natural(origin_kind)) {
        set_block(x, y, dungeon.natural_floor_block, depth, false, area, kind);
        if (dungeon.corridor_style > 1) {
            set_block(ax, ay, dungeon.natural_floor_block, depth, false, area, kind);
            set_block(bx, by, dungeon.natural_floor_block, depth, false, area, kind);
        }
        return;
    }
    if (!on_map(ax, ay, 0) || !on_map(bx, by, 0)) return;
    if (!is_wall(ax, ay, 0) || !is_wall(bx, by, 0)) return;
    if (cell_at(ax, ay).secret_door != 0 || cell_at(bx, by).secret_door != 0) return;

    open_cell(x, y, depth, area, kind);
    grid_at(corridor_end_grid, x, y) = 0;

    if ((is_template_kind(kind) || is_template_kind(origin_kind)) && !has_hidden_entrance(area)) {
        if (d100() <= dungeon.widen_vault &&
            widen_doorway(x, y, direction, depth, false, area, origin_kind, kind))
            return;
    }
    if (dungeon.corridor_style > 1 && widen_doorway(x, y, direction, depth, true, area, origin_kind, kind))
        return;
    if (d100() <= dungeon.secret_doorway_chance && !is_area_edge_point(x, y) &&
        grid_at(exit_grid, x, y) == 0) {
        create_secret_door(x, y, dungeon.secret_door, depth);
        return;
    }
    if (kind == area_corridor && (origin_kind == area_corridor || origin_kind == area_tunnel ||
                                  origin_kind == area_cave || origin_kind == area_special))
        return;
    if (kind == area_special && origin_kind == area_corridor) return;
    if (kind == area_special && origin_kind == area_special) {
        if (d100() <= dungeon.widen_special)
            widen_doorway(x, y, direction, depth, true, area, origin_kind, kind);
        return;
    }
    if (d100() <= dungeon.door_chance) add_furniture(x, y, 8, depth);
}

bool widen_doorway(int x, int y, int direction, int depth, bool forced, int area, int origin_kind, int kind) {
    depth = trace_enter(depth, trace_widen_doorway);
    for (int d = 2; d <= 8; d += 2)
        if (!is_floor(x + compass_dx[d], y + compass_dy[d], 0)) return false;
    const int s1 = side_direction[direction][0], s2 = side_direction[direction][1];
    const int fx = dir_dx[direction], fy = dir_dy[direction];
    if (!forced) {
        // The cells two to either side, one and two steps along (-1: back toward the origin).
        auto flanked = [&](int sign) {
            for (int step = 1; step <= 2; ++step)
                for (int s : {s1, s2}) {
                    const int cx = x + 2 * dir_dx[s] + sign * step * fx,
                              cy = y + 2 * dir_dy[s] + sign * step * fy;
                    if (!is_wall(cx, cy, 0)) return false;
                }
            return true;
        };
        const bool back = is_template_kind(origin_kind) && flanked(-1);
        const bool ahead = !back && is_template_kind(kind) && flanked(1);
        if (!back && !ahead) return false;
    }
    if (is_small_room(x - fx, y - fy) || is_small_room(x + fx, y + fy)) return false;
    open_cell(x + dir_dx[s1], y + dir_dy[s1], depth, area, kind);
    open_cell(x + dir_dx[s2], y + dir_dy[s2], depth, area, kind);
    return true;
}

void create_secret_door(int x, int y, const tdice& difficulty, int depth) {
    depth = trace_enter(depth, trace_create_secret_door);
    if (!on_map(x, y, depth)) return;
    tcell& c = cell_at(x, y);
    c.block = mark_block_grid[x - 1][y - 1];
    const int roll = roll_dice(difficulty);
    c.secret_door = static_cast<uint8_t>(roll == 0 ? 20 : roll);
    add_furniture(x, y, 11, depth);
    c.furniture_state = 0;
    if (c.block == 0) {
        static const int dx[4] = {0, 1, 0, -1};
        static const int dy[4] = {-1, 0, 1, 0};
        for (int i = 0; i < 4; ++i) {
            const int nx = x + dx[i], ny = y + dy[i];
            if (is_wall(nx, ny, 0) && cell_at(nx, ny).block != 0) {
                c.block = cell_at(nx, ny).block;
                break;
            }
        }
    }
    c.block_variant = 0;
}

} // namespace dravok
