// Experience earned by killing: the share of a dying creature's worth that the player and the
// companions earned by their damage, and the level-up test. Called by the attacks and kill_being.
#pragma once
#include <string>

namespace dravok {

// Stores the award in the being and returns "$E(%d XP)$B" when the player sees it, else "".
void award_experience_from_being(int being, int depth, std::string& out);
std::string award_experience_from_being(int being, int depth);
void check_experience(int being, int depth);
// The experience for beating a lock, trap or hidden door of this difficulty.
int disable_experience(int difficulty);
// Gives it to the player's own character; the amount given.
int award_disable_experience(int difficulty, int depth);

} // namespace dravok
