// Drawing one pane of the list screens: its title band, its header and item rows with their
// hotkey letters, icons and colours, the cursor frame and the scroll bar. Called by the talent
// screen and the inventory screen.
#pragma once
#include "platform/bitmap.h"

namespace dravok {

// Draws pane 1..3 of the lister into the bitmap; gives the shown item rows their hotkeys.
void draw_lister(Bitmap& bitmap, int pane);

} // namespace dravok
