// Rooms: the rectangular room builder and the merging of its walls into neighbouring rooms.
// Owner: the level generator; callers: the dig loop and the finishing passes.
#pragma once

namespace dravok {

struct shape_bounds;

bool create_room(int x, int y, int direction, int depth);
void merge_rooms(const shape_bounds& bounds, int area, int depth);
bool can_merge_vertical(int x, int y, bool chance_a, bool chance_b);
bool can_merge_horizontal(int x, int y, bool chance_a, bool chance_b);

} // namespace dravok
