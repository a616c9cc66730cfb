// The sentence that tells one blow of a melee or ranged attack, in the second person when the
// player's being strikes or is struck and in the third person otherwise, with the damage in
// brackets and the critical note. Called by rules/melee.cpp and the ranged attack.
#pragma once
#include <string>

#include "records/layout_dice.h"
#include "records/layout_item.h"

namespace dravok {

// Defence kinds of the defender.
enum defence_kind : int {
    defence_dodge = 0,
    defence_parry_main = 1,
    defence_parry_off = 2,
    defence_block = 3,
    defence_asleep = 4,
    defence_helpless = 5
};

// verb_group 0..6 for weapons (0 none, 1 blunt, 2 pierce, 3 slash, 4 reach, 5 shot, 6 throw),
// natural class + 7 for natural attacks. Empty when the player's being sees neither being.
void compose_attack_message(int attacker, int defender, int verb_group, std::string& out,
                            const tdamage& result, bool hit, int defence, const titem& item,
                            int attack_value);

} // namespace dravok
