// Followers and their masters: the master link and the counts of a master's followers, and the
// count of beings crowding a spot. Called by the effect handlers, recruiting, the creature
// decisions and the level code.
#pragma once
#include "world/followers.h"

namespace dravok {

// Control goes back from the possessed being to its possessor's own body.
void end_possession(int being);
// Cells within the radius around the being's footprint (or the one cell (x, y)) holding a
// being other than the given one; (0, 0) means the being's own position.
int count_occupied_cells_around(int being, int x, int y, int radius);

} // namespace dravok
