// What each being sees: of every other being, whether it is in sight and the turn it was first
// seen; and the cells it has seen. All indexed by being, from 1.
#pragma once
#include <cstdint>
#include <vector>

#include "world/grid.h"

namespace dravok {

using tseen_cells = tgrid<uint8_t>;

extern std::vector<std::vector<uint8_t>> sight_matrix;
extern std::vector<std::vector<uint32_t>> first_seen_matrix;
extern std::vector<tseen_cells> seen_cells;

} // namespace dravok
