// Beings coming to life and leaving: creation from a template with its rolls, adding to the
// level's being array, placing the footprint on the map grid, removal, the array's growth,
// the spawning candidates, and the movement tests (can_move, can_move_to, the door abilities).
// Called by level setup, spawning, summoning, cloning, character creation and every move.
#pragma once
#include <cstdint>

#include "world/globals.h"

namespace dravok {

// Results of can_move.
enum move_state : int {
    move_free = 0,
    move_immobile = -1,
    move_no_motion = -2,
    move_overloaded = -3,
    move_held = -4,
};
// Results of can_move_to.
enum move_target : int {
    target_free = 1,
    target_door_to_open = 2,
    target_own_teleporter = 3,
    target_off_map = -1,
    target_no_floor = -2,
    target_occupied = -3,
    target_furniture = -4,
    target_closed_door = -5,
    target_harmful_effect = -6,
    target_known_trap = -7,
};

// Fills out from the template: blank on a bad index, serial -1 when a limit refuses it.
void create_being(int plan, int depth, tbeing& out);
// The variant 0..count-1 for a new being of the template, avoiding recently used ones.
int pick_being_image_variant(int plan);
// Adds the record (a blank record is created from the plan first) at (x, y); its index, or 0.
int add_being_to_level(int x, int y, const tbeing& record, int depth, int plan);
void remove_being(int being, int depth);
// Moves the footprint on the map grid; (0, 0) takes the being off the map.
void place_being(int being, int x, int y, int depth);
void grow_beings(int n);
void clear_beings();
void free_beings();
void setup_unique_names();

bool is_spawnable_plan(int group, int plan, int limit);
int number_spawnable_plans(int group, bool reset, int limit);
int pick_spawn_being_plan(int count);

int can_move(int being, int depth);
int can_move_to(int being, int x, int y, int depth, bool ignore_effects, bool ignore_beings);
bool can_open_closed_door(int being, int x, int y, int depth);
bool can_crush_closed_door(int being, int x, int y, int depth);
bool can_close_opened_door(int being, int x, int y, int depth);

} // namespace dravok
