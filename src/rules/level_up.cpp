#include "rules/level_up.h"

namespace dravok {

void setup_level_up(int) {
    // not built yet: the level-up and its talent points
}

} // namespace dravok
