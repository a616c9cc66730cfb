#include "ai/followers.h"

namespace dravok {

// not built yet: nobody turns hostile by itself, uses talents or items, picks items up or follows a master or
// a teleporter user, so each attempt declines
void ai_get_hostile(int, int) {}
void ai_get_hostile_on_home_trespassers(int, int) {}
bool ai_use_protection_talent(int) {
    return false;
}
bool ai_use_utility_talent(int) {
    return false;
}
bool ai_use_item(int) {
    return false;
}
bool ai_pick_item(int) {
    return false;
}
bool ai_follow_teleport(int) {
    return false;
}
bool ai_follower(int) {
    return false;
}

} // namespace dravok
