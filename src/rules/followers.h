// Followers and control of beings: who follows whom, letting followers go, seeking a master or
// a pack leader, the ends of charm, confusion and possession, the player's control stopping on
// hostiles or at rest, and blanking a being's path. Called by the decision chain, the scheduler,
// movement, the key controller, death and the effects that end.
#pragma once
#include "world/followers.h"

namespace dravok {

// Drops the link to the being's master.
void release_follower(int being);
// Lets every follower of the being go (at its death).
void release_followers(int being, int depth);
// The next follower of the master after index `after`; 0 when none.
int find_next_follower(int master, int after);
void end_charm(int being, bool release);
void end_confusion(int being);
// The being looks for a master or a pack leader among the beings it sees.
void seek_master(int being, int depth);
void seek_pack_leader(int being, int depth);
// Blanks both AI target records and the plan state byte.
void reset_being_path(int being);

// The player's control of a being: stopping the autopilot or a continuous walk, stopping a rest,
// and the end of a possession.
void stop_on_hostiles(int being, bool hostiles_seen);
void stop_resting(int being);
void end_possession(int being);
// Animated and summoned beings whose master is gone fall.
void check_animated_and_summoned(int master, int depth);

// Cells within the radius around the being's footprint (or the one cell (x, y)) holding a
// being other than the given one; (0, 0) means the being's own position.
int count_occupied_cells_around(int being, int x, int y, int radius);

// The shopkeeper keeping the shop whose furniture stands at (x, y); 0 when none.
int find_shopkeeper(int x, int y, int depth);

} // namespace dravok
