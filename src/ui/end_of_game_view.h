// The view after the end of a game: the panels that go blank when the spectator takes over.
// Called by the end-of-game hand-over.
#pragma once

namespace dravok {

// Blanks the minimap, status and side panel bitmaps.
void clear_end_of_game_panels();

} // namespace dravok
