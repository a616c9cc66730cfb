#include "generation/finishing.h"

#include "generation/areas.h"
#include "generation/connections.h"
#include "generation/dead_ends.h"
#include "generation/doorways.h"
#include "generation/free_run.h"
#include "generation/grids.h"
#include "generation/hallways.h"
#include "generation/vault_templates.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/map_grid.h"
#include "world/random.h"

namespace dravok {

namespace {

// Step 3 of the frame: empty cells become filler, walls standing in open floor become floor,
// doors with fewer than two walls beside them lose their furniture, other doors are checked.
void fill_and_check_cells(int depth) {
    depth = trace_enter(depth, trace_fill_and_check_cells);
    const int n = map_size;
    for (int x = 1; x <= n; ++x)
        for (int y = 1; y <= n; ++y) {
            tcell& c = cell_at(x, y);
            if (c.block == 0) {
                c.block = dungeon.filler_block;
                continue;
            }
            if (c.block < first_floor_block) {
                bool open = true;
                for (int d = 1; d <= 4 && open; ++d) {
                    const int nx = x + dir_dx[d], ny = y + dir_dy[d];
                    open = is_floor(nx, ny, 0) && get_furniture(nx, ny, 0) == 0;
                }
                if (open) {
                    const int floor = most_common_neighbour_floor(x, y);
                    if (floor != 0) c.block = static_cast<uint8_t>(floor);
                }
            }
            const int furniture = get_furniture(x, y, 0);
            if (furniture >= 8 && furniture <= 11) {
                int walls = 0;
                for (int d = 1; d <= 4; ++d)
                    walls += is_wall(x + dir_dx[d], y + dir_dy[d], 0);
                if (walls < 2)
                    remove_furniture(x, y, false, depth);
                else
                    fix_door(x, y);
            }
        }
}

} // namespace

void finalize_dungeon(int depth) {
    depth = trace_enter(depth, trace_finalize_dungeon);
    if (dungeon.corridor_style == 1) terminate_deadends(depth);
    calculate_area_exits();
    terminate_hallways(false, depth);
    fix_naturals(depth);
    trim_areas(depth);
    calculate_area_exits();
    terminate_hallways(true, depth);
    fill_and_check_cells(depth);
    calculate_area_exits();
    connect_areas_with_corridors(depth);
    for (int i = 0; i < 2; ++i) {
        calculate_area_exits();
        doors_to_secret_doors(depth);
    }
    calculate_area_exits();
    secret_doors_to_orphan_corridors(depth);
    calculate_area_exits();
    connect_areas(depth);
    calculate_area_exits();
    update_area_door_states();
    connect_areas_through_walls(depth);
    calculate_area_exits();
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y)
            if (is_furniture(x, y, 8, 0, 0) && d100() <= dungeon.open_door_chance)
                cell_at(x, y).furniture_state = 1;
    clear_grid(corridor_end_grid);
    areas.resize(dungeon.next_area >= 1 ? dungeon.next_area : 1);
}

