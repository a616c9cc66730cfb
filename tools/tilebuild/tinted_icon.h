// A collection icon (an SVG of one or more paths filled with "currentColor") drawn for the
// map: filled with the template's colour in the light-to-dark tints of the builder's own
// pictures, ringed by an outline that also shows the icon's inner lines.
#pragma once
#include <string>

#include "raster.h"

namespace dravok::tilebuild {

// The icon w x h tiles large, centred, on transparency. Throws std::runtime_error when the
// text is not such an SVG.
timage render_tinted_svg(const std::string& svg, rgb colour, int w_tiles = 1, int h_tiles = 1);

// The outline a colour gets: near-black, or a pale tint for a colour too dark to stand
// against a black ring, so that one of the two always contrasts with the floor.
rgb outline_colour(rgb colour);

} // namespace dravok::tilebuild
