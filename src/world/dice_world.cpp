#include "world/dice_world.h"

namespace dravok {

// Until the world's beings, level and vocabulary exist, a formula has no owner to read and the
// game stands outside the dungeon.
int dice_last_being_index() { return 0; }
int dice_being_ability_modifier(int, int) { return 0; }
int dice_being_current_skill(int, int) { return 0; }
int dice_being_level(int) { return 0; }
int dice_current_depth() { return 0; }
int dice_being_type_index(std::string_view) { return -1; }

} // namespace dravok
