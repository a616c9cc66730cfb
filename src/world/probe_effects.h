// The effects the creature decisions test their reach with.
#pragma once
#include <array>

namespace dravok {

struct teffect;

constexpr int probe_effect_count = 3;

// Effects the creature decisions test with (1: shape 4; 2, 3: shape 5 at ranges 2 and 6).
extern std::array<teffect, probe_effect_count + 1> probe_effects;

} // namespace dravok
