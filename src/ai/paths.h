// Path finding and path following for creatures and for the player's autopilot travel.
// Called by the scheduler, the autopilot and the creature decisions.
#pragma once
#include "records/layout.h"

namespace dravok {

// The purpose of the player's autopilot travel.
constexpr int autopilot_purpose = 13;

// The path found by the last search, and the blank path copied over a path to end it.
extern tpath path_result;
extern const tpath empty_path;

// True when a path was found; it is left in path_result.
bool pathfind(int being, int target_x, int target_y, int depth, int flag, bool ignore_beings, int purpose);
// One step along the being's own path; false when it cannot step.
bool take_path_step(int being, int depth);
// The autopilot's path from the being to the cell; false when there is none.
bool autopilot_path(int being, int x, int y);

} // namespace dravok
