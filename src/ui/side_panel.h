// The side panel's two lists: the items on the cell under the cursor and the quickslots. Called
// by the frame drawing.
#pragma once

namespace dravok {

int item_count_on_cell(int x, int y);
void show_items_on_ground(int being, int x, int y);
void show_quickslots(int being);

} // namespace dravok
