// Lasting effects and their map cells: the upkeep of due effects, the map effects acting on a
// being, what a map effect does to the being standing in it, and the removal of a cell from an
// effect. Called by the scheduler, movement and the level code.
#pragma once

namespace dravok {

void update_duration_effects(int depth);
// Once for each new next_action_time of a being.
void update_map_effects_on_being(int being, int depth);
void remove_effect_cell(int slot, int x, int y, bool clear);
// Whether the being stands in web or slime that holds it.
bool is_on_restraining_map_effect(int being, int depth);
// Empties the map-effect grid.
void clear_map_effect_grid();

} // namespace dravok
