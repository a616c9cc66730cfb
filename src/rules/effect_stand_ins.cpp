// Stand-ins of the effect pipeline's neighbours; see the header.
#include "rules/effect_stand_ins.h"

#include "world/globals.h"

namespace dravok {

void add_indicator(int, int, std::string_view, uint32_t, bool, int) {}
void animate_effect_area(const teffect&) {}
uint16_t effect_sprite_image(int) {
    return 0;
}

} // namespace dravok
