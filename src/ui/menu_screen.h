// The menu screen: the current menu's rows on the menu bitmap, the description panel beside it,
// the title (or the main menu's title picture), the creation counters and the footer line.
// Drawn by the frame drawing of the menu and key-capture modes.
#pragma once
#include <string>

#include "platform/bitmap.h"
#include "ui/menus.h"

namespace dravok {

extern Bitmap menu_layer, menu_info_panel;

// A label over a number (or a text) in a band of the given width, as the creation counters show.
void draw_points_box(Bitmap& bitmap, int x, int y, int value, const std::string& text,
                     const std::string& label, int width);
// The COST counter of an ability at score v: the refund for lowering it, "  |  ", the price of
// raising it; "X" where the score cannot move.
std::string ability_cost_text(int v);
// A checkbox ending at x (placement other than -1) or starting at x (placement -1).
void draw_checkbox(Bitmap& bitmap, int x, int y, bool disabled, bool inactive, bool checked, int placement);

} // namespace dravok
