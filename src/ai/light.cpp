// Light and view. Until sight lands nothing is recomputed: the counts of seen hostiles keep
// what the rules or tests wrote into them.
#include "ai/light.h"

namespace dravok {

void update_lights() {}

} // namespace dravok
