// Character creation and level-ups in the menus: the five creation menus' rows, the step
// machine between them, the point editors on the rows and the past characters. The point
// rules themselves are the sheet's (character_sheet.h). Called by the menu key handler and
// its row actions.
#pragma once
#include <string>

#include "rules/character_sheet.h"

namespace dravok {

// A new sheet, the past characters loaded, then the character or the race menu.
void start_character_creation();
// The rows of menus 6 to 10.
void setup_character_menu();
void setup_race_menu();
void setup_abilities_menu();
void setup_skills_menu();
void setup_talents_menu();
// The step machine: on to the next step from the row, one step back, or back out of a level-up.
void handle_creation_continue(int row);
void handle_creation_back();
void reset_talent_choices();
// The level-up's step behind the row ("Continue" in the skills and talents menus).
void handle_next_level_up(int row);
// The sheet's name from a name template; the row shows it.
void set_character_name(int row, const std::string& text);
void change_ability(int row, int step);
void change_skill(int row, int step);
void toggle_talent_choice(int row);
void refresh_ability_menu_items();
// Blanks past character index (2..), saves the characters file and restarts creation.
void blank_past_character(int index);
// The race menu's description of a playable plan.
std::string race_info_text(int plan);

} // namespace dravok
