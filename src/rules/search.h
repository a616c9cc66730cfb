// Searching the surroundings for secret doors and traps, and avoiding traps underfoot.
// Called by resting, by entering a cell and by the AI.
#pragma once

namespace dravok {

void search_surroundings(int being);
// True when the being avoids the trap at (x, y).
bool avoid_trap_check(int being, int x, int y);

} // namespace dravok
