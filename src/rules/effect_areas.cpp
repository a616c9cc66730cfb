// Effect areas. Lines come from trace_line (start excluded); every list keeps at most 29 cells
// and ends with (0, 0) so that the 30-slot list always holds its end mark.
#include "rules/effect_areas.h"
#include "records/layout_being.h"
#include "rules/move_checks.h"

#include <algorithm>

#include "rules/being_creation.h"
#include "rules/effect_tables.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/map.h"
#include "world/services.h"

namespace dravok {

uint32_t effect_first_being = 0;
int32_t effect_hit_count = 0;
int32_t effect_friendly_hit_count = 0;
uint8_t effect_target_invalid = 0;

namespace {

constexpr int evil_talent_range = 6;
constexpr int hostile_emotion = -20;

// The cell list under construction: count starts at 1 and stops rising at 30, so a long line
// overwrites the last slot, which the end mark then takes.
struct cell_writer {
    teffect& effect;
    int count = 1;
    void add(int x, int y) {
        effect.cell(count) = {uint8_t(x), uint8_t(y)};
        if (count < effect_cell_count) ++count;
    }
    void end() { effect.cell(count) = {0, 0}; }
    void clear() {
        count = 1;
        effect.cell(1) = {0, 0};
    }
};

bool blocks_line(int x, int y) {
    return is_wall(x, y) || blocks_effect_at(x, y);
}

int opposite_direction(int dir) {
    return dir <= 4 ? dir + 4 : dir - 4;
}

bool is_hostile_to(int user, int b) {
    if (services.get_emotion(b, user, true) <= hostile_emotion) return true;
    return has_type_flag(beings[b], tf_player) && services.get_emotion(user, b, true) <= hostile_emotion;
}

bool in_prison_cell(const tbeing& b) {
    if (!on_map(b.x, b.y)) return false;
    const int zone = cell_at(b.x, b.y).vault_zone;
    return zone >= vz_first_cell && zone <= vz_last_cell;
}

// The cells by shape; false when the aim turned out invalid.
bool list_cells(int user, int fx, int fy, int tx, int ty, cell_writer& cells) {
    teffect& e = cells.effect;
    const tbeing& u = beings[user];
    switch (e.shape) {
    case sh_self:
    case sh_single:
    case sh_spot:
        cells.add(tx, ty);
        return true;
    case sh_bolt:
    case sh_ray:
    case sh_wall: {
        int sx = fx, sy = fy;
        if (u.width > 1 || u.height > 1) {
            const int dir = get_direction(u.x, u.y, tx, ty);
            if (dir >= 1 && dir <= 8) {
                const int cx = u.x + direction_steps[dir].dx * (u.width - 1);
                const int cy = u.y + direction_steps[dir].dy * (u.height - 1);
                if (on_map(cx, cy) && cx >= u.x && cx < u.x + u.width && cy >= u.y && cy < u.y + u.height) {
                    sx = cx;
                    sy = cy;
                }
            }
        }
        trace_line(sx, sy, tx, ty);
        const int n = std::min<int>(line_length, e.range);
        for (int i = 1; i <= n; ++i) {
            const auto [x, y] = line_points[i];
            if (!on_map(x, y) || blocks_line(x, y)) {
                cells.clear();
                return false;
            }
            cells.add(x, y);
        }
        return true;
    }
    case sh_free: {
        trace_line(fx, fy, tx, ty);
        const int n = std::min<int>(line_length, e.range);
        if (n < e.min_range || n < 1) return false;
        for (int i = 1; i < n; ++i) {
            const auto [x, y] = line_points[i];
            if (!on_map(x, y) || can_move_to(user, x, y, 0, true, false) != 1) {
                cells.clear();
                return false;
            }
            cells.add(x, y);
        }
        cells.add(line_points[n].x, line_points[n].y);
        return true;
    }
    case sh_opposite_free: {
        const int dir = get_direction(fx, fy, tx, ty);
        if (dir < 1 || dir > 8) return false;
        const tstep back = direction_steps[opposite_direction(dir)];
        const int bx = fx + back.dx, by = fy + back.dy;
        if (!on_map(bx, by) || can_move_to(user, bx, by, 0, true, false) != 1) return false;
        cells.add(tx, ty);
        return true;
    }
    case sh_ball:
    case sh_cloud: {
        trace_line(fx, fy, tx, ty);
        for (int i = 1; i <= line_length; ++i) {
            if (!on_map(line_points[i].x, line_points[i].y) ||
                blocks_line(line_points[i].x, line_points[i].y))
                return false;
        }
        cells.add(tx, ty);
        for (int dir = 1; dir <= 8; ++dir) {
            const int x = tx + direction_steps[dir].dx, y = ty + direction_steps[dir].dy;
            // Off the map counts as no cell at all, not as open floor.
            if (on_map(x, y) && !is_wall(x, y)) cells.add(x, y);
        }
        return true;
    }
    case sh_seen_hostiles: {
        int listed = 0;
        for (int b = 1; b < int(beings.size()); ++b) {
            if (b == user || !services.can_see(user, b, 0, 0) || !is_being_ok(b)) continue;
            if (get_being_distance(user, b) > e.range || !is_hostile_to(user, b)) continue;
            if (in_prison_cell(beings[b]) && beings[b].friendly != 0) continue;
            cells.add(beings[b].x, beings[b].y);
            ++listed;
            if (e.size > 0 && listed >= e.size) break;
        }
        return true;
    }
    default: // special, cone, chain: they act through their handlers, not through cells
        return true;
    }
}

void count_beings(int user, const teffect& e) {
    clear_being_turn_marks();
    for (int i = 1; i <= effect_cell_count; ++i) {
        const tcell_xy c = e.cell(i);
        if (c.x == 0 || c.y == 0) break;
        if (!on_map(c.x, c.y)) continue;
        const int b = cell_at(c.x, c.y).being;
        if (b < 1 || b >= int(beings.size()) || beings[b].turn_mark != 0) continue;
        if (effect_first_being == 0) effect_first_being = uint32_t(b);
        ++effect_hit_count;
        beings[b].turn_mark = 1;
        if (services.is_friendly(user, b, 0, true) && services.can_see(user, b, 0, 0) &&
            !has_type_flag(beings[b], tf_passive))
            ++effect_friendly_hit_count;
    }
}

} // namespace

teffect calculate_effect_coordinates(int user, int from_x, int from_y, int to_x, int to_y,
                                     const teffect& effect, int depth) {
    depth = trace_enter(depth, trace_calculate_effect_coordinates);
    teffect e = effect;
    e.cell(1) = {0, 0};
    effect_first_being = 0;
    effect_hit_count = 0;
    effect_friendly_hit_count = 0;
    effect_target_invalid = 0;
    if (!is_being_ok(user, depth)) return e;
    if (e.range == 0) e.range = uint16_t(roll_dice_for_being(e.range_dice, user));
    // An aim off the map cannot be drawn or reached; it is refused quietly like an empty shape.
    if (!on_map(to_x, to_y) || e.shape == sh_none) return e;
    if (from_x == 0 && from_y == 0) {
        from_x = beings[user].x;
        from_y = beings[user].y;
    }
    const tbeing& u = beings[user];
    if (has_type_flag(u, tf_evil) && !has_type_flag(u, tf_player_and_companions) && e.source == es_talent &&
        e.range > evil_talent_range)
        e.range = evil_talent_range;

    const int d = get_distance(from_x, from_y, to_x, to_y);
    if (e.shape != sh_seen_hostiles && (d < e.min_range || d > e.range || d > 255)) {
        effect_target_invalid = 1;
        return e;
    }
    const bool needs_sight = e.shape != sh_seen_hostiles && e.source != es_natural_attack &&
                             e.source != es_trap && e.source != es_item_hit;
    if (needs_sight && (!services.can_see(user, 0, to_x, to_y) || is_wall(to_x, to_y) || d > e.range)) {
        effect_target_invalid = 1;
        return e;
    }
    if (e.shape == sh_spot && e.source == es_item_activate && e.kind == ek_set_trap &&
        get_furniture(to_x, to_y) != fu_none && !is_door(to_x, to_y)) {
        effect_target_invalid = 1;
        return e;
    }

    cell_writer cells{e};
    const bool ok = list_cells(user, from_x, from_y, to_x, to_y, cells);
    cells.end();
    if (!ok) {
        effect_target_invalid = 1;
        return e;
    }
    count_beings(user, e);
    if (shape_is(target_being_shapes, e.shape) && effect_first_being == 0) effect_target_invalid = 1;
    if (e.shape == sh_bolt && effect_hit_count > 1) effect_target_invalid = 1;
    return e;
}

void calculate_effect_coordinates(int being, int x, int y, teffect& effect) {
    effect = calculate_effect_coordinates(being, 0, 0, x, y, effect, 0);
}

bool is_cell_in_effect_range(int being, int x, int y, const teffect& effect) {
    if (!is_being_ok(being)) return false;
    const int d = get_distance(beings[being].x, beings[being].y, x, y);
    return d <= 255 && d >= effect.min_range && d <= effect.range;
}

} // namespace dravok
