#include "ai/attacking.h"

namespace dravok {

// not built yet: creatures do not attack on their own nor change their weapon set, so each attempt declines
bool ai_attack(int) {
    return false;
}
bool ai_check_weapon_set(int) {
    return false;
}

} // namespace dravok
