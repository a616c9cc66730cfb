#include "generation/marks.h"

#include "generation/grids.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/random.h"
#include "world/rounding.h"

namespace dravok {

std::vector<tmark> open_marks;
std::vector<tmark> failed_marks;
outer_mark outer_marks[5];
int outer_marks_left = 0;
int forced_marks_open = 0;

static bool further_out(int direction, int x, int y, const outer_mark& kept) {
    switch (direction) {
    case 1:
        return y < kept.y;
    case 2:
        return x > kept.x;
    case 3:
        return y > kept.y;
    default:
        return x < kept.x;
    }
}

int add_mark(int x, int y, int direction, int depth, int forced_kind, int origin_kind) {
    depth = trace_enter(depth, trace_add_mark);
    if (dungeon.no_more_marks) return -1;
    if (!on_map(x, y, depth)) return -1;
    if (direction == 1 && y < 5) return -1;
    if (direction == 2 && x > map_size - 4) return -1;
    if (direction == 3 && y > map_size - 4) return -1;
    if (direction == 4 && x < 5) return -1;
    if (direction < 1 || direction > 4) return -1;
    if (grid_at(mark_grid, x, y) || grid_at(dug_grid, x, y)) return -1;
    if (!is_wall(x, y, 0)) return -1;
    if (cell_at(x, y).secret_door != 0) return -1;

    tmark m;
    m.x = x;
    m.y = y;
    m.direction = direction;
    m.origin_kind = origin_kind;
    m.forced_kind = forced_kind;
    m.origin_area = static_cast<int32_t>(dungeon.next_area);
    open_marks.push_back(m);
    grid_at(mark_grid, x, y) = 1;
    grid_at(mark_block_grid, x, y) = cell_at(x, y).block;
    grid_at(mark_area_grid, x, y) = static_cast<uint8_t>(dungeon.next_area);
    if (forced_kind > 0) ++forced_marks_open;
    if (dungeon.dig_step == 1) {
        outer_mark& kept = outer_marks[direction];
        if (kept.x == 0 || further_out(direction, x, y, kept))
            kept = {static_cast<uint16_t>(x), static_cast<uint16_t>(y)};
    }
    return static_cast<int>(open_marks.size()) - 1;
}

void get_mark(int position, tmark& out) {
    out = tmark{};
    if (position < 0 || position >= static_cast<int>(open_marks.size())) return;
    out = open_marks[position];
    open_marks.erase(open_marks.begin() + position);
    dungeon.origin_kind = static_cast<uint32_t>(out.origin_kind);
    if (on_map(out.x, out.y, 0)) {
        dungeon.parent_area = grid_at(mark_area_grid, out.x, out.y);
        grid_at(mark_grid, out.x, out.y) = 0;
    }
    if (out.forced_kind > 0) --forced_marks_open;
}

void get_failed_mark(int position, tmark& out) {
    out = tmark{};
    if (position < 0 || position >= static_cast<int>(failed_marks.size())) return;
    out = failed_marks[position];
    failed_marks.erase(failed_marks.begin() + position);
    dungeon.origin_kind = static_cast<uint32_t>(out.origin_kind);
    if (on_map(out.x, out.y, 0)) {
        dungeon.parent_area = grid_at(mark_area_grid, out.x, out.y);
        grid_at(mark_grid, out.x, out.y) = 0;
    }
}

void take_outer_mark(tmark& out) {
    out = tmark{};
    int kept[4], count = 0;
    for (int d = 1; d <= 4; ++d)
        if (outer_marks[d].x != 0) kept[count++] = d;
    if (count == 0) {
        outer_marks_left = 0;
        return;
    }
    const int d = kept[random(count)];
    const int position = find_mark(outer_marks[d].x, outer_marks[d].y);
    if (position >= 0) {
        get_mark(position, out);
        outer_marks[d] = outer_mark{};
    }
    --outer_marks_left;
}

void take_forced_mark(tmark& out) {
    out = tmark{};
    for (int i = 0; i < static_cast<int>(open_marks.size()); ++i)
        if (open_marks[i].forced_kind > 0) {
            get_mark(i, out);
            return;
        }
}

int find_mark(int x, int y) {
    // At most one open mark lies on a cell, and the mark grid says whether one does.
    if (!on_map(x, y, 0) || !grid_at(mark_grid, x, y)) return -1;
    for (int i = 0; i < static_cast<int>(open_marks.size()); ++i)
        if (open_marks[i].x == x && open_marks[i].y == y) return i;
    return -1;
}

bool is_mark_open(const tmark& m) {
    if (m.x < 2 || m.x > map_size - 1 || m.y < 2 || m.y > map_size - 1) return false;
    if (m.direction < 1 || m.direction > 4) return false;
    const int ax = m.x + (m.direction == 2) - (m.direction == 4);
    const int ay = m.y + (m.direction == 3) - (m.direction == 1);
    return cell_at(ax, ay).area == 0;
}

void add_marks_to_line(int x1, int y1, int x2, int y2, int depth, int origin_kind, int direction) {
    depth = trace_enter(depth, trace_add_marks_to_line);
    const int y = y1 + random(y2 - y1 + 1);
    const int x = x1 + random(x2 - x1 + 1);
    add_mark(x, y, direction, depth, 0, origin_kind);
}

void add_failed_mark(const tmark& m, int depth) {
    depth = trace_enter(depth, trace_add_failed_mark);
    if (on_map(m.x, m.y, 0)) failed_marks.push_back(m);
}

void clear_marks() {
    open_marks.clear();
    failed_marks.clear();
    outer_marks_left = 0;
    for (auto& o : outer_marks)
        o = outer_mark{};
    forced_marks_open = 0;
}

} // namespace dravok
