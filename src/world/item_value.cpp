#include "world/item_value.h"

#include "world/globals.h"

namespace dravok {

// The template's base price until the value rules (enchantments, charges, sums) are built.
uint32_t calculate_item_value(const titem& item) {
    if (item.plan < 1 || item.plan >= item_plans.size()) return 0;
    return item_plans[item.plan].price;
}

} // namespace dravok
