// The key handler of target mode: cycling through targets, moving the cursor, jumping to
// containers, turning the aim into an attack, switching to the autopilot and carrying the aim
// out. Called by the key dispatch.
#pragma once

namespace dravok {

void handle_target_commands(int being, int command, int key, int modifier);

} // namespace dravok
