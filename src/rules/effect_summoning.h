// The handlers that bring beings into the level or take them out: summoning by kind,
// challengers chosen by the dungeon level, undead raised from corpses and bones, a clone of the
// user, the activation of a dormant golem and the banishment of summoned hostiles. Once per
// use, reached through the effect dispatch.
#pragma once
#include "records/layout_level.h"
#include "records/layout_parts.h"

namespace dravok {

// (acting being, effect, origin, first being in the cells, depth).
void apply_effect_summon(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_challenge(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_animate(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_clone(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_activate_golem(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_banishment(int being, teffect& effect, int origin, int first, int depth);

} // namespace dravok
