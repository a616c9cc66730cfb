// Melee attacks: a complete attack with time, message, sound, experience and death.
// Called by the bump actions, the AI and the effect handlers.
#pragma once

namespace dravok {

// direction 1..8 from attacker to defender (0: worked out from the cells).
void melee_attack(int attacker, int defender, int direction, int depth);

} // namespace dravok
