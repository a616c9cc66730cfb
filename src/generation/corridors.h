// Corridors: the straight corridor builder with its space test and its test against running
// alongside another corridor. Owner: the level generator; callers: the dig loop, the
// finishing and connection passes.
#pragma once

namespace dravok {

bool create_corridor(int x, int y, int direction, int depth);
bool scan_corridor_space(int x, int y, int direction, int depth, int start);
bool near_area_wall(int x, int y, int direction, int n);

} // namespace dravok
