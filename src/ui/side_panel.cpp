#include "ui/side_panel.h"
#include "records/layout_map.h"

#include "ui/graphics.h"
#include "ui/lister_drawing.h"
#include "ui/lister_model.h"
#include "world/map.h"
#include "world/map_grid.h"

namespace dravok {

int item_count_on_cell(int x, int y) {
    if (x < 1 || y < 1 || x > map_size || y > map_size) return 0;
    return map_cells(x, y).loose_items;
}

void show_items_on_ground(int being, int x, int y) {
    if (item_count_on_cell(x, y) == 0) {
        clear_bitmap(side_panel);
        return;
    }
    // The side panel is the list model's first pane, with no pane current.
    lister.partner = 0;
    lister.panes[1] = tlister_pane{};
    tlister_pane& p = lister.panes[1];
    p.title = "Items on ground";
    p.kind = list_ground;
    p.owner = being;
    p.side_panel = true;
    p.x = x;
    p.y = y;
    set_pane_columns(1);
    create_lister(1);
    lister.pane_count = 1;
    lister.current = 0;
    draw_lister(side_panel, 1);
}

void show_quickslots(int being) {
    lister.partner = 0;
    lister.panes[1] = tlister_pane{};
    tlister_pane& p = lister.panes[1];
    p.kind = list_quickslots;
    p.owner = being;
    p.side_panel = true;
    create_lister(1);
    lister.pane_count = 1;
    lister.current = 0;
    draw_lister(side_panel, 1);
}

} // namespace dravok
