// Creature one-liners: what a creature says on its turn (called by the decision chain), what the
// beings near a situation say or remember of it, and a dying being's last words (called by the
// rules of damage, death and traps).
#pragma once

namespace dravok {

void ai_oneliners(int being, bool in_cell);

// A situation a being finds itself in (a follower sees its master fall...), said as a one-liner
// by the being or its followers.
void add_situation_or_oneliner(int being, int other, int situation, bool followers_only, int trigger,
                               int value);
// The last words of a dying being and what its witnesses say.
void say_death_lines(int being, int killer, int depth);

} // namespace dravok
