// Steps away from a threat: the seven directions ordered away from the direction toward it, and
// the tries over them that keeping distance and fleeing share. Called by the attack and flight
// attempts.
#pragma once
#include <functional>

namespace dravok {

// Entry k (1..7) of the row for a threat in direction d (1..8): straight away, the two
// away-diagonals, the two sideways directions, the two toward-diagonals.
int escape_direction(int d, int k);
// Tries random picks among the first three entries of row d, then entries 1..ordered in order;
// the first direction whose neighbour `accept` takes is returned, 0 when none.
int pick_escape_direction(int being, int d, int random_picks, int ordered,
                          const std::function<bool(int x, int y)>& accept);

} // namespace dravok
