// Who joins whom: a being made to follow a master, recruiting by the player, creatures that look
// for a master or a pack leader of their own, and summoned or animated servants that break free
// of a master who holds too many. Called by the dialog answers, the summoning and charm effects,
// the decision chain and the scheduler.
#pragma once

namespace dravok {

// The follower drops its old links and follows the master; nothing when the master is not valid.
void set_as_follower(int follower, int master, int depth);
// True when the target agrees to follow the recruiter (the caller then makes it follow).
bool try_to_recruit(int target, int recruiter, int depth);
// The being looks for a master or a pack leader among the beings it sees.
void seek_master(int being, int depth);
void seek_pack_leader(int being, int depth);
// Servants beyond what the master's spirit holds may break free.
void check_animated_and_summoned(int master, int depth);

} // namespace dravok