namespace {

constexpr int room_vault_chance = 10, other_vault_chance = 31;
constexpr int dead_end_vault_tries = 10;
constexpr int dead_end_category = 3;
constexpr int side_walk = 7;
// A free run this long makes a terminating area more likely behind a template's mark.
constexpr int long_run = 15, middle_run = 8;
constexpr int open_neighbours_for_floor = 7;

bool holds_door_or_secret(int x, int y) {
    const int f = get_furniture(x, y, 0);
    return f == fu_door || f == fu_door_secret;
}

bool is_natural_kind(int kind) {
    return kind == area_tunnel || kind == area_cave;
}

bool is_natural_floor(int x, int y) {
    return is_floor(x, y, 0) && is_natural_kind(cell_at(x, y).shape);
}

bool is_template_origin(int kind) {
    return kind == area_special || kind == area_vault;
}

// A dead-end vault tried at a failed mark; true when one was built.
bool try_dead_end_vault(const tmark& m, int room_edge, int depth) {
    count_eligible_templates(dead_end_category, 0, room_edge, true, false);
    for (int i = 0; i < dead_end_vault_tries && dungeon.eligible_counts[dead_end_category - 1] != 0; ++i) {
        const int t = random_eligible_template(dead_end_category);
        if (t == 0) break;
        if (create_special(m.x, m.y, m.direction, depth, t, area_vault)) return true;
        count_eligible_templates(dead_end_category, 0, room_edge, false, false);
    }
    return false;
}

void use_failed_mark(const tmark& m, int depth) {
    const int e = distance_to_edge(m.x, m.y, m.direction);
    const int bx = m.x - dir_dx[m.direction], by = m.y - dir_dy[m.direction];
    const int behind = on_map(bx, by, 0) ? cell_at(bx, by).area : 0;
    const int origin = m.origin_kind;
    // The builders read the origin of the area they grow from off the generator record.
    dungeon.origin_kind = static_cast<uint32_t>(origin);
    dungeon.parent_area = grid_at(mark_area_grid, m.x, m.y);
    const bool exit_end = grid_at(exit_grid, m.x, m.y) != 0;
    bool built = false;
    if (!exit_end) {
        bool vault = false;
        if (origin == area_polygon || is_natural_kind(origin) || is_template_origin(origin))
            vault = d100() < other_vault_chance;
        else if (origin == area_room)
            vault = d100() <= room_vault_chance;
        if (vault) built = try_dead_end_vault(m, e, depth);
    }
    if (!built && is_natural_kind(origin)) built = create_terminating_area(m.x, m.y, m.direction, depth);
    if (!built && is_template_origin(origin)) {
        const int run = get_free_run(m.x, m.y, m.direction);
        int chance = (is_area_ok(behind) ? areas[behind].generator_counter * 2 : 0) + 30;
        if (run >= long_run)
            chance += run * 3;
        else if (run >= middle_run)
            chance += run * 2;
        if (exit_end || d100() <= chance) {
            built = create_terminating_area(m.x, m.y, m.direction, depth);
            if (built && grid_at(exit_grid, m.x, m.y) == 0 && is_area_ok(behind) &&
                areas[behind].generator_counter > 0)
                --areas[behind].generator_counter;
        }
    }
    if (!built && dungeon.corridor_style == 1 && d100() <= dungeon.doorway_chance) mark_to_doorway(m, depth);
}

} // namespace

void mark_to_doorway(const tmark& m, int depth) {
    if (dungeon.corridor_style != 1) return;
    const int d = m.direction;
    if (d < 1 || d > 4 || !on_map(m.x, m.y, 0)) return;
    if (!is_wall(m.x, m.y, 0) || holds_door_or_secret(m.x, m.y) || is_impenetrable_wall(m.x, m.y, 0)) return;
    if (m.origin_kind == area_corridor && grid_at(corridor_end_grid, m.x, m.y) != 0) {
        if (!continue_corridor(m.x, m.y, d, depth, false)) deadend_to_floor(m.x, m.y, d, depth);
        return;
    }
    const int ax = m.x + dir_dx[d], ay = m.y + dir_dy[d];
    if (!on_map(ax, ay, 0) || !is_floor(ax, ay, 0) || holds_door_or_secret(ax, ay)) return;
    const int target = cell_at(ax, ay).area, target_kind = cell_at(ax, ay).shape;
    if (m.origin_kind == area_corridor && target_kind == area_corridor) return;
    for (int s : side_direction[d])
        for (int j = 1; j <= side_walk; ++j) {
            const int wx = m.x + j * dir_dx[s], wy = m.y + j * dir_dy[s];
            if (!on_map(wx, wy, 0)) break;
            const int wa = cell_at(wx, wy).area;
            if (wa != m.origin_area && wa != target) continue;
            const int bx = wx - dir_dx[d], by = wy - dir_dy[d], fx = wx + dir_dx[d], fy = wy + dir_dy[d];
            if (!is_floor(bx, by, 0) || cell_at(bx, by).area != m.origin_area) break;
            if (!is_floor(fx, fy, 0) || cell_at(fx, fy).area != target) break;
            // An opening is already this near.
            if (is_floor(wx, wy, 0) || get_furniture(wx, wy, 0) == fu_door_secret) return;
        }
    // The doorway stays with the wall's area; its kind is that area's (the origin's, unless
    // a later area took the wall over).
    const int own = cell_at(m.x, m.y).area;
    const int kind_of = is_area_ok(own) ? own : m.origin_area;
    const int kind = is_area_ok(kind_of) ? areas[kind_of].kind : 0;
    create_doorway(m.x, m.y, d, depth, own, target_kind, kind);
}

void trim_areas(int depth) {
    tmark m;
    while (!open_marks.empty()) {
        get_mark(0, m);
        add_failed_mark(m, depth);
    }
    while (!failed_marks.empty()) {
        get_failed_mark(0, m);
        if (on_map(m.x, m.y, 0)) use_failed_mark(m, depth);
    }
    while (!open_marks.empty()) {
        get_mark(0, m);
        if (on_map(m.x, m.y, 0) && dungeon.corridor_style == 1 && d100() <= dungeon.doorway_chance)
            mark_to_doorway(m, depth);
    }
}

