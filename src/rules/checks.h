// Skill checks: a d20 and the being's current skill against a difficulty, with the penalties of
// hostiles in view and of darkness. Called by lock picking, trap disabling, searching and avoiding.
#pragma once

namespace dravok {

constexpr int skill_disable = 1, skill_dodge = 2, skill_magic = 3, skill_search = 6;

// Success when roll + skill reaches difficulty + penalty; target and total are kept in the being.
bool skill_check_roll(int being, int skill, int difficulty);

} // namespace dravok
