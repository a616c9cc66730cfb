// Followers: recruiting a being and making it follow a master. Called by the dialog answers and
// the AI.
#pragma once

namespace dravok {

// True when the target agrees to follow the recruiter.
bool try_to_recruit(int target, int recruiter, int depth);
void set_as_follower(int follower, int master, int depth);
// Recounts the master's followers, summoned and animated servants and their health sums.
void count_followers(int master);

} // namespace dravok
