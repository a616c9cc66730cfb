// How far the generator can dig straight from a cell before it meets the map edge or a dug
// cell. Called by the corridor and room builders.
#pragma once

namespace dravok {

// Steps from (x, y) in main direction 1..4 to the first cell off the map or already dug.
int get_free_run(int x, int y, int direction);

} // namespace dravok
