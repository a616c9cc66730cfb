// Changing levels: leaving the old level (followers lifted out, bookkeeping, level file written),
// making the target level current (created on the first visit, else read from its file),
// bringing the player's being onto it, and the level's bookkeeping and names. Owner: levels in
// play; callers: level creation, portals, new and loaded games, saving.
#pragma once
#include <string>

namespace dravok {

// True when the target level of `game` is ready (created without abort, or loaded).
bool setup_level(int depth);
// True when the player's being was found on the level after the transfer.
bool arrive_at_level(int depth);
void update_level(int depth);
// Names the current level for messages ("at dungeon level 3"); out is left as it is for an index
// outside `levels`.
void where_text(int level_index, std::string& out);

} // namespace dravok
