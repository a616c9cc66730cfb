#include "support/plain_creature.h"

#include "records/being_flags.h"
#include "records/layout_game.h"
#include "world/blank_records.h"
#include "world/game_record.h"

namespace dravok::testing {

tbeing one_cell_being(const std::string& name, int health) {
    tbeing b = blank_being;
    b.serial = int32_t(++game.being_serial);
    b.name = name;
    b.width = b.height = 1;
    for (int k = 1; k <= ability_count; ++k)
        b.base_ability_of(k) = b.ability_of(k) = 10;
    b.health_base = b.health = b.health_max = uint16_t(health);
    return b;
}

tbeing plain_creature(const char* name) {
    tbeing b = one_cell_being(name, 200);
    b.type_flags[tf_can_open_doors] = 1;
    b.dark_vision = 3;
    b.weapon_set.bare_hands = 1;
    b.weapon_set.melee_available = 1;
    return b;
}

} // namespace dravok::testing
