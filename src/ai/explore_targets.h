// Explore targets: the next place the autopilot's explore command walks to, chosen area by area
// in the level's walk order as the nearest reachable floor beside an unexplored cell, and the
// cells already used as targets. Called by the explore command.
#pragma once
#include <cstdint>

#include "world/globals.h"

namespace dravok {

// Cells already used as explore targets (1 = used).
extern tgrid<uint8_t> explore_taken;
// The path to the last chosen target.
extern tpath explore_path;

// The cell to walk to as x + 65536 y; 0 when nothing is left to explore.
uint32_t find_explore_target();

} // namespace dravok
