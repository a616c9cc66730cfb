// The handlers that work on things rather than minds: enchanting worn armour and wielded
// weapons or shields, unlocking a door or container, opening and closing the doors of the
// user's area, setting a trap from a kit, revealing an area's disappearing walls, unmasking its
// hidden creatures and a loud alarm. Once per use, reached through the effect dispatch.
#pragma once
#include "records/layout_level.h"
#include "records/layout_parts.h"

namespace dravok {

// (acting being, effect, origin, first being in the cells, depth).
void apply_effect_enchant_armor(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_enchant_weapon(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_knock(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_open_area_doors(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_close_area_doors(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_set_trap(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_reveal(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_transform(int being, teffect& effect, int origin, int first, int depth);
void apply_effect_alarm(int being, teffect& effect, int origin, int first, int depth);

} // namespace dravok
