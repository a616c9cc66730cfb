#include "rules/item_use.h"

namespace dravok {

void autopick_items(int, int, int, std::string& out, int) {
    // not built yet: nothing is picked up on the way
    out.clear();
}
// not built yet: traps do not spring, sentient items keep silent and ammunition is not checked
void spring_trap(int, int, int, int) {}
void handle_sentient_item_oneliners(int, int) {}
void check_ammunition(int, int) {}
void switch_ammunition(int, int) {}
bool carries_item_with_effect(int, int) {
    // not built yet: no carried item is found to have an effect
    return false;
}

} // namespace dravok
