// The status and look panels and the dialog partner's panel. Called by the
// frame drawing.
#pragma once
#include "platform/bitmap.h"

namespace dravok {

void draw_status_panel(int being);
void draw_look_panel(Bitmap& panel);
void draw_dialog_partner(Bitmap& panel);
// Forgets the look panel's kept description; a new or loaded game picks its texts afresh.
void forget_described_being();

} // namespace dravok
