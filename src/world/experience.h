// Experience: a creature's worth when it joins the level. The award at death, the level-up test
// and the experience for disabling traps and locks are in experience_award.h.
#pragma once
#include <string>

namespace dravok {

// Computes and stores the being's worth; also names its best weapons.
void calculate_experience_award(int being, int depth, std::string& weapon_text);

} // namespace dravok
