#include "world/encumbrance.h"
#include "records/layout_being.h"

#include <cmath>

#include "world/beings.h"
#include "world/rounding.h"

namespace dravok {

std::array<uint32_t, 6> encumbrance_thresholds{};

uint32_t carry_capacity(int body) {
    // A negative body would give a negative capacity that wraps to a huge one: it carries nothing.
    const int b = body < 0 ? 0 : int(int8_t(body));
    const double raw = double(b + 1) * (b + 1) * b * 125.0;
    const long long rounded = static_cast<long long>(std::nearbyint(raw));
    return uint32_t(rounded / 100 * 100);
}

void update_encumbrance(int being) {
    if (being < 1 || being >= int(beings.size())) return;
    tbeing& b = beings[being];
    const uint32_t capacity = carry_capacity(b.ability_of(1));
    const uint32_t limit = 3 * capacity;
    const double step = (double(limit) - double(capacity)) / 5.0;
    for (int k = 0; k <= 4; ++k)
        encumbrance_thresholds[k] = uint32_t(std::ceil(capacity + k * step));
    encumbrance_thresholds[5] = limit;
    int level_reached = 0;
    for (int k = 0; k <= 5; ++k) {
        if (encumbrance_thresholds[k] <= b.carried_weight) level_reached = k + 1;
    }
    if (level_reached == 6) level_reached = 5;
    b.carrying_capacity = capacity;
    b.carrying_limit = limit;
    b.encumbrance = uint8_t(level_reached);
    b.motion_penalty = uint8_t(2 * level_reached);
}

} // namespace dravok
