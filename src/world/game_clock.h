// The game clock's day, hour and minute in the game record, and whole rounds between two game
// times. Called by the round scheduler whenever the player is about to act.
#pragma once
#include <cstdint>

namespace dravok {

constexpr uint32_t time_units_per_round = 15;
constexpr uint32_t time_units_per_minute = 150;

// Adds the whole game minutes since the last update to the clock of `game`; the rest below a
// minute is dropped.
void advance_game_clock();

// |a - b| div 15, the difference taken as a signed 32-bit number.
int32_t time_steps_between(uint32_t a, uint32_t b);

} // namespace dravok
