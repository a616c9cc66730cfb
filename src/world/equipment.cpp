#include "world/equipment.h"

namespace dravok {

// No item rules exist yet, so no slot ever changes.
bool equip_being(int being, int slot, int depth) {
    return false;
}

} // namespace dravok
