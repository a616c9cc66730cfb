// The current level's lasting effects (entry 0 unused) and the grid of where each one lies.
#pragma once
#include <vector>

#include "world/grid.h"
#include "world/map_effect_cell.h"

namespace dravok {

struct teffect;

// The first length of the lasting effects.
constexpr int initial_duration_effects = 100;

extern std::vector<teffect> duration_effects;
extern tgrid<tmap_effect_cell> map_effect_grid;

} // namespace dravok
