// The current level's beings and what belongs to each, with their growth and clearing.
#pragma once
#include <cstdint>
#include <vector>

#include "world/grid.h"

namespace dravok {

struct tbeing;
struct titem;

// The first length of the beings (entry 0 unused) and the item list of a new being.
constexpr int initial_beings = 350;
constexpr int being_item_list_length = 50;

using tseen_cells = tgrid<uint8_t>;

// The current level's beings and what belongs to each: its items, what it sees and when it
// first saw each other being, and the cells it has seen. All indexed by being, from 1.
extern std::vector<tbeing> beings;
extern std::vector<std::vector<titem>> being_items;
extern std::vector<std::vector<uint8_t>> sight_matrix;
extern std::vector<std::vector<uint32_t>> first_seen_matrix;
extern std::vector<tseen_cells> seen_cells;
extern int player;           // the being the player commands (0 none)
extern int player_character; // the player's own character

// Grows the beings and every array sized with them by n blank entries, each new being with
// an empty item list, and the sight matrices to the new square size.
void grow_being_arrays(int n);
// Blanks every being, every item of every being's list, both matrices and every seen grid.
// Only the slots written since the last clear can differ from blank, so only they are
// touched: a level uses a few dozen of the hundreds of slots.
void clear_being_arrays();
// Records that a being slot was filled (adding a being, reading a level file); the slot's item
// list gets its first 50 blank items.
void note_being_slot_used(int being);

// The beings at their first size (once, after the database is loaded).
void allocate_being_arrays();
// Empties the beings and every array sized with them (program end).
void free_being_arrays();

} // namespace dravok
