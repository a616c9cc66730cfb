#include "world/indicators.h"

namespace dravok {

// not built yet: floating texts, indicators and the animations of cells, deaths and effects are not shown
void add_floating_text(int, int, std::string_view, uint32_t) {}
void add_floating_text(int, std::string_view, uint32_t) {}
void add_cell_animation(int, int, int, int, int) {}
void add_death_animation(int) {}

void add_indicator(int, int, std::string_view, uint32_t, bool, int) {}
void animate_effect_area(const teffect&) {}

} // namespace dravok

namespace dravok {

// not built yet: speech bubbles are neither shown nor kept, so one is always free
bool speech_bubble_free(int) {
    return true;
}
void add_speech_bubble(int, std::string_view) {}

} // namespace dravok
