// Where the player's autopilot goes to explore next. Called by the main commands.
#pragma once
#include <cstdint>

namespace dravok {

// The next cell worth exploring as x + 65536 y; 0 when none.
uint32_t find_explore_target();

} // namespace dravok
