// The colours a block kind or a piece of furniture shows in a picture of the whole map, drawn
// from the hue its identifier names (walls dark, floors in the middle, "light" floors bright;
// stairs, teleporters, doors and lights in colours of their own). Called by the map image.
#pragma once
#include "platform/colour.h"

namespace dravok {

// 0 for none: the kind is not drawn.
Colour block_map_colour(int block);
Colour furniture_map_colour(int furniture);

} // namespace dravok
