// The view after the end of a game.
#include "ui/end_of_game_view.h"

#include "ui/graphics.h"

namespace dravok {

// The spectator mode draws only the map and the log, so these keep black from here on.
void clear_end_of_game_panels() {
    clear_bitmap(minimap_bitmap);
    clear_bitmap(status_panel);
    clear_bitmap(side_panel);
}

} // namespace dravok
