// The current level: its record, cells, areas, items and lasting effects.
#pragma once
#include <vector>

#include "world/grid.h"
#include "world/map_effect_cell.h"

namespace dravok {

struct tarea;
struct tcell;
struct teffect;
struct titem;
struct tlevel;

// The first lengths of the level's items and lasting effects (entry 0 unused).
constexpr int initial_level_items = 1000;
constexpr int initial_duration_effects = 100;

extern tlevel level;
extern int map_size;
extern tgrid<tcell> map_cells;
extern std::vector<tarea> areas;
extern std::vector<titem> level_items;
extern std::vector<teffect> duration_effects;
extern tgrid<tmap_effect_cell> map_effect_grid;

} // namespace dravok
