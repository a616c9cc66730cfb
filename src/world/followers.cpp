// Followers; see followers.h.
#include "world/followers.h"

namespace dravok {

bool try_to_recruit(int, int, int) {
    // not built yet: recruiting a follower
    return false;
}
void set_as_follower(int, int, int) {
    // not built yet: making a being follow its master
}

} // namespace dravok
