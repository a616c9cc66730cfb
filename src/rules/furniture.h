// Doors, containers, switches, locks and traps: the furniture actions of beings.
// Called by the bump actions, the main commands, the AI and dialog answers.
#pragma once

namespace dravok {

// Opens a closed door or uses other furniture one step in the direction.
void toggle_furniture(int being, int direction, bool confirmed, int depth, bool trap_dialog_done);
// Closes the door one step in the direction; refused when a being is in the way.
void close_furniture(int being, int direction, bool confirmed, int depth);

} // namespace dravok
