// Creature movement: walking along paths, wandering between areas, moving out of the way and
// stepping at random. Called by the decision chain. Until walking lands every attempt declines,
// so a creature with nothing else to do spends its turn idle.
#pragma once

namespace dravok {

bool ai_continue_path(int being);
bool ai_move_to_nearby_area(int being, int purpose, int own_area, int tries, int chance, int avoided_area);
bool ai_wander(int being);
bool ai_correct_position(int being);
bool ai_move_randomly(int being);

} // namespace dravok
