// The being-side checks and reveals the rules share: the skill check roll, the complaint of a
// probed mind, the history line of an encounter, and the creatures hidden as furniture that show themselves
// (mimics, coffin dwellers, living statues). Called by lock picking, trap disabling, searching, avoiding, the
// effect handlers, doors and the player's sight.
#pragma once

namespace dravok {

constexpr int skill_disable = 1, skill_dodge = 2, skill_magic = 3, skill_search = 6;

// d20 + current skill against the difficulty, with the penalties of hostiles seen and of the
// dark; the roll, target and total are kept in the being.
bool skill_check_roll(int being, int skill, int difficulty);
// A being whose mind was probed may complain and think less of the prober.
void mind_probe_oneliner(int prober, int target);
// The history notes the first meeting with a kind of creature (or with a unique one).
void log_encounter(int being);
// The being hidden in the furniture on (x, y) shows itself; its index, 0 when none.
int reveal_mimic(int revealer, int x, int y, int depth);
int reveal_coffin_being(int revealer, int x, int y, int depth);
int reveal_living_statue(int revealer, int x, int y, int depth);
// Statues, the stalagmite, the target dummy and the tube: furniture a living statue may hide in.
bool is_statue_like(int furniture);

} // namespace dravok
