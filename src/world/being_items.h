// Each being's carried items, one list per being slot.
#pragma once
#include <vector>

namespace dravok {

struct titem;

// The length of a new being's item list.
constexpr int being_item_list_length = 50;

extern std::vector<std::vector<titem>> being_items;

} // namespace dravok
