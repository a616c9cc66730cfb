// Using a carried item: potions, scrolls, wands, horns, figurines, books, trap kits and essences,
// with the mind check of demanding devices. Called by the inventory, the quickslots and creatures.
#pragma once
#include <initializer_list>

namespace dravok {

// True when the item was used (its effect ran); refusals and failed uses give false. An item
// meant for dialogs only is used when a dialog's answer asks for it.
bool use_item(int being, int item, int depth, bool from_dialog = false);
void use_trapkit(int being, int item, int depth);
// A carried device of one of the activation kinds that a creature can aim at the target without
// hitting its friends; its aim is kept in the item's x and y. 0 when none.
int get_usable_device(int being, int target, std::initializer_list<int> kinds, int depth);
// Walks the player's being by autopilot to a level item and picks it up (at once when underfoot).
void go_to_level_loot(int being, int item, int depth);

} // namespace dravok
