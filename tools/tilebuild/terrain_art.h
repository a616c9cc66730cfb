// Procedural terrain for the tile set: wall tops and wall fronts of block kinds 1..40
// (stone, cut blocks, mossy stone, sewer brick, wood, cave rock) and floors 41..90 (earth,
// flagstones, plates, planks); an even floor kind is the lighter shade of the odd one before.
#pragma once
#include "raster.h"

namespace dravok::tilebuild {

timage wall_art(int kind, bool front);
timage floor_art(int kind);

} // namespace dravok::tilebuild
