// The AI's program data copied into every new being: the behaviour presets (per stimulus kind
// 1..18 a chance and a range) and the morale rows (base courage, superiority factor, fear
// factor, health base). Read by being creation; the AI reads the copies in the being.
#pragma once
#include <array>
#include <cstdint>

namespace dravok {

constexpr int ai_preset_count = 6;    // rows 0..5
constexpr int morale_kind_count = 11; // rows 0..10

// ai_preset_tables[0] the chances, [1] the ranges; row = preset, column = stimulus kind - 1.
extern const std::array<std::array<std::array<uint8_t, 18>, ai_preset_count>, 2> ai_preset_tables;
extern const std::array<std::array<int16_t, 4>, morale_kind_count> morale_table;

} // namespace dravok
