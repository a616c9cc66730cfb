// Creature attacks: choosing a target and a way to attack it, and readying the better weapon
// set. Called by the decision chain. Until attacking lands every attempt declines.
#pragma once

namespace dravok {

bool ai_attack(int being);
bool ai_check_weapon_set(int being);

} // namespace dravok
