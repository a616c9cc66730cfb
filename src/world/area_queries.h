// What the rules and the AI ask of the current level's areas while the game runs: whether an
// area number is valid, the highest one, the search and scratch marks, and the neighbour a
// being may walk to next. The generator builds the areas (generation/areas.h); these only read
// them and their marks.
#pragma once

namespace dravok {

constexpr int area_corridor = 1, area_room = 2, area_circular = 3, area_ellipse = 4, area_polygon = 5,
              area_tunnel = 6, area_cave = 7, area_special = 8, area_vault = 9;
constexpr int door_unset = 0, door_empty = 1, door_opened = 2, door_closed = 3, door_locked = 4;

// Templates are entries 1.. of `vaults`; an empty table holds none.
int vault_template_count();
bool is_area_ok(int area);
int area_high_index();
// Clears every area's scratch value, and its search mark.
void clear_area_temp();
void clear_area_marks();
// The position (1..count) in list[1..count] of the area with the most exits; 0 when none.
int most_connected_area(const int* list, int count);
// A neighbour of the being's area not yet searched: with choice -1 the best connected, 0 a
// random one, n the n-th; corridors, occupied areas and closed doors only when allowed.
int pick_neighbour_area(int being, int choice, bool allow_corridors, bool allow_occupied, bool door_test);

} // namespace dravok
