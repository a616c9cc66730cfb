// Searching the surroundings for secret doors, traps and hidden creatures, and avoiding traps
// underfoot.
// Called by resting, by entering a cell and by the AI.
#pragma once

namespace dravok {

void search_surroundings(int being);
// A found secret door becomes a door in the floor of its surroundings.
void reveal_secret_door(int x, int y, int depth);
// True when the being avoids the trap at (x, y).
bool avoid_trap_check(int being, int x, int y);

} // namespace dravok
