// The follower counts of a master. Called whenever a being starts or stops following, and by
// the servants' check.
#pragma once

namespace dravok {

// Recounts the master's followers, summoned and animated servants and their health sums.
void count_followers(int master);

} // namespace dravok
