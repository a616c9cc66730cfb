// The turns the creatures of a level missed while the player was away, replayed when the
// player comes back. Called by level arrival.
#pragma once

namespace dravok {

void ai_catch_up_rounds();

} // namespace dravok
