// The level's map points as the autopilot remembers them, and the autopilot's search state.
// Called by the scheduler (automatic map points) and the autopilot mode's keys.
#pragma once
#include <cstdint>

namespace dravok {

// Stores the cell in the first free map point unless one already lies within 25 steps.
void remember_place(int x, int y);
// Zeroes the autopilot counters and empties its visit grid before a new search.
void reset_autopilot_search();

} // namespace dravok
