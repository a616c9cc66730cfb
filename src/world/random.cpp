#include "world/random.h"

namespace dravok {

uint32_t random_seed = 0;

int32_t random(int32_t n) {
    random_seed = random_seed * 134775813u + 1u; // wraps modulo 2^32
    // Signed product so that a negative n behaves as the original 32-bit code did (n < r <= 0).
    const int64_t product = static_cast<int64_t>(random_seed) * static_cast<int64_t>(n);
    return static_cast<int32_t>(product >> 32);
}

int32_t d100() {
    return random(100) + 1;
}

int32_t d1000() {
    return random(1000) + 1;
}

int32_t random_set_index(std::span<const uint8_t> entries) {
    int32_t set = 0;
    for (uint8_t e : entries)
        if (e != 0) ++set;
    if (set == 0) return 0;
    int32_t pick = random(set);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == 0) continue;
        if (pick == 0) return static_cast<int32_t>(i + 1);
        --pick;
    }
    return 0; // not reached: pick < set
}

void randomize(uint32_t milliseconds_since_midnight) {
    random_seed = milliseconds_since_midnight;
}

} // namespace dravok
