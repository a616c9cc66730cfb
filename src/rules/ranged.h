// The ranged attack of a being on another with its active weapon set's missile or launcher.
// Called by the target mode, the creature decisions and the shooting maneuvers.
#pragma once

namespace dravok {

// Nothing happens when either being is not valid.
void ranged_attack(int attacker, int defender, int depth);

} // namespace dravok
