// Talents. Until talents land there is no last talent to repeat.
#include "rules/talents.h"

namespace dravok {

void repeat_talent(int, int) {}

} // namespace dravok
