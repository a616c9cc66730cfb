// Chatter and one-liners; see chatter.h.
#include "world/chatter.h"

namespace dravok {

bool add_oneliner(int, int, int, int, std::string_view, std::string_view) {
    // not built yet: beings saying their one-liners
    return false;
}

} // namespace dravok
