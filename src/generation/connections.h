// Connections and doors: extra corridors from large one-exit rooms, doors into small dead ends
// made secret, secret doors at orphaned corridors, doorways to unconnected neighbours, doors
// through single walls, and the check whether a door may stay. Owner: the level generator;
// callers: the finishing passes.
#pragma once

namespace dravok {

bool fix_door(int x, int y);
int scan_connecting_corridor(int x, int y, int direction, int depth);
void connect_areas_with_corridors(int depth);
void doors_to_secret_doors(int depth);
void secret_doors_to_orphan_corridors(int depth);
void connect_areas(int depth);
void connect_areas_through_walls(int depth);

} // namespace dravok
