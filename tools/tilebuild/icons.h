// The builder's own vector pictures: the player's races, the defaults of templates that name
// no picture, and the interface icons, written as SVG in a 64 x 64 box, tinted and outlined.
#pragma once
#include <string>
#include <vector>

#include "raster.h"

namespace dravok::tilebuild {

// Every icon name the builder knows.
std::vector<std::string> icon_names();
bool is_icon(const std::string& name);

// The icon drawn w x h tiles large in the given colour, on transparency.
timage render_icon(const std::string& name, rgb colour, int w_tiles = 1, int h_tiles = 1,
                   double rotate_deg = 0);

} // namespace dravok::tilebuild
