#include "ui/panels.h"

#include "ui/graphics.h"

namespace dravok {

void draw_status_panel(int) {
    // not built yet: health, stamina and statuses
    clear_bitmap(status_panel);
}
void draw_look_panel(Bitmap& panel) {
    // not built yet: the description of what the cursor is on
    clear_bitmap(panel);
}

} // namespace dravok
