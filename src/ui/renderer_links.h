// The services of other units that the map view and the frame drawing call, under the names
// and signatures their owners give them: the off-screen beings table, the cell animations'
// being flag and the map effect sprites (names, distances and the view test come from world/).
// Until an owner lands, its entry here has a minimal honest body (renderer_links.cpp).
#pragma once
#include <array>
#include <string>

#include "world/being.h"
#include "world/geometry.h"
#include "world/map.h"

namespace dravok {

// One direction of the off-screen threat table (1 north clockwise to 8 north-west).
struct toffscreen_being {
    int x = 0, y = 0, being = 0, distance = 0; // distance 0 = nobody that way
    bool in_view = false;
};
extern std::array<toffscreen_being, 9> offscreen_beings;
void collect_offscreen_beings();

// Set while a cell animation shows the being in its place.
bool being_animation_shown(int being);
// The sprite of the map effect on a cell (its graphic frame), 0 for none.
int map_effect_sprite(int x, int y);
bool spectator_exists();

} // namespace dravok
