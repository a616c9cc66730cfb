// Portals: placing the stairs and teleporters that link levels. Owner: the level generator;
// callers: level creation. Comes with its own work; until then it places nothing.
#pragma once

namespace dravok {

void set_portals(int depth);

} // namespace dravok
