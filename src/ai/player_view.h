// The player's field of view and the exploration of the map. Called by update_lights.
// Until the player's view lands the commanded being sees through its own sight pass, so
// can_see answers for it as for any creature.
#pragma once

namespace dravok {

void update_player_view(int being);

} // namespace dravok
