// Melee attacks: one round of close combat with every weapon hand and ready natural attack,
// its time, message, sound, experience and death.
// Called by the bump actions, the AI and the effect handlers.
#pragma once

namespace dravok {

// direction 1..8 from attacker to defender (0: worked out from the cells).
void melee_attack(int attacker, int defender, int direction, int depth);
// Whether one of the attacker's natural melee attacks is ready (the reach is not tested).
bool can_natural_melee_attack(int attacker, int defender, int depth);

// The attacker leans toward the defender (direction 0: toward where the defender stands).
void set_being_lunge(int attacker, int defender, int direction);

} // namespace dravok
