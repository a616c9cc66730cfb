#include "world/item_placement.h"

#include "world/globals.h"
#include "world/map.h"

namespace dravok {

void recount_cell_items(int x, int y) {
    if (!on_map(x, y, 0)) return;
    uint16_t loose = 0, held = 0;
    for (std::size_t i = 1; i < level_items.size(); ++i) {
        const titem& item = level_items[i];
        if (item.plan == 0 || item.x != x || item.y != y) continue;
        if (item.holder != 0) ++held;
        else ++loose;
    }
    tcell& c = cell_at(x, y);
    c.loose_items = loose;
    c.held_items = held;
}

// The damage conversion belongs to the item rules; until they land items keep their damage.
void holy_to_necrotic_items(int being) {}
void necrotic_to_holy_items(int being) {}

} // namespace dravok
