#include "generation/portals.h"

namespace dravok {

void set_portals(int) {}

} // namespace dravok
