// Round and irregular areas: circular, elliptic and polygonal rooms, tunnels and caves.
// Owner: the level generator; callers: the dig loop and the finishing passes. The builders
// arrive with their own work; until then each builds nothing and reports so.
#pragma once

namespace dravok {

bool create_circular(int x, int y, int direction, int depth);
bool create_ellipse(int x, int y, int direction, int depth);
bool create_polygon(int x, int y, int direction, int depth);
bool create_natural(int x, int y, int direction, int depth, int kind);
bool natural_step(int x, int y, int value);

} // namespace dravok
