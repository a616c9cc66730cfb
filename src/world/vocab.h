// The program's own display vocabularies that no content file holds: the shown names of the
// statuses with their harmful marks, and the minimap's colours of blocks and furniture.
// Read by the status and look panels, the minimap and the texts that list statuses.
#pragma once
#include <string_view>

#include "platform/colour.h"

namespace dravok {

// The name a status is shown by, "-" for one never shown (and for numbers out of range).
std::string_view status_display_name(int status);
bool status_harmful(int status);
// The minimap colour of a block kind (walls and floors) and of a furniture kind (0: not shown).
Colour block_minimap_colour(int block);
Colour furniture_minimap_colour(int furniture);

} // namespace dravok
