// The view after the end of a game. Until the panels land there is nothing to blank.
#include "ui/end_of_game_view.h"

namespace dravok {

void clear_end_of_game_panels() {}

} // namespace dravok
