// Ranged attacks.
#include "rules/ranged.h"

namespace dravok {

void ranged_attack(int, int, int) {
    // not built yet: shooting and throwing at a being
}

} // namespace dravok
