// Floor symbols: pictures of W x H cells laid on an area's floor by content rows. Their size
// comes from the name of the symbol's first tile-set entry (the text section of overlay
// names). Owner: the level generator; callers: the stuff rows and the content placement.
#pragma once

#include <string_view>

#include "records/layout_parts.h"

namespace dravok {

// The size written in a symbol's name ("..._<W>x<H>_<NN>", W and H 1..9); false when the name
// holds none. The database builder checks the content's names with it.
bool parse_floor_symbol_size(std::string_view name, int& width, int& height);
// The size in the name of overlay entry `entry`.
bool floor_symbol_size(int entry, int& width, int& height);
// Whether the row's symbol fits round the centre of the area (or of its zone).
bool floor_symbol_fits(const tstuff& row, int area);
// Lays the symbol when it fits: every cell counts as a placed piece and the area is marked.
void place_floor_symbol(const tstuff& row, int area, tstuff& out);

} // namespace dravok
