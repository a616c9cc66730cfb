// Using items; see item_use.h.
#include "world/item_use.h"

namespace dravok {

bool use_item(int, int, int) {
    // not built yet: using an item
    return false;
}

} // namespace dravok
