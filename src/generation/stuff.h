// Placement requests and stuff rows: carrying out one row (furniture, items, creatures, traps,
// splashes, how many and where) and the level record's own rows. Owner: the level generator;
// callers: level creation, portals and the content placement.
#pragma once

#include "records/layout_parts.h"

namespace dravok {

// out is the row with its results filled; its chance formula is left blank when the chance roll
// failed or no area could be found after relaxing, which tells callers to stop retrying.
void add_stuff(const tstuff& row, int area, int depth, tstuff& out);
// Places the level record's rows in order.
void add_level_stuff(int depth);
// Relaxes one demand of a row that found no area: no content, else no beings, else passable
// exits. False when nothing was left to relax.
bool relax_stuff_row(tstuff& row);

} // namespace dravok
