// The handlers that hurt: direct damage with its dodge test, damage landing on furniture that
// hides a creature, holy damage to the undead of an area, poison and disease with their lasting
// records, the restraining web and slime, and the rescue from death by die hard. Reached
// through the effect dispatch.
#pragma once
#include "records/layout_level.h"
#include "records/layout_parts.h"

namespace dravok {

// Per being: (origin, being, effect, depth, out).
void apply_effect_damage(int origin, int being, const teffect& effect, int depth, teffect& out);
void apply_effect_poison(int origin, int being, const teffect& effect, int depth, teffect& out);
void apply_effect_disease(int origin, int being, const teffect& effect, int depth, teffect& out);
void apply_effect_slime(int origin, int being, const teffect& effect, int depth, teffect& out);
void apply_effect_web(int origin, int being, const teffect& effect, int depth, teffect& out);
// Damage on (x, y), a cell with furniture and no being.
void apply_effect_damage_furniture(int origin, int x, int y, const teffect& effect, int depth, teffect& out);

// Once per use: (acting being, effect, origin, first being in the cells, depth).
void apply_effect_damage_undead(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_die_hard(int being, teffect& effect, int origin, int first, int depth);

} // namespace dravok
