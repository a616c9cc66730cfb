// The regeneration countdowns of health and stamina: restarted after a loss and after each
// regeneration step. Called by damage, costs and the regeneration of beings.
#pragma once

namespace dravok {

void reset_regeneration_countdown(int being, bool health, bool stamina);

// One regeneration step of health, run by the round scheduler and the decision chain.
void regenerate_being(int being, int depth);

} // namespace dravok
