// Creature movement: the single move, walking along paths (re-planned when stale, doors closed
// behind, polite waiting for blockers), wandering between areas, leaving doorways and corridors,
// idle steps and walking home. Called by the decision chain and the other creature attempts.
#pragma once

namespace dravok {

// Places the being on the neighbouring cell and books the step's time.
void ai_move(int being, int x, int y, int depth);
// One step of a walk toward (x, y); true when the being acted.
bool ai_walk(int being, int x, int y, bool retry, int purpose, int follow_target);
bool ai_continue_path(int being);
bool ai_move_to_nearby_area(int being, int purpose, int own_area, int tries, int chance, int avoided_area);
bool ai_wander(int being);
bool ai_correct_position(int being);
bool ai_move_from_doorway(int being);
bool ai_move_randomly(int being);
bool ai_close_door_behind(int being);
bool ai_pass_being(int being, int x, int y);
// A follower next to the being while it is blocked counts one more turn against it.
void ai_follower_swap_check(int being);
// The being's own cell (being 0: the cell (x, y)) is a door or a narrow opening of a corridor.
bool is_in_doorway(int being, int x, int y);

} // namespace dravok
