// Map features: splashes of blood and other liquids, the texts written on cells, secret doors
// and vault zones on the map. Called by damage and death, movement, the item decay and the
// generator's dressing.
#pragma once
#include <string>

namespace dravok {

// Splashes smeared from the being's cell onto the cell it moves to.
void smear_splashes(int being, int x, int y, int depth);
void add_splash(int x, int y, int being, int damage, int kind, int direction);
// The text written on a cell ("" when none); once: the text is removed after reading.
void get_cell_text(int x, int y, bool once, std::string& out);

} // namespace dravok
