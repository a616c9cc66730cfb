// Stand-ins for the world services the level generator calls: the random generator and dice
// rolls, the error log, and the map-grid queries and writers. Each keeps the final signature
// and the specified behaviour of the service it stands for, so that the generator's results do
// not change when the real world units replace this one (then this unit is deleted).
// Owner: the level generator; callers: src/generation and its tests.
#pragma once
#include <cstdint>
#include <string>

#include "generation/standin_records.h"

namespace dravok {

// Random generator: one global seed, a draw in 0..n-1 per call.
extern uint32_t random_seed;
int32_t random(int32_t n);
int32_t d100();
double round_half_even(double v); // returns the rounded value
int32_t round_to_int(double v);

int32_t roll_dice(const tdice& d);
int32_t min_dice(const tdice& d, int being);
int32_t max_dice(const tdice& d, int being);

// Error log: a fatal entry sets the quit flag of state. The last message is kept for tests.
void error_log(int depth, const std::string& message, bool fatal);
extern std::string last_error_message;

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
