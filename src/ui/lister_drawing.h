// The list screens on screen: one pane of rows with hotkey letters, amounts, prices and the
// cursor frame; the inventory screen with its panes side by side and the information panel that
// describes the item under the cursor with its key hints, the carried weight and the coins.
// Called by the frame drawing and the side panel.
#pragma once
#include "platform/bitmap.h"

namespace dravok {

// True when a title band was drawn.
bool draw_pane_title(Bitmap& bitmap, int pane);
void draw_lister(Bitmap& bitmap, int pane);
void draw_inventory_screen();
void draw_info_panel(Bitmap& bitmap);

} // namespace dravok
