// Level setup and bookkeeping: area texts and writing the current level's record back into
// `levels`. Owner: the level generator; callers: level creation and level changes.
#pragma once

namespace dravok {

void set_area_texts();
void update_level(int depth);
// Switches to the level named by the game's target level; false when it cannot be set up.
bool setup_level(int depth);
// Finishes a level change once the player's being stands on the level.
bool arrive_at_level(int depth);

} // namespace dravok
