// The status and look panels and the dialog partner's panel. Called by the
// frame drawing.
#pragma once
#include "platform/bitmap.h"

namespace dravok {

void draw_status_panel(int being);
void draw_look_panel(Bitmap& panel);
void draw_dialog_partner(Bitmap& panel);

} // namespace dravok
