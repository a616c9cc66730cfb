// The items a being chooses: its starting kit, its item interests and the items it drops.
#pragma once

namespace dravok {

void add_equipment_to_being(int being, int depth);
void update_item_interests(int being, int depth);
// Whether anything was dropped.
bool drop_unneeded_items(int being, bool destroy, int depth);

} // namespace dravok
