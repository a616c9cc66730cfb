// The current level's cell grid and its side length, read through the queries of world/map.h.
#pragma once

#include "world/grid.h"

namespace dravok {

struct tcell;

extern int map_size;
extern tgrid<tcell> map_cells;

} // namespace dravok
