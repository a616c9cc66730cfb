#include "world/item_choice.h"
#include "world/error_log.h"

namespace dravok {

// Until items can be created, a being starts without a kit and has nothing to choose or drop.
void add_equipment_to_being(int being, int depth) {
    depth = trace_enter(depth, trace_add_equipment_to_being);
}
void update_item_interests(int being, int depth) {
    depth = trace_enter(depth, trace_update_item_interests);
}
bool drop_unneeded_items(int being, bool destroy, int depth) {
    depth = trace_enter(depth, trace_drop_unneeded_items);
    return false;
}

} // namespace dravok
