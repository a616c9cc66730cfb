// Attitudes and fear between beings. Called by the rules wherever one being reacts to another.
#pragma once

namespace dravok {

// A being that would defend `other` against `being`; 0 when none.
int find_defender(int being, int other);

} // namespace dravok
