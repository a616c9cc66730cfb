// The off-screen threat table: in each of the eight directions, the nearest hostile the
// character sees beyond the map view, drawn as arrows at the view's edge. Called by the frame
// drawing and cleared with the world.
#pragma once
#include <array>

namespace dravok {

// One direction of the off-screen threat table (1 north clockwise to 8 north-west).
struct toffscreen_being {
    int x = 0, y = 0, being = 0, distance = 0; // distance 0 = nobody that way
    bool in_view = false;
};
extern std::array<toffscreen_being, 9> offscreen_beings;
void collect_offscreen_beings();
void reset_offscreen_beings();

} // namespace dravok
