// Spawning. Until level spawning lands no creature arrives.
#include "generation/spawning.h"

namespace dravok {

void spawn_beings(int) {}

} // namespace dravok