void fix_naturals(int depth) {
    const int n = map_size;
    auto natural_wall = [n](int x, int y) {
        return x >= 2 && y >= 2 && x <= n - 1 && y <= n - 1 && is_wall(x, y, 0) &&
               is_natural_kind(cell_at(x, y).shape);
    };
    auto joins_two = [](int ax, int ay, int bx, int by) {
        return is_natural_floor(ax, ay) && is_natural_floor(bx, by) &&
               cell_at(ax, ay).area != cell_at(bx, by).area;
    };
    auto to_floor = [depth](int x, int y) {
        const tcell& c = cell_at(x, y);
        set_block(x, y, dungeon.natural_floor_block, depth, false, c.area, c.shape);
    };
    for (int x = 2; x <= n - 1; ++x)
        for (int y = 2; y <= n - 1; ++y)
            if (natural_wall(x, y) && (joins_two(x, y - 1, x, y + 1) || joins_two(x + 1, y, x - 1, y)))
                to_floor(x, y);
    // Natural floor of the wall's own area among its eight neighbours.
    auto own_floor_around = [](int x, int y) {
        const int area = cell_at(x, y).area;
        int count = 0;
        for (int d = 1; d <= 8; ++d) {
            const int nx = x + compass_dx[d], ny = y + compass_dy[d];
            count += is_natural_floor(nx, ny) && cell_at(nx, ny).area == area;
        }
        return count;
    };
    for (int x = 2; x <= n - 1; ++x)
        for (int y = 2; y <= n - 1; ++y)
            if (natural_wall(x, y) && own_floor_around(x, y) >= open_neighbours_for_floor) to_floor(x, y);
    for (int a = 1; a <= area_high_index(); ++a) {
        if (!is_natural_kind(areas[a].kind)) continue;
        if (d100() > dungeon.natural_refloor_chance) continue;
        const int cx = areas[a].centre_x, cy = areas[a].centre_y;
        if (on_map(cx, cy, 0) && cell_at(cx, cy).block == dungeon.natural_floor_block)
            refloor_connected_cells(cx, cy, dungeon.natural_floor2_block);
    }
}

void open_shop_containers() {
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y)
            if (is_closed_container(x, y, 0) && is_shop_furniture(get_furniture(x, y, 0))) {
                cell_at(x, y).furniture_state = 1;
                update_furniture_state(x, y, 0);
            }
}

namespace {

constexpr int smallest_dressed_area = 36;

// The chance that a room of e exit cells is dressed.
int dressing_chance(int kind, int e) {
    if (e == 1) return 85;
    if (e == 2) return 75;
    if (e == 3 || e == 4) return kind == area_circular || kind == area_ellipse ? 50 : 30;
    if (e >= 5) return 25 - e;
    return 0;
}

} // namespace

void dress_area(int area) {
    if (!is_area_ok(area)) return;
    const tarea& a = areas[area];
    if (a.kind == area_corridor || a.kind >= area_tunnel) return;
    if (a.touching > 0 || a.cells < smallest_dressed_area) return;
    const int roll = d100();
    if (roll > dressing_chance(a.kind, a.exit_cells)) return;
    const int n = level.dressing_pairs.count;
    if (n == 0) return;
    const int i = random(n) + 1;
    const int wall = level.dressing_pairs.first(i), floor = level.dressing_pairs.pairs[i - 1].y;
    for (int x = a.x1; x <= a.x2; ++x)
        for (int y = a.y1; y <= a.y2; ++y) {
            if (!on_map(x, y)) continue;
            const tcell& c = cell_at(x, y);
            if (is_impenetrable_wall(x, y, 0) || c.secret_door != 0) return;
            if (c.area != 0 && is_area_ok(c.area) && areas[c.area].exit_cells == 0) return;
        }
    for (int x = a.x1; x <= a.x2; ++x)
        for (int y = a.y1; y <= a.y2; ++y) {
            if (!on_map(x, y)) continue;
            tcell& c = cell_at(x, y);
            if (c.area != area) continue;
            if (c.block >= first_floor_block)
                c.block = static_cast<uint8_t>(floor + (c.block % 2 == 0 ? 1 : 0));
            else if (c.block != 0)
                c.block = static_cast<uint8_t>(wall);
        }
}

} // namespace dravok
