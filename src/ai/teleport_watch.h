// Beings that watch another use a teleporter and may follow it through. Called by the
// teleporter action.
#pragma once

namespace dravok {

bool can_help_see(int being, int user, int x, int y);
// Every watcher notes the teleporter at (x, y) and how long it will follow.
void sees_teleport_use(int user, int x, int y, int depth);

} // namespace dravok
