// Creature sight: the sight pass of a being over the radius-20 ray table (seen cells, noticed
// beings with the stealth contest in dim light, the counters of hostiles, friends and feared
// beings, first sights, teleporters, items and unexplained lights), the grids of hostile and
// feared footprints of the being that looked last, and the query `can_see`. Called at the start
// of every creature turn, on waking, by effects that move or create beings, and everywhere the
// rules ask whether one being sees another.
#pragma once
#include <cstdint>

#include "world/grid.h"

namespace dravok {

// Index of a hostile (feared) being covering each cell, as seen by the being that looked last.
extern tgrid<uint8_t> hostile_grid;
extern tgrid<uint8_t> feared_grid;
// Visit marks of one pass: 0 not visited, 1 transparent, 2 opaque.
extern tgrid<uint8_t> sight_scratch;

// The sight radius of creatures: the last radius of the ray table.
constexpr int sight_radius = 20;

void ai_line_of_sight(int being, int x, int y);
void ai_see(int being, int depth);
// ai_see for every valid being that is not on the player's side.
void initial_sight();
void clear_being_sight(int being);
// 0 for an invalid or sleeping viewer; else whether it saw `other` (a valid being) in its
// latest pass, or with other 0 the cell (x, y).
uint8_t can_see(int viewer, int other, int x, int y);
// Walls and sight-blocking furniture stop a ray.
bool is_opaque_cell(int x, int y);
// Walls among the eight neighbours (the stealth contest's cover).
int wall_neighbours(int x, int y);
bool ok_to_record_seen_light(int viewer, int owner, int step, int last_owner, int last_step);

// Writers of the per-being seen cells and of the two footprint grids. The grids are cleared
// only where they were written, so every writer goes through these.
void mark_seen_cell(int being, int x, int y);
void mark_sight_grid(tgrid<uint8_t>& grid, int x, int y, uint8_t value);

} // namespace dravok
