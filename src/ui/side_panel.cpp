#include "ui/side_panel.h"
#include "records/layout_map.h"

#include "ui/graphics.h"
#include "world/map.h"

namespace dravok {

int item_count_on_cell(int x, int y) {
    if (x < 1 || y < 1 || x > map_size || y > map_size) return 0;
    return map_cells(x, y).loose_items;
}
void show_items_on_ground(int, int, int) {
    // not built yet: the list of the items on the cell
    clear_bitmap(side_panel);
}
void show_quickslots(int) {
    // not built yet: the list of the quickslots
    clear_bitmap(side_panel);
}

} // namespace dravok
