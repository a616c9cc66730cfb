// The items lying on the current level (entry 0 unused).
#pragma once
#include <vector>

namespace dravok {

struct titem;

// The first length of the level's items.
constexpr int initial_level_items = 1000;

extern std::vector<titem> level_items;

} // namespace dravok
