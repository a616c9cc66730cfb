// Character creation and level-ups: the edited character sheet, the five creation menus' rows,
// the step machine between them, the point editors and the past characters. Called by the
// menu key handler and its row actions.
#pragma once
#include <string>

#include "records/layout_files.h"

namespace dravok {

// The sheet under creation or level-up, and the sheet of the game in progress.
extern tcharacter edited_character;
extern tcharacter game_character;

// The lowest and highest ability score of the point buy.
constexpr int least_ability_score = 4, greatest_ability_score = 20;
// The points an ability score costs when raised to it (or gives back when lowered from it).
int ability_point_cost(int score);

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
void handle_next_level_up(int row);
// "1" and the levels at which a talent point comes, from the counter start, over that many levels.
void list_talent_point_levels(int counter_start, int levels, std::string& out);
// The sheet's name from a name template; the row shows it.
void set_character_name(int row, const std::string& text);
void change_ability(int row, int step);
void change_skill(int row, int step);
void toggle_talent_choice(int row);
void reset_abilities();
void reroll_abilities();
void refresh_ability_menu_items();
// Blanks past character index (2..), saves the characters file and restarts creation.
void blank_past_character(int index);

} // namespace dravok
