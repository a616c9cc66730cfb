// The handlers that adjust a being's numbers: abilities, skills, resistances, movement,
// heroism, stoneskin, mobility, regeneration (per being, again after every recomputation), and
// the once-per-use boosts, healing, stamina, antidote and experience. Reached through the
// effect dispatch.
#pragma once
#include "records/layout_level.h"
#include "records/layout_parts.h"

namespace dravok {

// Per being: (origin, being, effect, depth, out).
void apply_effect_adjust_ability(int origin, int being, const teffect& effect, int depth, teffect& out);
void apply_effect_adjust_skill(int origin, int being, const teffect& effect, int depth, teffect& out);
void apply_effect_adjust_resistance(int origin, int being, const teffect& effect, int depth, teffect& out);
void apply_effect_adjust_movement(int origin, int being, const teffect& effect, int depth, teffect& out);
void apply_effect_stoneskin(int origin, int being, const teffect& effect, int depth, teffect& out);
void apply_effect_heroism(int origin, int being, const teffect& effect, int depth, teffect& out);
void apply_effect_mobility(int origin, int being, const teffect& effect, int depth, teffect& out);
void apply_effect_regeneration(int origin, int being, const teffect& effect, int depth, teffect& out);

// Once per use: (acting being, effect, origin, first being in the cells, depth).
void apply_effect_boost_ability(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_gain_experience(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_health_surge(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_restore_health(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_restore_stamina(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_antidote(int being, teffect& effect, int origin, int first, int depth);

} // namespace dravok
