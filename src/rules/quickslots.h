// Filling and emptying a being's 20 quickslots: its on-use talents, its lantern and its usable
// items put into free slots, every slot cleared, and the worn items still to slot. Called by
// the list screens (Ctrl+C on the quickslot screen, the choice for a slot), `update_being` for
// the player's character and the loot screen.
#pragma once
#include "records/layout_item.h"
#include "records/layout_parts.h"

namespace dravok {

// A carried item the quickslots take as a usable item: a device with a use effect that is no
// scroll, no trap kit, not only for dialogues and no elixir.
bool is_quickslot_usable(const titem& item);
// A talent the quickslots take: one that is used, not a passive one.
bool is_quickslot_talent(int talent);
// The first equipment slot from `start` up holding an item in no quickslot, as a quickslot
// entry of the equipment kind with the item and its slot; false when none is left.
bool next_unslotted_equipment(int being, int start, tquickslot& out);
// Fills the empty quickslots: talents from slot 1, the lantern from 11, usable items from 12.
void assign_quickslots(int being);
// Empties every quickslot and clears the in-quickslot marks of the items still held.
void clear_quickslots(int being);

} // namespace dravok
