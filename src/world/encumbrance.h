// How much a being can carry and how heavily its load weighs on it: the carrying capacity from
// the body ability, the limit, the encumbrance level and its motion penalty. Called by
// update_being and by the displays of carried weight.
#pragma once
#include <array>
#include <cstdint>

namespace dravok {

// The thresholds of the being last computed (levels 1..5, then the limit), for display.
extern std::array<uint32_t, 6> encumbrance_thresholds;

uint32_t carry_capacity(int body);
// Capacity, limit, level and penalty of the being from its current body and carried weight.
void update_encumbrance(int being);

} // namespace dravok
