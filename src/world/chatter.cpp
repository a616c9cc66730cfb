#include "world/chatter.h"

namespace dravok {

bool add_oneliner(int, int, int, int, std::string_view, std::string_view) {
    // not built yet: one-liners with their cooldowns, speech bubbles and history lines
    return false;
}

} // namespace dravok
