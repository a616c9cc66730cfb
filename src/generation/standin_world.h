// Stand-ins for the world globals and map-grid services the level generator calls, until the
// world units provide them: the map, areas, level and vault globals, the level-creation flag,
// and the map queries and writers. Each keeps the final signature and the specified behaviour
// of the service it stands for, so that the generator's results do not change when the real
// units replace this one (then this unit is deleted).
// Owner: the level generator; callers: src/generation and its tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "world/dice.h"
#include "world/error_log.h"
#include "world/layout.h"
#include "world/random.h"
#include "world/rounding.h"

namespace dravok {

// World globals.
extern tcell map_cells[max_map_size][max_map_size]; // [x - 1][y - 1]
extern int32_t map_size;
extern std::vector<tarea> areas;   // entry 0 unused
extern tlevel level;
extern std::vector<tlevel> levels; // entry 0 unused
extern std::vector<tvault> vaults; // entry 0 unused
extern uint32_t game_clock;
extern uint8_t impenetrable_walls[max_map_size][max_map_size];

// The run-state flag that is 1 exactly while a level is being created.
struct tstate_level {
    uint8_t level_creation = 0;
};
extern tstate_level state;

inline tcell& cell_at(int x, int y) { return map_cells[x - 1][y - 1]; }

// Map grid.
bool on_map(int x, int y, int depth);
bool is_wall(int x, int y, int depth);
bool is_floor(int x, int y, int depth);
bool is_impenetrable_wall(int x, int y, int depth);
int get_area(int x, int y, int depth);
int get_area_kind(int x, int y);
bool set_block(int x, int y, int block, int depth, bool make_impenetrable, int area, int shape_kind);
int get_furniture(int x, int y, int depth);
bool is_furniture(int x, int y, int furniture, int depth, int state);
bool is_door(int x, int y, int state, int depth);
void add_furniture(int x, int y, int furniture, int depth);
void remove_furniture(int x, int y, bool with_hidden_creature, int depth);
int is_doorway(int x, int y, bool no_door, int depth);
int is_secret_door(int x, int y, int depth);
int most_common_neighbour_floor(int x, int y);
void create_secret_door(int x, int y, const tdice& difficulty, int depth);
bool is_area_edge_point(int x, int y);
void get_area_edge_point(int area, const tarea& fallback, int& out_x, int& out_y);
bool reaches_area_straight(int x, int y, int area, int steps, int direction);
void mark_vault_zone_cells(int area, int zone);
bool grow_layer_step(int x1, int y1, int x2, int value, int neighbour_value, int y2);
void clear_beings();
void place_level_furniture();
void place_bones();
void place_level_item_splashes();
void open_shop_containers();
void dress_area(int area);
void level_up_recruitable_beings(int master_serial, int being, int depth);

// Circle outlines per radius 1..20 (dx, dy), as the ray endpoint table holds them.
struct radius_points {
    int count;
    int8_t dx[160];
    int8_t dy[160];
};
const radius_points& radius_table(int radius);

} // namespace dravok
