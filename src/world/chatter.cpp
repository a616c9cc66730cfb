// Chatter and one-liners; see chatter.h.
#include "world/chatter.h"

namespace dravok {

bool add_oneliner(int, int, int, int, std::string_view, std::string_view) {
    // not built yet: beings saying their one-liners
    return false;
}

bool may_say_trigger(int, int, bool, bool) {
    // not built yet: the cooldowns and the ability to talk of the speaking services
    return false;
}

} // namespace dravok
