#include "generation/finishing.h"

#include "generation/areas.h"
#include "generation/connections.h"
#include "generation/grids.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/globals.h"
#include "world/map.h"
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
            if (c.block < 41) {
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

// The dead-end, hallway, mark and natural-smoothing passes arrive with their own work; until
// then they build nothing, and a leftover mark is simply dropped.
bool create_terminating_area(int, int, int, int) {
    return false;
}
void terminate_deadends(int) {}
bool deadend_to_floor(int, int, int, int) {
    return false;
}
bool continue_corridor(int, int, int, int, bool) {
    return false;
}
void terminate_hallways(bool, int) {}
bool continue_hallway(int, int, int, int, bool) {
    return false;
}
bool continue_vault_deadend(int, int, int, int) {
    return false;
}
void mark_to_doorway(const tmark&, int) {}
void trim_areas(int) {}
void fix_naturals(int) {}

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
