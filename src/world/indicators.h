// The passing marks the rules and the AI leave on the map for the eye: floating texts over a
// cell or a being, cell animations and the fall of a dying being. They change nothing in the
// game; the interface draws them once they land. Called by damage, combat, sleep and the
// decision chain.
#pragma once
#include <cstdint>
#include <string_view>

#include "records/layout.h"

namespace dravok {

constexpr uint32_t floating_red = 0xFF0000;

// A floating text over the cell (x, y), in the given colour (0xRRGGBB).
void add_floating_text(int x, int y, std::string_view text, uint32_t colour);
// A floating text over a being, in the given colour (0xRRGGBB), drawn where seen.
void add_floating_text(int being, std::string_view text, uint32_t colour);
// A cell animation of the kind at (x, y).
void add_cell_animation(int x, int y, int kind, int ticks_per_frame, int repeats);
void add_death_animation(int being);

// A floating indicator over (x, y), or following the being.
void add_indicator(int x, int y, std::string_view text, uint32_t colour, bool follow_being, int being);
// Whether a speech bubble can show the being's words now, and the bubble itself.
bool speech_bubble_free(int being);
void add_speech_bubble(int being, std::string_view text);
// The animation of an effect over its area.
void animate_effect_area(const teffect& effect);

} // namespace dravok
