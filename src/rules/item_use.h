// Using a carried item: potions, scrolls, wands, horns, figurines, books, trap kits and essences,
// with the mind check of demanding devices. Called by the inventory, the quickslots and creatures.
#pragma once

namespace dravok {

// True when the item was used (its effect ran); refusals and failed uses give false.
bool use_item(int being, int item, int depth);
void use_trapkit(int being, int item, int depth);
// Walks the player's being by autopilot to a level item and picks it up (at once when underfoot).
void go_to_level_loot(int being, int item, int depth);

} // namespace dravok
