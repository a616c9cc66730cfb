// Spawning: once per player turn, new creatures may arrive at a portal of the level.
// Called by the round scheduler.
#pragma once

namespace dravok {

void spawn_beings(int depth);

} // namespace dravok
