// Explore targets: the next place the autopilot's explore command walks to, chosen area by area
// in the level's walk order as the nearest reachable floor beside an unexplored cell, and the
// cells already used as targets, and the furniture worth a look for the target cursor. Called by
// the explore command and the target mode's keys.
#pragma once
#include <cstdint>

#include "records/layout_parts.h"
#include "world/grid.h"

namespace dravok {

// Cells already used as explore targets (1 = used).
extern tgrid<uint8_t> explore_taken;
// The path to the last chosen target.
extern tpath explore_path;

// The cell to walk to as x + 65536 y; 0 when nothing is left to explore.
uint32_t find_explore_target();
// An item-holding piece of furniture that the controlled being sees and that still holds
// something to loot (not a shop's, not an empty stand, not an open and empty container).
bool is_seen_unlooted_furniture(int x, int y);

} // namespace dravok
