// Finishing the layout after the dig steps of one attempt: the passes that end dead ends,
// use up leftover marks, fill empty cells, check doors, connect areas and trim `areas`.
// Owner: the level generator; callers: level creation and the dig loop.
#pragma once

#include "generation/marks.h"

namespace dravok {

void finalize_dungeon(int depth);
void mark_to_doorway(const tmark& mark, int depth);

} // namespace dravok
