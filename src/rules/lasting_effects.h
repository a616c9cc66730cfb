// Lasting effects and their map cells: what a map effect does to the being standing in it.
// Called by the movement tests and the scheduler.
#pragma once

namespace dravok {

// Whether the being stands in web or slime that holds it.
bool is_on_restraining_map_effect(int being, int depth);
// Empties the map-effect grid.
void clear_map_effect_grid();

} // namespace dravok
