// The view after the end of a game.
#include "ui/end_of_game_view.h"

namespace dravok {

// not built yet: blanks the minimap, status and side panels when the game ends.
void clear_end_of_game_panels() {}

} // namespace dravok
