// Sounds heard through the dungeon: making a sound at a being or cell, and the decay of the
// areas' noise. Called by movement, actions and the scheduler.
#pragma once
#include <cstdint>

namespace dravok {

// Makes a sound of the kind at (x, y), or at the maker's cell when x is 0; the loudness.
int32_t check_sounds(int maker, int x, int y, int depth, int kind);
void decay_area_noise();

} // namespace dravok
