// After damage. Until the attack results land nothing follows damage.
#include "rules/after_damage.h"

namespace dravok {

void after_damage(int, int, int, int, tdamage&, int) {}

} // namespace dravok
