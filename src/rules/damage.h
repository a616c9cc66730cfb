// Damage, death and corpses: every loss of health through multipliers and resistances, the
// smaller changes of health and stamina, the last chance of die-hard beings, death with its
// experience, corpse, splash and dropped items. Called by attacks, effects, traps and poison.
#pragma once
#include <string>

#include "records/layout_dice.h"

namespace dravok {

// Causes of damage_being.
enum damage_cause : int {
    cause_attack = 1,
    cause_ranged_attack = 2,
    cause_trap = 3,
    cause_poison = 4,
    cause_other = 5
};

// The applied change (a loss is negative); 0 for a being that is not valid.
int adjust_health_amount(int being, int delta, int depth);
int adjust_stamina_amount(int being, int delta, int depth);
// What the damage would take after multipliers and resistances, without applying it.
int damage_after_resistance(int being, const tdamage& damage);
void damage_being(int target, int attacker, const tdamage& damage, tdamage& result, int depth, int cause);
bool can_die_hard(int being, int depth);
void kill_being(int being, tdamage& damage, int depth);
void create_corpse(int being, int killer_serial, int depth);
void corpse_name(int being, std::string& out);

} // namespace dravok
