// Doors, containers, switches, locks and traps: the furniture actions of beings on a
// neighbouring cell. Called by the bump actions, the main commands, the AI and dialog answers
// (which call again with the confirmed or trap-dialog flag set).
#pragma once

namespace dravok {

// Opens, crushes or unlocks a closed door, opens a container, flips a light or a switch one step
// in the direction.
void toggle_furniture(int being, int direction, bool confirmed, int depth, bool trap_dialog_done);
void open_door(int being, int x, int y, int depth, bool silent);
void crush_door(int being, int x, int y, int depth);
void open_furniture_container(int being, int x, int y, int depth);
// Closes the door one step in the direction; refused when a being is in the way.
void close_furniture(int being, int direction, bool confirmed, int depth);
// Picks the lock of the furniture one step in the direction.
void disable_furniture(int being, int thing, bool confirmed, int depth);
// Forces the locked furniture one step in the direction open.
void force_furniture(int being, int thing, bool confirmed, int depth);
// Tries to disable the known trap one step in the direction.
void disable_trap(int being, int direction, int depth);
// Flicks the switch one step in the direction.
void toggle_switch(int being, int thing, int depth, bool confirmed);

} // namespace dravok
