// Finishing the layout after the dig steps of one attempt: the order of the passes
// (`finalize_dungeon`), using up leftover and failed marks, smoothing natural areas, filling
// empty cells and checking doors; dead ends and open template ends have their own units.
// Owner: the level generator; callers: level creation and the dig loop.
#pragma once

#include "generation/marks.h"

namespace dravok {

void finalize_dungeon(int depth);
void mark_to_doorway(const tmark& mark, int depth);
void trim_areas(int depth);
void fix_naturals(int depth);

// The dressing of a finished level: its shops' containers opened, its areas dressed.
void open_shop_containers();
void dress_area(int area);

} // namespace dravok
