#include "world/item_choice.h"

namespace dravok {

// Until items can be created, a being starts without a kit and has nothing to choose or drop.
void add_equipment_to_being(int being, int depth) {}
void update_item_interests(int being, int depth) {}
bool drop_unneeded_items(int being, bool destroy, int depth) {
    return false;
}

} // namespace dravok
