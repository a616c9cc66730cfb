// Placement locations: the area that fits a placement request, and the cell inside it by the
// request's pattern (random, centre, nest, wall, the shapes, the whole area), with the item,
// trap and container searches. Owner: the level generator; callers: portals, stuff rows,
// followers between levels and the rules that put beings somewhere (blink, teleport, summons).
#pragma once

#include "records/layout_parts.h"

namespace dravok {

// Request kinds (what a row places).
constexpr int request_furniture = 1, request_item = 2, request_random_item = 3, request_being = 4,
              request_random_being = 5, request_trap = 6, request_random_trap = 7, request_floor_symbol = 8,
              request_splash = 9;
// Area-choice modes.
constexpr int choose_random = 0, choose_first = 1, choose_last = 2, choose_largest = 3;
// Spot patterns; 6..23 are the shapes.
constexpr int pattern_full_area = 1, pattern_random = 2, pattern_center = 3, pattern_nest = 4,
              pattern_wall = 5, pattern_first_shape = 6, pattern_last_shape = 23;

// Sets out's area (0 when none fits) and marks it; out's x, y are cleared. out may be request.
void find_location(const tstuff& request, int depth, tstuff& out);
bool area_fits_request(const tstuff& request, int area);
// Sets out's x, y inside the request's area ((0, 0) when none is found). out may be request.
void find_location_spot(const tstuff& request, int depth, tstuff& out);
// The cell-level rules shared by the spot searches; strict while tries > limit.
bool spot_fits_request(const tstuff& request, int x, int y, int limit, int tries);
// Sets out's x, y to a closed or secret door of the request's area for a door trap.
void find_door_for_trap(const tstuff& request, int depth, tstuff& out);

} // namespace dravok
