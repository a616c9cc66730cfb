// Placement requests and stuff rows: placing the level record's own rows. Owner: the level
// generator; callers: level creation. Comes with its own work; until then it places nothing.
#pragma once

namespace dravok {

void add_level_stuff(int depth);

} // namespace dravok
