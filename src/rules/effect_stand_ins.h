// Stand-ins for the services the effect pipeline calls whose own units are still being built:
// the talent checks and memory, floating indicators and effect animations. Each keeps its final
// signature and does the least honest thing; an entry goes when its owner lands.
// Called by the effect pipeline.
#pragma once
#include <cstdint>
#include <string_view>

#include "records/layout.h"

namespace dravok {

// ---- talents ----

// ---- presentation ----
void add_indicator(int x, int y, std::string_view text, uint32_t colour, bool follow_being, int being);
void animate_effect_area(const teffect& effect);
// The image drawn for entry `entry` of the effect sprites in their brightest light; 0 while the
// tile set's variant offsets are not readable here (the effect keeps its frame).
uint16_t effect_sprite_image(int entry);

} // namespace dravok
