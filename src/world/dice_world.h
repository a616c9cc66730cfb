// The few facts of the world a dice roll reads: the owning being's ability modifier, current
// skill and level, the last being index, the current level's depth, and the creature-type names
// a damage text may name. Kept apart so dice.cpp stays a pure formula unit.
#pragma once
#include <string_view>

namespace dravok {

int dice_last_being_index();                       // highest valid index of `beings` (0 when none)
int dice_being_ability_modifier(int being, int k); // k = 1..4
int dice_being_current_skill(int being, int k);    // k = 1..7
int dice_being_level(int being);
int dice_current_depth();                         // depth of the current level (0 outside a dungeon)
int dice_being_type_index(std::string_view name); // index into the creature-type names; -1 unknown

} // namespace dravok
