// The decision chain's attempts whose own units have not landed: each declines.
#include "ai/attacking.h"
#include "ai/fleeing.h"
#include "ai/followers.h"
#include "ai/oneliners.h"
#include "ai/walking.h"

namespace dravok {

bool ai_continue_path(int) {
    return false;
}
bool ai_move_to_nearby_area(int, int, int, int, int, int) {
    return false;
}
bool ai_wander(int) {
    return false;
}
bool ai_correct_position(int) {
    return false;
}
bool ai_move_randomly(int) {
    return false;
}
bool ai_attack(int) {
    return false;
}
bool ai_check_weapon_set(int) {
    return false;
}
bool ai_needs_to_move(int) {
    return false;
}
bool ai_spot_investigate_target(int) {
    return false;
}
bool ai_flee(int) {
    return false;
}
bool ai_continue_fleeing_after_teleport_use(int) {
    return false;
}
bool ai_investigate(int) {
    return false;
}
bool ai_escape_cell(int) {
    return false;
}
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
void ai_oneliners(int, bool) {}

} // namespace dravok
