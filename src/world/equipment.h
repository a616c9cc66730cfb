// Equipping a being's carried items into its slots and weapon sets.
#pragma once

namespace dravok {

// Fills the being's slots (slot 0: all) with its best fitting carried items; whether any
// slot changed.
bool equip_being(int being, int slot, int depth);

} // namespace dravok
