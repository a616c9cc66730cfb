// The worth of an item in coins. Called when an item is created and by shops.
#pragma once
#include <cstdint>

#include "records/layout.h"

namespace dravok {

uint32_t calculate_item_value(const titem& item);

} // namespace dravok
