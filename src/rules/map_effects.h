// Map effects: the grid over the map whose cells name the lasting effect that holds them (the
// stronger effect wins a cell), and what those effects do to the beings standing in them.
// Called by the lasting effects, the scheduler (once per new turn of a being), update_being,
// movement, path finding, drawing and the level set-up.
#pragma once

namespace dravok {

// Grid cell writers for the lasting effect in `slot` (out-of-range slots are ignored).
void claim_effect_cells(int slot);
void release_effect_cells(int slot);
void remove_effect_cell(int slot, int x, int y, bool clear);
void clear_effect_cells(int slot);
void set_effect_cells_frame(int slot, int frame);
// Whether an effect of this power may take the cell: free, or held by one no stronger.
bool can_effect_take_cell(int x, int y, int power);
// Empties the map-effect grid.
void clear_map_effect_grid();

bool is_on_stat_changing_map_effect(int being, int depth);
// Whether the being stands in web or slime that holds it.
bool is_on_restraining_map_effect(int being, int depth);
// Applies the map effects under the being whose stat-changing property matches the argument.
void apply_map_effects_on_being(int being, bool stat_changing, int depth);
// Once for each new next_action_time of a being.
void update_map_effects_on_being(int being, int depth);

} // namespace dravok
