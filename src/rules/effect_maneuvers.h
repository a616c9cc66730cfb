// The handlers that move beings or chain attacks: the short blink and the long teleport of the
// user, pulling a being of the level into the user's room, and the combat maneuvers of talents
// (charge, leap, retreat, dualstrike, multistrike, dualshot, multishot). Once per use, reached
// through the effect dispatch.
#pragma once
#include "records/layout_level.h"
#include "records/layout_parts.h"

namespace dravok {

// (acting being, effect, origin, first being in the cells, depth).
void apply_effect_blink(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_teleport(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_teleport_level_being(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_charge(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_leap(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_retreat(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_dualstrike(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_multistrike(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_dualshot(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_multishot(int being, teffect& effect, int origin, int first, int depth);

} // namespace dravok
