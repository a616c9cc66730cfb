#include "world/text_random.h"

#include <cstdio>
#include <string>

#include "world/random.h"

namespace dravok {

int text_random(int n) { return n <= 0 ? 0 : random(n); }

int text_d100() { return d100(); }

void text_error(std::string_view message) {
    std::fprintf(stderr, "%s\n", std::string(message).c_str());
}

} // namespace dravok
