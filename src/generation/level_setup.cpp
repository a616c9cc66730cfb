#include "generation/level_setup.h"

#include "generation/areas.h"

namespace dravok {

// Area texts come from the text database, which the generator does not read yet.
void set_area_texts() {}

// The bookkeeping this work can give: the area count, and the record copied back to `levels`.
void update_level(int) {
    level.area_count = static_cast<uint16_t>(area_high_index());
    if (level.index >= 1 && level.index < levels.size()) levels[level.index] = level;
}

} // namespace dravok
