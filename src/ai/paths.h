// Path finding for creatures and for the player's autopilot travel: the best-first search on
// the map grid (breadth-first for travel), the straight line to a seen target and the flood out
// of a harmful cloud. Called by the creature walks, the scheduler, the autopilot and the frame
// drawing of the autopilot mode.
#pragma once
#include "records/layout_parts.h"

namespace dravok {

// The path found by the last search, and the blank path copied over a path to end it.
extern tpath path_result;
extern const tpath empty_path;

// A search from the being's cell to (tx, ty); on success path_result holds the path.
bool pathfind(int being, int tx, int ty, bool ignore_harm, bool ignore_beings, int purpose);
// The straight line toward the target already stored in path_result.
bool line_pathfind(int being);
// The nearest cells out of a harmful cloud; one of the nearest at random.
bool pathfind_from_cloud(int being, bool ignore_beings);
// True when the being's own path does not serve a walk to (tx, ty) with this purpose.
bool path_still_valid(int being, int tx, int ty, int purpose);
// The steps of the search, valid while a search runs.
bool path_cell_passable(int being, int x, int y, int from_area);
bool path_target_reached(int being, int x, int y, int ty, int tx);
void expand_node(int being, int x, int y, int ty, int tx);
bool trace_back_path(int being, int x, int y);
// The autopilot's travel path from the being to the cell becomes the being's path; false when
// there is none.
bool autopilot_path(int being, int x, int y);

} // namespace dravok
