// Whether a being can move at all (can_move) and onto a cell (can_move_to), and whether it can
// open, crush or close a door there. Called by every move, the walking AI and the autopilot.
#pragma once

namespace dravok {

// Results of can_move.
enum move_state : int {
    move_free = 0,
    move_immobile = -1,
    move_no_motion = -2,
    move_overloaded = -3,
    move_held = -4,
};
// Results of can_move_to.
enum move_target : int {
    target_free = 1,
    target_door_to_open = 2,
    target_own_teleporter = 3,
    target_off_map = -1,
    target_no_floor = -2,
    target_occupied = -3,
    target_furniture = -4,
    target_closed_door = -5,
    target_harmful_effect = -6,
    target_known_trap = -7,
};

int can_move(int being, int depth);
int can_move_to(int being, int x, int y, int depth, bool ignore_effects, bool ignore_beings);
bool can_open_closed_door(int being, int x, int y, int depth);
bool can_crush_closed_door(int being, int x, int y, int depth);
bool can_close_opened_door(int being, int x, int y, int depth);

} // namespace dravok
