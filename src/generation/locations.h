// Placement locations: the area that fits a placement request and the free spot inside it.
// Owner: the level generator; callers: the stuff rows, portals, summoning and character
// creation (the player's start position).
#pragma once
#include "records/layout.h"

namespace dravok {

// Picks an area that fits the request and marks it; area 0 when none fits.
void find_location(const tstuff& request, int depth, tstuff& out);
// A free spot inside the request's area; (0, 0) when none was found.
void find_location_spot(const tstuff& request, int depth, tstuff& out);

} // namespace dravok
