// The talent screen (game mode 8): the talents of the being on the left, the talent under the
// cursor described on the right. Called by the frame drawing.
#pragma once
#include "platform/bitmap.h"

namespace dravok {

void draw_talent_screen();
// The description of the talent under the list cursor, from row y of the bitmap.
void draw_talent_info(Bitmap& bitmap, int y);

} // namespace dravok
