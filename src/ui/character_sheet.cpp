#include "ui/character_sheet.h"

#include "ui/graphics.h"

namespace dravok {

void build_character_sheet() {
    // not built yet: the character sheet's figures
}
void draw_character_sheet() {
    // not built yet: the character sheet screen
    clear_bitmap(screen_bitmap);
}

} // namespace dravok
