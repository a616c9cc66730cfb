#include "ai/walking.h"

namespace dravok {

// not built yet: creatures do not walk on their own: they neither follow a path, wander, move to a nearby
// area nor step aside, so each attempt declines
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

} // namespace dravok
