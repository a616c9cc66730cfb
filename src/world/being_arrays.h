// How the beings and every array sized with them grow and are cleared.
#pragma once

namespace dravok {

// The first length of the beings (entry 0 unused).
constexpr int initial_beings = 350;

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
