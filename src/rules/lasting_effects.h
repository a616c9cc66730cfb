// Lasting effects and their map cells: the upkeep of due effects, the map effects acting on a
// being, and the removal of a cell from an effect. Called by the scheduler and by movement.
#pragma once
#include <string>

namespace dravok {

void update_duration_effects(int depth);
// Once for each new next_action_time of a being.
void update_map_effects_on_being(int being, int depth);
void remove_effect_cell(int slot, int x, int y, bool clear);

} // namespace dravok
