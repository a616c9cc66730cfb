// Worlds for the light, sight and decision tests: the ray tables, a creature template that
// hates the player and likes its own kind, creatures made from it, and a 128 x 128 dungeon of
// rooms and corridors with torches and campfires, built from a seed on top of the headless turn
// driver. A hash of the world's state compares two runs.
#pragma once
#include <cstdint>

namespace dravok::testing {

class turn_driver;

// Builds the ray tables once.
void prepare_sight_tables();
// Clears the light map, the static light list and the commanded being, which outlive the
// driver's level.
void tidy_after_level();
// Template 1: "be_goblin", hates the player (-50), likes its own template (+20), owns chests.
constexpr int goblin_plan = 1;
void make_goblin_plan();
// A creature of the goblin template at (x, y), awake, due at the given time.
int add_goblin(turn_driver& d, int x, int y, uint32_t next_action_time);
// Rooms, corridors and lights over the driver's 128 x 128 level; returns the number of rooms.
int carve_dungeon(uint32_t seed);
// A free floor cell picked with the game's random generator.
void random_free_floor(int& x, int& y);
// Positions, plans, counters, times and the light map of every being and cell, folded.
uint64_t world_hash();

} // namespace dravok::testing
