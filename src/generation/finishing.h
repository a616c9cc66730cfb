// Finishing the layout after the dig steps of one attempt: ending dead-end corridors,
// continuing or opening the open ends of templates, using up leftover and failed marks,
// smoothing natural areas, filling empty cells, checking doors, and the order of these passes
// with the connection passes (`finalize_dungeon`). Owner: the level generator; callers: level
// creation and the dig loop.
#pragma once

#include "generation/marks.h"

namespace dravok {

void finalize_dungeon(int depth);
bool create_terminating_area(int x, int y, int direction, int depth);
void terminate_deadends(int depth);
bool deadend_to_floor(int x, int y, int direction, int depth);
bool continue_corridor(int x, int y, int direction, int depth, bool room_fallback);
void terminate_hallways(bool vault_ends_too, int depth);
bool continue_hallway(int x, int y, int direction, int depth, bool wide);
bool continue_vault_deadend(int x, int y, int direction, int depth);
void mark_to_doorway(const tmark& mark, int depth);
void trim_areas(int depth);
void fix_naturals(int depth);

// The dressing of a finished level: its shops' containers opened, its areas dressed.
void open_shop_containers();
void dress_area(int area);

} // namespace dravok
