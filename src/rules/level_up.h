// Level-ups: the player's levels gained from experience, written back from the sheet once the
// skills and talents are chosen; the automatic levels of companions and recruitable beings;
// the talent-point rule and its list of levels for the summaries. Called by the level-up pause
// of the window, the creation menus' level-up steps and the level generator.
#pragma once
#include <string>

namespace dravok {

// Applies the levels the player's own character gained and opens the skills menu.
void setup_level_up(int being);
// Applies every level the experience allows to the being and fills the edited sheet with the
// result and its rolled health and stamina; the number of levels gained.
int gain_pending_levels(int being, int depth);
// Writes the finished sheet back into the player's own character (the talents "Continue").
void finish_level_up(int depth);
void level_up_being_once(int being);
// Levels the beings following the master (serial 0: those without one) to one below the
// player's highest level; with a being given, only that one.
void level_up_recruitable_beings(int master_serial, int being, int depth);
// Talent points earned over the levels from level 1, the counter starting at counter_start.
int talent_points_for_levels(int counter_start, int level_count);
void list_talent_point_levels(int counter_start, int level_count, std::string& out);

} // namespace dravok
