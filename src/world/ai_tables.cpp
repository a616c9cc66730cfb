#include "world/ai_tables.h"

namespace dravok {

namespace {

using row = std::array<uint8_t, 18>;

// Kind 1 is a seen light; 2..18 are sound kinds, of which 2 and 3 are never heard awake.
constexpr row preset_row(uint8_t light, uint8_t walking, uint8_t others, bool quiet_kinds_2_3) {
    row r{};
    r[0] = light;
    for (int k = 2; k <= 18; ++k)
        r[k - 1] = others;
    if (quiet_kinds_2_3) r[1] = r[2] = 0;
    r[3] = walking;
    return r;
}

} // namespace

const std::array<std::array<std::array<uint8_t, 18>, ai_preset_count>, 2> ai_preset_tables{{
    // chances: inert, normal, alert, dull, deaf, blind
    {{preset_row(0, 0, 0, false), preset_row(60, 1, 1, true), preset_row(90, 1, 1, false),
      preset_row(30, 0, 1, false), preset_row(60, 0, 0, false), preset_row(0, 1, 1, false)}},
    // ranges
    {{preset_row(0, 0, 0, false), preset_row(1, 255, 255, true), preset_row(1, 255, 255, false),
      preset_row(1, 0, 60, false), preset_row(1, 0, 0, false), preset_row(0, 255, 255, false)}},
}};

const std::array<std::array<int16_t, 4>, morale_kind_count> morale_table{{
    {100, 5, 8, 4},  // none
    {50, 5, 15, 4},  // coward
    {50, 15, 15, 4}, // coward_superiority_boosts
    {75, 5, 10, 4},  // steady
    {75, 15, 10, 4}, // steady_superiority_boosts
    {100, 5, 8, 4},  // valiant
    {100, 15, 8, 4}, // valiant_superiority_boosts
    {150, 5, 5, 4},  // champion
    {150, 15, 5, 4}, // champion_superiority_boosts
    {5000, 0, 0, 0}, // fearless
    {100, 5, 5, 4},  // companion
}};

} // namespace dravok
