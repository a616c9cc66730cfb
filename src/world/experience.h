// Experience: a creature's worth when it joins the level, and the experience for disabling
// traps and locks. The award at death and the level-up test are in experience_award.h.
#pragma once
#include <string>

namespace dravok {

// Computes and stores the being's worth; also names its best weapons.
void calculate_experience_award(int being, int depth, std::string& weapon_text);
// Experience for disabling a trap or lock of the difficulty; 0 for the easy ones.
int disable_experience(int difficulty);
// Adds that experience to the player's own character and checks for a level-up.
int award_disable_experience(int difficulty);

} // namespace dravok
