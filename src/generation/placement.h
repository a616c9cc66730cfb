// Placement locations: the area that fits a placement request and the spot inside it that fits
// the request's pattern. Called by the level contents, the transfers and the rules that put
// beings somewhere (blink, teleport, challengers).
#pragma once
#include "records/layout.h"

namespace dravok {

// Sets the request's result area (0 when none fits); x and y are cleared.
void find_location(const tstuff& request, int depth, tstuff& out);
// Sets the request's result x, y inside its area (0, 0 when nothing fits).
void find_location_spot(const tstuff& request, int depth, tstuff& out);

} // namespace dravok
