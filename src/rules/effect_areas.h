// Effect areas: the cells an effect reaches from where its user stands, whether the aim is
// allowed, and how many beings it would hit. Called by the effect pipeline, the target mode on
// every cursor move, creatures weighing a talent or a shot, and the map view's range test.
#pragma once
#include <cstdint>

#include "records/layout_parts.h"

namespace dravok {

// Results of the latest calculate_effect_coordinates, reset by every call.
extern uint32_t effect_first_being;
extern int32_t effect_hit_count;
extern int32_t effect_friendly_hit_count;
extern uint8_t effect_target_invalid;

// A copy of the effect with its range rolled (when still 0) and its cell list filled toward
// (to_x, to_y). A from cell of (0, 0) is the user's position.
teffect calculate_effect_coordinates(int user, int from_x, int from_y, int to_x, int to_y,
                                     const teffect& effect, int depth);
// The target mode's form: the effect's cells from the being toward (x, y), written back into it.
void calculate_effect_coordinates(int being, int x, int y, teffect& effect);
// Whether (x, y) lies between the effect's minimum and evaluated range of the being.
bool is_cell_in_effect_range(int being, int x, int y, const teffect& effect);

} // namespace dravok
