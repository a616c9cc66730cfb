// Talents. Until talents land there is no last talent to repeat.
#include "rules/talents.h"

namespace dravok {

void repeat_talent(int, int) {}
bool has_stamina_for_talent(int, int, bool) {
    // not built yet: the stamina cost of a talent
    return false;
}
bool use_talent(int, int, const teffect&, int) {
    // not built yet: using a talent
    return false;
}

} // namespace dravok
