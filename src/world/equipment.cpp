#include "world/equipment.h"
#include "world/error_log.h"

namespace dravok {

// No item rules exist yet, so no slot ever changes.
bool equip_being(int being, int slot, int depth) {
    depth = trace_enter(depth, trace_equip_being);
    return false;
}

} // namespace dravok
