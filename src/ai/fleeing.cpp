#include "ai/fleeing.h"

namespace dravok {

// not built yet: creatures neither flee, investigate nor escape a prison cell, so each attempt declines
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

} // namespace dravok
