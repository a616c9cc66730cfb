// The lifetime statistics; see statistics.h.
#include "world/statistics.h"

namespace dravok {

tstatistics statistics{};

} // namespace dravok
