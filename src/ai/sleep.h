// The sleep cycle of creatures: idle turns, falling asleep and waking up. Called by the
// decision chain, and by the rules when a sound, a push or an answer wakes a being.
#pragma once

namespace dravok {

void ai_idle(int being, bool acted);
bool ai_may_sleep(int being);
void ai_fall_asleep(int being);
void ai_wake_up(int being, int depth);

} // namespace dravok
