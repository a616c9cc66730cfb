// Light and the player's view: recomputes the light maps round the player and what every
// being sees, with the counts of hostiles in view. Called by the scheduler and the rules.
#pragma once

namespace dravok {

void update_lights();

} // namespace dravok
