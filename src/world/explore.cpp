#include "world/explore.h"

namespace dravok {

uint32_t find_explore_target() {
    // not built yet: nothing is left to explore, so the autopilot has nowhere to go
    return 0;
}

} // namespace dravok
