#include "world/dice_world.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_level.h"

#include "world/beings.h"
#include "world/level_record.h"
#include "world/lookup.h"

namespace dravok {

int dice_last_being_index() {
    return beings.empty() ? 0 : static_cast<int>(beings.size()) - 1;
}

int dice_being_ability_modifier(int being, int k) {
    return at1(beings[being].ability_modifier, k);
}

int dice_being_current_skill(int being, int k) {
    return beings[being].skill_of(k);
}

int dice_being_level(int being) {
    return beings[being].level;
}

int dice_current_depth() {
    return level.index;
}

int dice_being_type_index(std::string_view name) {
    return index_of_name(type_flag_names, name);
}

} // namespace dravok
