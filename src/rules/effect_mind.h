// The handlers that take hold of a being's mind: charm (it follows the charmer for a time),
// confusion (its attitudes are scrambled for a time), possession by the player's being and its
// breaking, and the turning of a being's undead followers against it. Reached through the
// effect dispatch.
#pragma once
#include "records/layout_level.h"
#include "records/layout_parts.h"

namespace dravok {

// Per being: (origin, being, effect, depth, out).
void apply_effect_charm(int origin, int being, const teffect& effect, int depth, teffect& out);
void apply_effect_confusion(int origin, int being, const teffect& effect, int depth, teffect& out);

// Once per use: (acting being, effect, origin, first being in the cells, depth).
void apply_effect_possess(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_possess_break(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_turn_undead_followers_hostile(int being, teffect& effect, int origin, int first, int depth);

} // namespace dravok
