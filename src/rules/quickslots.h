// Filling and emptying a being's 20 quickslots: its on-use talents, its lantern and its usable
// items put into free slots, and every slot cleared. Called by the list screens (Ctrl+C on the
// quickslot screen), `update_being` for the player's character and the loot screen.
#pragma once
#include "records/layout_item.h"

namespace dravok {

// A carried item the quickslots take as a usable item: a device with a use effect that is no
// scroll, no trap kit, not only for dialogues and no elixir.
bool is_quickslot_usable(const titem& item);
// A talent the quickslots take: one that is used, not a passive one.
bool is_quickslot_talent(int talent);
// Fills the empty quickslots: talents from slot 1, the lantern from 11, usable items from 12.
void assign_quickslots(int being);
// Empties every quickslot and clears the in-quickslot marks of the items still held.
void clear_quickslots(int being);

} // namespace dravok
