// The cost of actions in time units: a base cost lowered by the being's motion modifier or by
// its movement speed bonus, never below 1. Every action of the rules and of the AI books its
// time through these.
#pragma once
#include <cstdint>

namespace dravok {

// Time units: 15 make one round, 150 one game minute.
constexpr uint32_t round_time = 15;

// base less the being's motion modifier (at least 1); base itself without apply_motion.
int action_time(int being, int base, bool apply_motion = true);
// (base less the motion modifier) times factor (at least 1); base times factor without apply_motion.
int action_time_mult(int being, int base, int factor, bool apply_motion = true);
// base less the being's movement speed bonus, at least 1.
int move_time(int being, int base);
// next_action_time := game_clock + cost.
void spend_time(int being, int cost);

} // namespace dravok
