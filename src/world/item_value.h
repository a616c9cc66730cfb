// The worth of an item in coins, which sets shop prices and every choice of the best item.
// Called when an item is created, by shops and by the equipment and item choices.
#pragma once
#include <cstdint>

#include "records/layout_item.h"

namespace dravok {

uint32_t calculate_item_value(const titem& item);
// base + the sum over i = 1..steps of Round(i x factor).
int64_t progressive_sum(int64_t base, int steps, float factor);

} // namespace dravok
