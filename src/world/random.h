// The game's random generator: one 32-bit seed, advanced by a linear congruence on every draw,
// so a game replays exactly from its stored seed. Everything that draws goes through here
// (directly or through the dice rolls of world/dice.h).
#pragma once
#include <cstdint>
#include <span>

namespace dravok {

// The generator's state. Stored in the game record and in each level before it is generated.
extern uint32_t random_seed;

// One draw: advances the seed and returns 0..n-1 (the upper half of seed * n). random(0) is 0
// and still advances the seed. Always call it qualified or from inside namespace dravok: the C
// library has a ::random of its own.
int32_t random(int32_t n);

// 1..100 and 1..1000, one draw each.
int32_t d100();
int32_t d1000();

// The 1-based position of one non-zero entry, chosen uniformly with one draw; 0 without a draw
// when every entry is zero.
int32_t random_set_index(std::span<const uint8_t> entries);

// Seeds the generator from the time of day (milliseconds since midnight UTC, from the clock).
void randomize(uint32_t milliseconds_since_midnight);

} // namespace dravok
