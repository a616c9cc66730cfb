// Beings coming to life and leaving: creation from a template with its rolls, adding to the
// level's being array, placing the footprint on the map grid, removal, the array's growth. The movement tests
// are in rules/move_checks.h. Called by level setup, spawning, summoning, cloning, character creation and
// every move.
#pragma once
#include <cstdint>

namespace dravok {

struct tbeing;

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

} // namespace dravok
