// The beings travelling between levels, with their items and effects.
#pragma once
#include <vector>

namespace dravok {

struct tbeing;
struct teffect;
struct titem;

// The first lengths of the travellers and their effects (entry 0 unused).
constexpr int initial_transfer_beings = 20;
constexpr int initial_transfer_effects = 100;

extern std::vector<tbeing> transfer_beings;
extern std::vector<std::vector<titem>> transfer_items;
extern std::vector<teffect> transfer_effects;

} // namespace dravok
