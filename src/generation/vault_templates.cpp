#include "generation/vault_templates.h"

#include <algorithm>
#include <array>
#include <utility>

#include "generation/areas.h"
#include "generation/doorways.h"
#include "generation/grids.h"
#include "generation/marks.h"
#include "generation/shapes.h"
#include "world/directions.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map_grid.h"
#include "world/tables.h"

namespace dravok {

bool template_in_group(int t, int category, int group) {
    if (t < 1 || t > vault_template_count()) return false;
    const tvault& v = vaults[t];
    if (group >= 1) return group <= 60 && v.group_flags[group - 1] != 0;
    if (category < 1 || category > 3) return false;
    bool included = false;
    for (int g = 1; g <= 60; ++g) {
        if (!v.group_flags[g - 1]) continue;
        if (dungeon.excluded_groups[category - 1][g - 1]) return false;
        if (dungeon.included_groups[category - 1][g - 1]) included = true;
    }
    return included;
}

void count_eligible_templates(int category, int group, int max_size, bool reset_tried, bool reset_counts) {
    const int n_templates = vault_template_count();
    for (int t = 1; t <= n_templates; ++t) {
        tvault& v = vaults[t];
        v.category_ordinals[0] = v.category_ordinals[1] = v.category_ordinals[2] = 0;
        if (reset_tried) v.tried = 0;
        if (reset_counts) v.count_attempt = 0;
    }
    dungeon.eligible_counts[0] = dungeon.eligible_counts[1] = dungeon.eligible_counts[2] = 0;
    for (int k = 1; k <= 3; ++k) {
        if (category != 0 && k != category) continue;
        int n = 0;
        for (int t = 1; t <= n_templates; ++t) {
            tvault& v = vaults[t];
            if (v.max_per_level != 0 && v.count_attempt >= v.max_per_level) continue;
            if (v.max_per_game != 0 && v.count_game >= v.max_per_game) continue;
            if (v.tried) continue;
            if (max_size != 0 && v.size > max_size) continue;
            if (template_in_group(t, k, group)) v.category_ordinals[k - 1] = static_cast<uint16_t>(++n);
        }
        dungeon.eligible_counts[k - 1] = static_cast<uint16_t>(n);
    }
}

int random_eligible_template(int category) {
    if (category < 1 || category > 3) return 0;
    const int r = random(dungeon.eligible_counts[category - 1]) + 1;
    for (int t = 1; t <= vault_template_count(); ++t)
        if (vaults[t].category_ordinals[category - 1] == r) return t;
    return 0;
}

namespace {

constexpr int group_ambush = 13, group_prison = 44, group_base_blocks = 60;
constexpr int category_special = 1, category_vault = 2;
constexpr int code_filler = 1, code_wall = 2, code_natural_floor = 3, code_floor = 4, code_floor_next = 5;
constexpr int mirror_below = 51;
// An exit this close to the map edge it faces is left as it is: no area can grow there.
constexpr int edge_margin = 4;

bool is_special_identifier(int t) {
    return vaults[t].identifier.view().substr(0, 3) == "sp_";
}

// A floor cell that some area owns.
bool area_floor(int x, int y) {
    return on_map(x, y, 0) && cell_at(x, y).area != 0 && is_floor(x, y, 0);
}

// A wall cell of an area with nothing standing on it.
bool bare_area_wall(int x, int y) {
    return on_map(x, y, 0) && cell_at(x, y).area != 0 && is_wall(x, y, 0) && cell_at(x, y).furniture == 0;
}

// The cell `along` steps in direction d and `across` steps toward d's second side.
struct offset_walk {
    int x, y, d;
    int cx(int along, int across) const {
        return x + dir_dx[d] * along + dir_dx[side_direction[d][1]] * across;
    }
    int cy(int along, int across) const {
        return y + dir_dy[d] * along + dir_dy[side_direction[d][1]] * across;
    }
};

// The block each layout code stands for, 0 for none: read from a table, since a template's
// 4096 cells made a switch per cell the costliest step of placing one.
std::array<int, 256> layout_blocks(int wall, int floor) {
    std::array<int, 256> blocks{};
    blocks[code_filler] = dungeon.filler_block;
    blocks[code_wall] = wall;
    blocks[code_natural_floor] = dungeon.natural_floor_block;
    blocks[code_floor] = floor;
    blocks[code_floor_next] = floor + 1;
    return blocks;
}

// The template's wall and floor: the level's own, or a pair of its list for the category.
void choose_blocks(int t, int category, int& wall, int& floor) {
    wall = level.generator.wall_block;
    floor = level.generator.floor_block;
    const tblock_pairs& list = category == category_special ? level.special_pairs : level.vault_pairs;
    const bool own =
        (category == category_special && list.count == 1) || vaults[t].group_flag(group_base_blocks);
    // An empty list has no pair to draw: the level's own blocks serve.
    if (own || list.count == 0) return;
    const int i = random(list.count) + 1;
    wall = list.first(i);
    floor = list.second(i);
}

// A template cell in map coordinates; (0, 0) when it falls off.
void template_to_map(int tx, int ty, int direction, bool mirror, const rotation_result& r, int& mx, int& my) {
    rotate_point(tx, ty, direction, mx, my, mirror);
    if (mx == 0 && my == 0) return;
    mx += r.dx;
    my += r.dy;
}

bool near_faced_edge(int x, int y, int d) {
    switch (d) {
    case 1:
        return y < edge_margin + 1;
    case 2:
        return x > map_size - edge_margin;
    case 3:
        return y > map_size - edge_margin;
    default:
        return x < edge_margin + 1;
    }
}

} // namespace

bool special_fits_a(int x, int y, int direction) {
    if (direction < 1 || direction > 4) return false;
    const offset_walk w{x, y, direction};
    if (!area_floor(w.cx(-1, 0), w.cy(-1, 0)) || !area_floor(w.cx(-2, 0), w.cy(-2, 0))) return false;
    for (const auto& [along, across] : {std::pair{0, 0}, {0, -1}, {0, 1}, {-1, -1}, {-1, 1}})
        if (!bare_area_wall(w.cx(along, across), w.cy(along, across))) return false;
    return true;
}

bool special_fits_b(int x, int y, int direction) {
    if (direction < 1 || direction > 4) return false;
    const offset_walk w{x, y, direction};
    for (int along = -1; along >= -2; --along)
        for (int across = -1; across <= 1; ++across)
            if (!area_floor(w.cx(along, across), w.cy(along, across))) return false;
    for (const auto& [along, across] : {std::pair{0, -2}, {0, -1}, {0, 0}, {0, 1}, {0, 2}, {-1, -2}, {-1, 2}})
        if (!bare_area_wall(w.cx(along, across), w.cy(along, across))) return false;
    return true;
}

bool create_special(int x, int y, int direction, int depth, int template_value, int kind) {
    depth = trace_enter(depth, trace_create_special);
    if (!on_map(x, y, depth)) return false;
    clear_shape_grid();
    dungeon.success = 0;
    if (dungeon.next_area > max_area_number || direction < 1 || direction > 4) return false;

    int t = 0, category = 0;
    if (template_value <= 9) {
        category = kind - 7;
        if (category < category_special || category > category_vault) return false;
        if (dungeon.eligible_counts[category - 1] == 0) return false;
        t = random_eligible_template(category);
    } else {
        t = template_value - 9;
        if (t >= 1 && t <= vault_template_count())
            category = is_special_identifier(t) ? category_special : category_vault;
    }
    if (t < 1 || t > vault_template_count()) return false;
    tvault& v = vaults[t];
    v.tried = 1;

    bool mirror = false;
    if (!level.hub) {
        const int roll = d100();
        mirror = roll < mirror_below;
    }
    int wall = 0, floor = 0;
    choose_blocks(t, category, wall, floor);

    const std::array<int, 256> blocks = layout_blocks(wall, floor);
    for (int tx = 1; tx <= vault_size; ++tx)
        for (int ty = 1; ty <= vault_size; ++ty) {
            const int block = blocks[v.code(tx, ty)];
            if (block != 0) shape_set(tx, ty, block);
        }
    rotation_result r;
    rotate_shape(x, y, v.entry_x, r, mirror, direction, v.entry_y);
    if (!r.ok || !shape_fits_map(1, 1, map_size, map_size, false)) return false;

    const int area = static_cast<int>(dungeon.next_area);
    const bool first = area == 1;
    // The first area is centred on the map: its mark is where the entry landed.
    if (first) template_to_map(v.entry_x, v.entry_y, direction, mirror, r, x, y);
    shape_bounds b;
    get_shape_bounds(b);
    place_area(1, 1, map_size, map_size, depth, v.impenetrable != 0, area, kind);

    for (const tvault_furniture& f : v.furniture) {
        if (f.x == 0) continue;
        int fx = 0, fy = 0;
        template_to_map(f.x, f.y, direction, mirror, r, fx, fy);
        if (on_map(fx, fy, 0)) add_furniture(fx, fy, f.furniture, depth);
    }

    int unfit = 0;
    for (const tvault_exit& e : v.exits) {
        if (e.x < 1 || e.x > vault_size || e.y < 1 || e.y > vault_size) continue;
        int px = 0, py = 0;
        template_to_map(e.x, e.y, direction, mirror, r, px, py);
        if (!on_map(px, py, 0)) continue;
        if (px == x && py == y && !first) continue;
        const int d = rotate_direction(direction, e.direction, mirror);
        add_mark(px, py, d, depth, e.forced_kind, kind);
        // Near the edge it faces an exit is no open end, but it counts as unfit only when it
        // passes neither test.
        const bool hallway = special_fits_b(px, py, d);
        const bool dead_end = !hallway && special_fits_a(px, py, d);
        if (!hallway && !dead_end) ++unfit;
        if (near_faced_edge(px, py, d)) continue;
        if (hallway) grid_at(exit_grid, px, py) = static_cast<uint8_t>(d);
        if (dead_end) grid_at(exit_grid, px, py) = static_cast<uint8_t>(d + 4);
    }

    add_to_areas(area, x, y, direction, b.x1, b.y1, b.x2, b.y2, kind, b.width * b.height, t);
    tarea& a = areas[area];
    a.generator_counter = unfit;
    // A template without a centre zone keeps the middle of its box as its centre.
    a.centre_x = b.x1 + b.width / 2;
    a.centre_y = b.y1 + b.height / 2;
    for (int z = 1; z <= vault_zone_count; ++z) {
        const tzone_rect& tz = v.zones[z - 1];
        if (tz.x == 0) continue;
        int zx = 0, zy = 0;
        template_to_map(tz.x, tz.y, direction, mirror, r, zx, zy);
        mark_rect zr;
        rotate_rect(zx, zy, direction, zr, mirror, tz.width, tz.height);
        tzone_rect& out = a.zone(z);
        out.x = static_cast<uint8_t>(std::clamp(zr.x1, 0, 255));
        out.y = static_cast<uint8_t>(std::clamp(zr.y1, 0, 255));
        out.width = static_cast<uint8_t>(zr.width);
        out.height = static_cast<uint8_t>(zr.length);
        mark_vault_zone_cells(area, z);
        if (z == 1 && on_map(zr.x1, zr.y1, 0)) {
            a.centre_x = zr.x1;
            a.centre_y = zr.y1;
        }
    }
    create_doorway(x, y, direction, depth, area, static_cast<int>(dungeon.origin_kind), kind);

    ++dungeon.next_area;
    ++dungeon.kind_created[kind - 1];
    ++v.count_attempt;
    ++v.count_game;
    for (int g = 1; g <= group_count; ++g)
        if (v.group_flag(g)) ++dungeon.group_counters[g - 1];
    if (v.group_flag(group_ambush)) dungeon.excluded_groups[category_special - 1][group_ambush - 1] = 1;
    if (v.group_flag(group_prison)) dungeon.excluded_groups[category_vault - 1][group_prison - 1] = 1;
    dungeon.success = 1;
    return true;
}

void forget_attempt_templates() {
    for (int t = 1; t <= vault_template_count(); ++t) {
        tvault& v = vaults[t];
        v.count_game =
            static_cast<uint16_t>(v.count_game >= v.count_attempt ? v.count_game - v.count_attempt : 0);
    }
}

} // namespace dravok
