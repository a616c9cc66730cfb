// Dead ends of the finished layout: ending a corridor with a new area, opening it into the
// floor ahead, or leading it on to the next area. Owner: the level generator; callers: the
// finishing passes and the mark doorways.
#pragma once

namespace dravok {

bool create_terminating_area(int x, int y, int direction, int depth);
void terminate_deadends(int depth);
bool deadend_to_floor(int x, int y, int direction, int depth);
bool continue_corridor(int x, int y, int direction, int depth, bool room_fallback);

} // namespace dravok
