// The ranged attack of a being on another at a distance: shots from a launcher, throws of a
// throwing weapon from either hand and every ready ranged natural attack, with what stays on the
// floor, the spent ammunition and the refill of an emptied hand or quiver. Called by the target
// mode, the ATTACK_MARKED command, the creatures' decisions and the shooting maneuvers.
#pragma once

namespace dravok {

// Nothing happens when either being is not valid. The line of fire is the caller's to test.
void ranged_attack(int attacker, int defender, int depth);
// Whether a ready ranged natural attack of the attacker can strike the defender first.
bool can_natural_ranged_attack(int attacker, int defender, int depth);

} // namespace dravok
