// The counters of the furniture variants used last, which new pieces go on from.
#pragma once
#include <array>
#include <cstdint>

namespace dravok {

constexpr int furniture_variant_counter_count = 9;

// The nine counters of last-used furniture variants (1..9).
extern std::array<uint32_t, furniture_variant_counter_count + 1> furniture_variant_counters;

} // namespace dravok
