// Map features: splashes of blood and other liquids, the texts written on cells, secret doors
// and vault zones on the map. Called by damage and death, movement, the item decay and the
// generator's dressing.
#pragma once
#include <string>

#include "records/layout_map.h"

namespace dravok {

// Splashes smeared from the being's cell onto the cell it moves to.
void smear_splashes(int being, int x, int y, int depth);
void add_splash(int x, int y, int being, int damage, int kind, int direction);
// The text written on a cell ("" when none); once: the text is removed after reading.
void get_cell_text(int x, int y, bool once, std::string& out);

// The text of an area's discovery text id.
std::string area_discovery_text(int area);

// The point on the edge of an area where its doorway opens (fallback: an area not yet stored).
void get_area_edge_point(int area, const tarea& fallback, int& out_x, int& out_y);
bool is_area_edge_point(int x, int y);
// Whether walking straight from (x, y) in the direction reaches the area within the steps,
// through cells of no area.
bool reaches_area_straight(int x, int y, int area, int steps, int direction);

} // namespace dravok
