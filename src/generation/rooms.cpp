#include "generation/rooms.h"

#include "generation/areas.h"
#include "generation/doorways.h"
#include "generation/grids.h"
#include "generation/marks.h"
#include "generation/shapes.h"
#include "world/directions.h"
#include "world/error_log.h"

namespace dravok {

namespace {

bool neighbour_merges(int x, int y, bool chance_a, bool chance_b) {
    if (is_wall(x, y, 0)) return false;
    const int kind = cell_at(x, y).shape;
    if (kind == area_room || kind == area_ellipse || kind == area_polygon) return chance_a;
    if (kind == area_special) return chance_b;
    return false;
}

bool can_merge_between(int x, int y, int ax, int ay, int bx, int by, bool chance_a, bool chance_b) {
    if (!on_map(ax, ay, 0) || !on_map(bx, by, 0)) return false;
    if (!is_wall(x, y, 0) || is_impenetrable_wall(x, y, 0)) return false;
    return neighbour_merges(ax, ay, chance_a, chance_b) && neighbour_merges(bx, by, chance_a, chance_b);
}

} // namespace

bool can_merge_vertical(int x, int y, bool chance_a, bool chance_b) {
    return can_merge_between(x, y, x, y - 1, x, y + 1, chance_a, chance_b);
}

bool can_merge_horizontal(int x, int y, bool chance_a, bool chance_b) {
    return can_merge_between(x, y, x - 1, y, x + 1, y, chance_a, chance_b);
}

void merge_rooms(const shape_bounds& b, int area, int depth) {
    depth = trace_enter(depth, trace_merge_rooms);
    const bool chance_a = d100() <= dungeon.merge_rooms;
    const bool chance_b = d100() <= dungeon.merge_specials;
    if (!chance_a && !chance_b) return;
    for (int row : {b.y1, b.y2})
        for (int x = b.x1; x <= b.x2; ++x)
            if (can_merge_vertical(x, row, chance_a, chance_b))
                set_block(x, row, dungeon.floor_block, depth, false, area, area_room);
    for (int column : {b.x1, b.x2})
        for (int y = b.y1; y <= b.y2; ++y)
            if (can_merge_horizontal(column, y, chance_a, chance_b))
                set_block(column, y, dungeon.floor_block, depth, false, area, area_room);
}

bool create_room(int x, int y, int direction, int depth) {
    depth = trace_enter(depth, trace_create_room);
    if (!on_map(x, y, depth)) return false;
    dungeon.success = 0;
    if (dungeon.next_area > max_area_number) return false;
    const bool corridor_end = grid_at(corridor_end_grid, x, y) != 0;
    int tries = corridor_end ? 50 : 20;
    tdice size = dungeon.area_size; // a working copy: dead ends shrink it
    const int dead_end_size = dungeon.dead_end_room_size;

    mark_rect r;
    bool built = false;
    while (!built && tries > 0) {
        clear_shape_grid();
        const int width = roll_dice(size);
        const int length = roll_dice(size);
        const bool centred = dungeon.corridor_style > 1 || width == 5;
        get_rect_from_mark(x, y, direction, r, centred, length, width);
        built = draw_rect_shape(r.x1, r.y1, r.x2, r.y2, dungeon.wall_block, dungeon.floor_block);
        if (built) break;
        --tries;
        if (corridor_end) {
            if (tries >= 11 && tries <= 20 && min_dice(size, 0) > dead_end_size) --size.bonus;
            if (tries < 11) {
                size = tdice{};
                size.bonus = static_cast<int16_t>(dead_end_size);
            }
        }
    }
    if (!built) return false;

    const int area = static_cast<int>(dungeon.next_area);
    const bool first = area == 1;
    if (first) {
        int dx = 0, dy = 0;
        center_shape(dx, dy);
        x += dx;
        y += dy;
        r.x1 += dx;
        r.x2 += dx;
        r.y1 += dy;
        r.y2 += dy;
    }
    const int w = r.x2 - r.x1 + 1, h = r.y2 - r.y1 + 1;
    place_area(r.x1, r.y1, r.x2, r.y2, depth, w < 7 || h < 7, area, area_room);
    shape_bounds bounds;
    bounds.x1 = r.x1;
    bounds.y1 = r.y1;
    bounds.x2 = r.x2;
    bounds.y2 = r.y2;
    bounds.width = w;
    bounds.height = h;
    merge_rooms(bounds, area, depth);

    const int back = opposite_direction[direction];
    for (int side = 1; side <= 4; ++side) {
        if (side == back && !first) continue;
        switch (side) {
        case 1:
            add_marks_to_line(r.x1 + 2, r.y1, r.x2 - 2, r.y1, depth, area_room, 1);
            break;
        case 2:
            add_marks_to_line(r.x2, r.y1 + 2, r.x2, r.y2 - 2, depth, area_room, 2);
            break;
        case 3:
            add_marks_to_line(r.x1 + 2, r.y2, r.x2 - 2, r.y2, depth, area_room, 3);
            break;
        default:
            add_marks_to_line(r.x1, r.y1 + 2, r.x1, r.y2 - 2, depth, area_room, 4);
            break;
        }
    }

    add_to_areas(area, x, y, direction, r.x1, r.y1, r.x2, r.y2, area_room, w * h, 0);
    create_doorway(x, y, direction, depth, area, static_cast<int>(dungeon.origin_kind), area_room);
    ++dungeon.next_area;
    ++dungeon.kind_created[area_room - 1];
    dungeon.success = 1;
    return true;
}

} // namespace dravok
