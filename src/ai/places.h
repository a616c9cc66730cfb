// The level's map points as the autopilot remembers them, set automatically as the player's
// being goes. Called by the scheduler through the services.
#pragma once

namespace dravok {

// Stores the cell in the first free map point unless one already lies within 25 steps; true
// when it was stored (the caller counts that as a command that acted).
bool remember_place(int x, int y);

} // namespace dravok
