#include "ui/book_screens.h"

#include "ui/graphics.h"

namespace dravok {

void draw_book() {
    // not built yet: the pages of a book
    clear_bitmap(screen_bitmap);
}
void draw_help_screen() {
    // not built yet: the help screen's key list
    clear_bitmap(screen_bitmap);
}

} // namespace dravok
