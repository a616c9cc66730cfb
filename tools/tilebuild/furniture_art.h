// Procedural furniture for the tile set: every furniture id 1..60 in each of its states
// (doors closed and open, lights lit and dark, containers closed, empty and full ...).
#pragma once
#include <vector>

#include "raster.h"

namespace dravok::tilebuild {

// Number of states of a furniture id; 0 when the id has no image of its own (the secret door
// and the disappearing wall show the wall block of their cell).
int furniture_states(int id);
std::vector<timage> furniture_art(int id);

} // namespace dravok::tilebuild
