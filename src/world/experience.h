// Experience: a creature's worth when it joins the level, awards at its death, level-ups.
#pragma once
#include <string>

namespace dravok {

// Computes and stores the being's worth; also names its best weapons.
void calculate_experience_award(int being, int depth, std::string& weapon_text);

} // namespace dravok
