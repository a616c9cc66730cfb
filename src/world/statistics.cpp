// The statistics kept across games; see statistics.h.
#include "world/statistics.h"

namespace dravok {

tstatistics statistics{};

// not built yet: the statistics file; nothing is counted or kept
void load_statistics() {}
void save_statistics() {}
void count_game_end(bool, uint32_t) {}

} // namespace dravok
