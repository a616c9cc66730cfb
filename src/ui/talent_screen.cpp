#include "ui/talent_screen.h"

#include "ui/graphics.h"

namespace dravok {

void draw_talent_screen() {
    // not built yet: the talent screen
    clear_bitmap(screen_bitmap);
}

} // namespace dravok
