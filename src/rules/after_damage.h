// What follows damage: messages, fear, anger, experience and the death branch.
// Called after every attack and every damaging effect.
#pragma once
#include "records/layout_dice.h"

namespace dravok {

// attacker may be 0; the result's killed flag selects the death branch.
void after_damage(int attacker, int victim, int health_before, int total, tdamage& result, int depth);

} // namespace dravok
