// The large one-line banners across the middle of the map view: death, victory, level-up and
// resting. Drawn onto the effects layer by the frame composition, over everything else.
#pragma once
#include <string>

namespace dravok {

// The texts by the spectator ticks and the run state.
std::string death_banner_text();
std::string victory_banner_text();
std::string resting_banner_text();

void draw_death_banner();
void draw_victory_banner();
void draw_level_up_banner();
// Also marks the resting banner as shown, which keeps the map unchanged while the rest goes on.
void draw_resting_banner();

} // namespace dravok
