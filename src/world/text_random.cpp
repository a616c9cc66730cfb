#include "world/text_random.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace dravok {

// Until the shared generator lands this follows the game's own recipe on a private seed.
static uint32_t text_seed = 1;

int text_random(int n) {
    if (n <= 0) return 0;
    text_seed = text_seed * 134775813u + 1u;
    return static_cast<int>((static_cast<uint64_t>(text_seed) * static_cast<uint64_t>(n)) >> 32);
}

int text_d100() { return text_random(100) + 1; }

void text_error(std::string_view message) {
    std::fprintf(stderr, "%s\n", std::string(message).c_str());
}

} // namespace dravok
