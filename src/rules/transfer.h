// Followers between levels: the player's being and every being going along are lifted out of
// the level being left into the transfer buffers, and put down round the player's arrival cell
// one per round, the player's being first. Called by level setup, the portals and the round
// scheduler (when the next arrival is due), and by saving.
#pragma once

namespace dravok {

bool follows_to_next_level(int being);
void store_transfer_beings(int depth);
// The new being index, 0 when the being could not be added.
int place_transfer_being(int slot, int x, int y, int depth);
// Places one waiting being.
void restore_transfer_beings(int depth);
// Puts every waiting being down on the current level before the player leaves it again.
void force_transfer_beings(int depth);
// Closes the gaps in the buffers before a save is written.
void compact_transfer_beings();

} // namespace dravok
