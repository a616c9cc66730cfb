// Doors, containers, switches, locks and traps: the furniture actions of beings.
// Called by the bump actions, the main commands, the AI and dialog answers.
#pragma once

namespace dravok {

// Opens a closed door or uses other furniture one step in the direction.
void toggle_furniture(int being, int direction, bool confirmed, int depth, bool trap_dialog_done);
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
