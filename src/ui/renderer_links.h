// The services of other units that the map view and the frame drawing call, under the names
// and signatures their owners give them: the off-screen beings table, the cell animations'
// being flag, being names and distances, the map's view test, and the map effect sprites.
// Until an owner lands, its entry here has a minimal honest body (renderer_links.cpp).
#pragma once
#include <array>
#include <string>

namespace dravok {

// One direction of the off-screen threat table (1 north clockwise to 8 north-west).
struct toffscreen_being {
    int x = 0, y = 0, being = 0, distance = 0;  // distance 0 = nobody that way
    bool in_view = false;
};
extern std::array<toffscreen_being, 9> offscreen_beings;
void collect_offscreen_beings();

// Set while a cell animation shows the being in its place.
bool being_animation_shown(int being);
std::string being_name(int being, int mode);
int get_being_distance(int a, int b);
bool is_in_view(int x, int y);
// A wall whose southern neighbour is off the map, unexplored or a floor without a door shows
// its front face.
bool is_wall_front_shown(int x, int y);
// The sprite of the map effect on a cell (its graphic frame), 0 for none.
int map_effect_sprite(int x, int y);
bool spectator_exists();

}  // namespace dravok
