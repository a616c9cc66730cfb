// Traps in map cells: setting one, clearing one and springing one on a being.
// Called by trap kits, doors and containers, movement, disabling and the level generator.
#pragma once
#include <cstdint>

namespace dravok {

void add_trap(int setter, int x, int y, int depth, uint16_t extra_value, uint8_t difficulty,
              uint16_t trap_plan);
void remove_trap(int x, int y, int depth);
void spring_trap(int being, int x, int y, int depth);

} // namespace dravok
