// Regeneration of health and stamina: one step per turn of a being, and the countdowns that
// restart after a loss and after each step. Called by the round scheduler, the AI, damage and costs.
#pragma once

namespace dravok {

// One regeneration step, run on each of the being's turns.
void regenerate_being(int being, int depth);
void reset_regeneration_countdown(int being, bool health, bool stamina);

} // namespace dravok
