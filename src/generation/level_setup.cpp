#include "generation/level_setup.h"

#include "generation/areas.h"
#include "generation/level_creation.h"
#include "generation/standin_world.h"
#include "world/globals.h"

namespace dravok {

// Area texts come from the text database, which the generator does not read yet.
void set_area_texts() {}

// The bookkeeping this work can give: the area count, and the record copied back to `levels`.
void update_level(int) {
    level.area_count = static_cast<uint16_t>(area_high_index());
    if (level.index >= 1 && level.index < levels.size()) levels[level.index] = level;
}

bool setup_level(int depth) {
    // not built yet: level files, followers travelling along and the map effects of the old level
    if (game.target_level < 1 || game.target_level >= levels.size()) return false;
    level = levels[game.target_level];
    map_size = level.map_size;
    create_level(depth);
    return area_high_index() >= 1;
}

bool arrive_at_level(int) {
    // not built yet: arrival messages, beings in transfer and the scheduled level events
    return true;
}

} // namespace dravok
