// Placement locations: the area that fits a placement request, and the cell inside it by the
// request's pattern. Owner: the level generator; callers: portals, contents, followers, the rules.
#pragma once

#include "world/globals.h"

namespace dravok {

// Sets the request's area (0 when none fits) and marks it.
void find_location(tstuff& request, int depth);
// Sets the request's result cell inside its area ((0, 0) when none is found).
void find_location_spot(tstuff& request, int depth);

} // namespace dravok
