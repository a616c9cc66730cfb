// The list screens on screen: one pane of rows with hotkey letters, amounts, prices and the
// cursor frame; the inventory screen with its panes side by side and the information panel that
// describes the item under the cursor with its key hints, the carried weight and the coins.
// Called by the frame drawing and the side panel.
#pragma once
#include <string>

#include "platform/bitmap.h"
#include "records/layout_item.h"

namespace dravok {

// True when a title band was drawn.
bool draw_pane_title(Bitmap& bitmap, int pane);
void draw_lister(Bitmap& bitmap, int pane);
void draw_inventory_screen();
void draw_info_panel(Bitmap& bitmap);
// The information block of the item under the cursor: its description and, for the player's item
// in a weapon-set hand, that hand's figures.
std::string item_details_text(const titem& item);

} // namespace dravok
