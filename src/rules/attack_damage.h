// The damage of one blow, shared by the melee and the ranged attack: the choice of the physical
// type against the defender's resistances, bonuses and multipliers, the critical test, the extra
// elemental point, the bane bonuses against creature types, the surrounded and range penalties
// and the earliest next action after natural attacks. Called by rules/melee.cpp and the ranged attack.
#pragma once
#include <cstdint>

#include "records/layout_being.h"
#include "records/layout_dice.h"
#include "records/layout_item.h"

namespace dravok {

// The five bytes of a being's attack_modifiers.
enum attack_modifier : int { am_hit = 0, am_damage = 1, am_defence = 2, am_multiplier = 3, am_polearm = 4 };
inline int8_t attack_hit_bonus(const tbeing& b) {
    return int8_t(b.attack_modifiers[am_hit]);
}
inline int8_t attack_damage_bonus(const tbeing& b) {
    return int8_t(b.attack_modifiers[am_damage]);
}
inline int8_t attack_defence_bonus(const tbeing& b) {
    return int8_t(b.attack_modifiers[am_defence]);
}

// Margins of attack over defence that make a blow critical.
constexpr int melee_critical_margin = 22;
constexpr int ranged_critical_margin = 35;

void roll_attack_damage(bool melee, int attacker, int defender, int attack, int defence, int damage_bonus,
                        const tdamage_dice& formula, const titem& item, tdamage& out);
void add_elemental_damage(const tdamage& damage, const tdice& dice, tdamage& out);
bool apply_against_bonuses(int attacker, int defender, const tdamage_dice& formula);
int surrounded_penalty(int being);
int excess_penalty(int distance, int range);
uint32_t attack_recovery_time(int being, uint32_t proposed);

} // namespace dravok
