// Taking one of the level's portals the way a player does at the stairs: the character put
// beside the portal (the walk there is not what these tests are about), the bump into it and
// "Yes". Shared by the tests that play on a deeper level of a game started from the main menu.
#pragma once
#include "support/game_start.h"

namespace dravok::testing {

// True when the character arrived on the target level through a portal of the current one.
bool take_portal_to(started_game& game, int target_level);

} // namespace dravok::testing
