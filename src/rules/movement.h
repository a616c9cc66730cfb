// Movement and bump actions: a being's single step, the struggle out of a restraining map
// effect, entering a cell, the player's bumps into beings and furniture, and the continued
// walk along corridors. Called by the main commands, the scheduler, the AI and the effects.
#pragma once

namespace dravok {

// Walk directions 1..4 (north, east, south, west) and their game directions 1, 3, 5, 7.
constexpr int walk_game_direction[5] = {0, 1, 3, 5, 7};
// The walk direction of a game direction; 0 for the diagonals.
constexpr int game_to_walk_direction[9] = {0, 1, 0, 2, 0, 3, 0, 4, 0};

// One step in game direction 1..8; with bump, moving into a being or furniture acts on it.
// True when the being stepped or a bump was handled.
bool move_step(int being, int direction, bool bump, int depth);
// The struggle out of a web or slime under the being; true when it may go on with its step.
bool can_move_through_restraining_map_effect(int being, int direction, int depth);
// What happens on entering the being's cell.
void enter_map_tile(int being, int depth);
// The player's bump into the cell in the direction; true when the bump was handled.
bool bump_actions(int being, int direction, int depth);
// A continued walk in walk direction 1..4: starts it, or takes its next step.
void walk(int being, int walk_direction, int depth);

} // namespace dravok
