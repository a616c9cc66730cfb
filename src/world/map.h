// The map grid of the current level: coordinate rules, the block and furniture queries and
// writers, doorways and the free-floor searches. Every subsystem reads and writes `map_cells`
// through these routines; generation, sight, rules and drawing all call them.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "records/layout_map.h"
#include "world/map_grid.h"

namespace dravok {

// Block kinds: 1..40 walls, 41..90 floors (0 none, read as a wall).
constexpr int first_floor_block = 41;
constexpr int last_block = 90;

enum block_base : int { base_none = 0, base_wall = 1, base_floor = 2 };

// Furniture kinds the rules name.
enum furniture_kind : int {
    fu_none = 0,
    fu_stairs_down = 1,
    fu_stairs_up = 2,
    fu_teleporter = 3,
    fu_light_torch = 4,
    fu_light_stand = 5,
    fu_light_brazier = 6,
    fu_light_campfire = 7,
    fu_door = 8,
    fu_door_lockable = 9,
    fu_door_cell = 10,
    fu_door_secret = 11,
    fu_chest = 12,
    fu_chest_shop = 13,
    fu_barrel = 14,
    fu_barrel_shop = 15,
    fu_crate = 16,
    fu_crate_shop = 17,
    fu_coffin = 18,
    fu_sarcophagus = 19,
    fu_armorstand = 20,
    fu_armorstand_shop = 21,
    fu_weaponrack = 22,
    fu_weaponrack_shop = 23,
    fu_bookcase = 24,
    fu_bookcase_shop = 25,
    fu_table = 26,
    fu_table_shop = 27,
    fu_altar = 28,
    fu_pedestal = 29,
    fu_cauldron = 30,
    fu_statue_gargoyle = 31,
    fu_statue_humanoid = 32,
    fu_statue_symbol = 33,
    fu_statue_other = 34,
    fu_statue_clonomancer = 35,
    fu_wall_disappearing = 36,
    fu_switch = 37,
    fu_table_broken = 38,
    fu_chair = 39,
    fu_chair_broken = 40,
    fu_throne = 41,
    fu_bed = 42,
    fu_bed_broken = 43,
    fu_pillar = 44,
    fu_pillar_broken = 45,
    fu_totem = 46,
    fu_rubble = 47,
    fu_stalagmite = 48,
    fu_painting = 49,
    fu_tapestry = 50,
    fu_forge = 51,
    fu_well = 52,
    fu_well_dry = 53,
    fu_basin = 54,
    fu_basin_dry = 55,
    fu_target_dummy = 56,
    fu_target = 57,
    fu_crystal_ball = 58,
    fu_tube = 59,
    fu_text = 60,
};

// Vault zones the rules name.
constexpr int vz_center = 1, vz_main = 2;
constexpr int vz_first_spot = 3, vz_last_spot = 22;
constexpr int vz_first_cell = 31, vz_last_cell = 38;
constexpr int vz_first_ambush = 43, vz_last_ambush = 46;

// The cell (x, y); the caller guarantees 1 <= x, y <= 128.
inline tcell& cell_at(int x, int y) {
    return map_cells(x, y);
}

// Walls that nothing may dig or pass (non-zero), [x - 1][y - 1] like the generator's grids.
extern uint8_t impenetrable_walls[max_map_size][max_map_size];
// The cells dug during a level's generation (every block written by set_block is recorded).
extern uint8_t dug_grid[max_map_size][max_map_size];

// Position tests.
// Writes the fatal off-map error of a position test made with a depth.
void report_off_map(int x, int y, int depth);
// Inline: the generator and the rules ask it millions of times a level.
inline bool on_map(int x, int y, int depth = 0) {
    if (x >= 1 && x <= map_size && y >= 1 && y <= map_size) return true;
    if (depth > 0) report_off_map(x, y, depth);
    return false;
}
bool is_inside_border(int x, int y);
// Inside the on-screen view rectangle of the settings, bounds included.
bool is_in_view(int x, int y);
// Where a point outside the view lies: 1 above .. 8 above left, clockwise; 0 inside.
int get_offscreen_direction(int x, int y);
bool on_explored_map(int x, int y, int depth = 0);
int get_area(int x, int y, int depth = 0);
int get_area_kind(int x, int y);

// Blocks.
bool set_block(int x, int y, int block, int depth, bool make_impenetrable, int area, int shape_kind);
// Records a floor cell as dug and frees it from the impenetrable walls; called for every block
// written by set_block. Its result is set_block's result.
bool mark_dug_cell(int x, int y);
// Cells that received their first area through set_block; the generator zeroes it per attempt.
extern uint32_t cells_given_area;
int get_block_base(int x, int y, int block, int depth = 0);
// The block and furniture tests are inline: the generator asks them millions of times a level.
// A call with a depth goes through the traced routine, which records itself and reports a cell
// off the map.
bool is_wall_traced(int x, int y, int depth);
inline bool is_wall(int x, int y, int depth = 0) {
    if (depth > 0) return is_wall_traced(x, y, depth);
    return on_map(x, y) && cell_at(x, y).block < first_floor_block;
}
bool is_floor_traced(int x, int y, int depth);
inline bool is_floor(int x, int y, int depth = 0) {
    if (depth > 0) return is_floor_traced(x, y, depth);
    return on_map(x, y) && cell_at(x, y).block >= first_floor_block;
}
bool is_free_wall(int x, int y, int depth = 0);
bool is_impenetrable_wall_traced(int x, int y, int depth);
inline bool is_impenetrable_wall(int x, int y, int depth = 0) {
    if (depth > 0) return is_impenetrable_wall_traced(x, y, depth);
    return on_map(x, y) && impenetrable_walls[x - 1][y - 1] != 0;
}
bool is_wall_front_shown(int x, int y);
int count_matching_neighbours(int x, int y, int count, const std::vector<int>& areas_filter,
                              const std::vector<int>& shape_kinds, int base);
int most_common_neighbour_floor(int x, int y);
// Puts a trap of the template on (x, y), set by the being (0 none).
void add_trap(int setter, int x, int y, int depth, int extra_value, int difficulty, int trap_plan);
// The block kind of the first orthogonal neighbour (N, E, S, W) that is floor of the cell's own
// area; 0 when none.
int get_area_floor_neighbour_kind(int x, int y);
// The n-th cell (n 0 counts as 1) of the area holding one of the furniture kinds (any furniture
// for an empty list), counted column by column, as x + 65536 y; 0 when there are fewer.
uint32_t find_nth_area_furniture(int area, int n, std::initializer_list<int> furniture);
uint32_t find_floor_neighbour_in_area(int x, int y, int area, int depth = 0);

// Furniture.
void add_furniture(int x, int y, int furniture, int depth = 0);
void remove_furniture(int x, int y, bool with_hidden_creature, int depth = 0);
// Codes 61 and up are no furniture.
inline int furniture_of(const tcell& c) {
    return c.furniture >= 61 ? 0 : c.furniture;
}
int get_furniture_traced(int x, int y, int depth);
inline int get_furniture(int x, int y, int depth = 0) {
    if (depth > 0) return get_furniture_traced(x, y, depth);
    return on_map(x, y) ? furniture_of(cell_at(x, y)) : 0;
}
bool is_furniture_traced(int x, int y, int furniture, int depth, int wanted_state);
inline bool is_furniture(int x, int y, int furniture, int depth = 0, int wanted_state = -1) {
    if (depth > 0) return is_furniture_traced(x, y, furniture, depth, wanted_state);
    if (get_furniture(x, y) != furniture) return false;
    return wanted_state == -1 || wanted_state == cell_at(x, y).furniture_state;
}
bool is_door_traced(int x, int y, int wanted_state, int depth);
inline bool is_door(int x, int y, int wanted_state = -1, int depth = 0) {
    if (depth > 0) return is_door_traced(x, y, wanted_state, depth);
    const int f = get_furniture(x, y);
    if (f < fu_door || f > fu_door_cell) return false;
    return wanted_state == -1 || wanted_state == cell_at(x, y).furniture_state;
}
bool is_light(int x, int y, int wanted_state = -1, int depth = 0);
int is_furniture_container(int x, int y, int depth = 0);
bool is_closed_container_traced(int x, int y, int depth);
inline bool is_closed_container(int x, int y, int depth = 0) {
    if (depth > 0) return is_closed_container_traced(x, y, depth);
    const int f = get_furniture(x, y);
    return f >= fu_chest && f <= fu_sarcophagus && cell_at(x, y).furniture_state == 0;
}
bool is_shop_furniture(int furniture);
// Furniture states: a stand (armor stand to cauldron) holding nothing, a container opened and
// emptied.
constexpr int stand_empty = 0, container_open_and_empty = 1;
// Item-holding furniture that may still hold something: neither an empty stand nor a container
// opened and emptied.
bool may_hold_unlooted_items(int x, int y);
// An explored cell with furniture the autopilot may travel to (not a cell or secret door, not a
// shop's).
bool is_autopilot_furniture_target(int x, int y);
void update_furniture_state(int x, int y, int depth = 0);
bool blocks_sight_furniture(int x, int y);
// Secret doors, disappearing walls and shut doors stop sight. Read straight from the cell: the
// sight and light passes ask it of every cell they cross. Codes 61 and up, not furniture, match
// none of these.
inline bool furniture_blocks_sight(const tcell& c) {
    const int f = c.furniture;
    if (f == fu_door_secret || f == fu_wall_disappearing) return true;
    return (f == fu_door || f == fu_door_lockable) && c.furniture_state == 0;
}
// Walls and sight-blocking furniture stop a ray.
inline bool cell_blocks_sight(const tcell& c) {
    return c.block < first_floor_block || furniture_blocks_sight(c);
}
bool blocks_effect_at(int x, int y);
void get_furniture_kind_name(int x, int y, std::string& out);
int count_furniture_neighbours(int x, int y);
bool is_free_of_furniture_around(int x, int y, int furniture);
int is_doorway(int x, int y, bool no_door, int depth = 0);
int is_near_doorway(int x, int y, bool no_door, int depth = 0);
int is_secret_door(int x, int y, int depth = 0);
void place_level_furniture();
// Every on-map cell of the area's zone rectangle gets the zone number.
void mark_vault_zone_cells(int area, int zone);

// Free floor.
bool is_free_floor(int x, int y, int width, int depth, int being_plan, int mode, int height);
bool is_free_zone_floor(int x, int y, int width, int zone, int area, int height);
void find_free_floor_for_being(int x, int y, int width, int& out_x, int& out_y, int depth, int height);

// Beings and positions.
bool is_on_xy(int being, int at_x, int at_y, int x, int y, int depth = 0);
bool is_near(int being, int other, int x, int y, int depth = 0);

} // namespace dravok
