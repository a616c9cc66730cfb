// Map features: splashes of blood and other liquids, the texts written on cells, secret doors
// and vault zones on the map. Called by damage and death, movement, the item decay and the
// generator's dressing.
#pragma once
#include <cstdint>
#include <string>

#include "records/layout_map.h"

namespace dravok {

// Splashes smeared from the being's cell onto the cell it moves to.
void smear_splashes(int being, int x, int y, int depth);
// A splash of the kind (0 blood) on a free floor cell, the being's own kind in its place; a
// blow of 10 or more also splashes the neighbour in the direction 1..8.
void add_splash(int x, int y, int being, int damage, int kind, int direction);
// A variant of the splash kind's sprite, other than the last one picked where it can be.
int pick_splash_image(int kind);
// The variant picked last per splash kind 1..8; level creation clears it so a level depends on
// its seed alone.
extern int32_t splash_last_image[9];
// The text written on a cell ("" when none); once: the text is removed after reading.
void get_cell_text(int x, int y, bool once, std::string& out);

// The text of an area's discovery text id.
std::string area_discovery_text(int area);
// The connected tunnel and cave floor from (x, y) takes the block.
void refloor_connected_cells(int x, int y, int block);

// The point on the edge of an area where its doorway opens (fallback: an area not yet stored).
void get_area_edge_point(int area, const tarea& fallback, int& out_x, int& out_y);
bool is_area_edge_point(int x, int y);
// Whether walking straight from (x, y) in the direction reaches the area within the steps,
// through cells of no area.
bool reaches_area_straight(int x, int y, int area, int steps, int direction);

} // namespace dravok
