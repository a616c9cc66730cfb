// The character sheet being edited by character creation and level-ups: the new sheet, the
// race, the point-buy and rerolled abilities, skill and talent points, talent choices and
// their requirements, and the sheet filled from a being. The creation menus edit the sheet
// only through these, so the point rules hold whatever key path leads here.
#pragma once
#include <string>
#include <string_view>

#include "records/layout_files.h"
#include "records/layout_parts.h"

namespace dravok {

// The sheet being edited, the blank sheet, and the sheet of the game in progress.
extern tcharacter edited_character;
extern const tcharacter blank_character;
extern tcharacter game_character;
// Copies of the edited sheet taken when a step is confirmed; going back restores them.
extern tcharacter race_snapshot, abilities_snapshot, skills_snapshot, level_up_snapshot;

constexpr int least_ability_score = 4, greatest_ability_score = 20;
constexpr int point_buy_start_score = 6, point_buy_points = 30;

// Key ability of each skill 1..7 (disable, dodge, magic, melee, ranged, search, stealth).
int key_ability_of_skill(int skill);
// Points a score costs when raised to it, or refunds when lowered from it.
int ability_point_cost(int score);

// The letters, digits, blanks and hyphens of the text, trimmed and cut to 20 characters.
std::string name_safe_text(std::string_view text);
// A new creation sheet: date now, level 1, the default or a drawn name.
void new_character_sheet();
// The sheet's name from a template or typed text, cut to 30 characters.
void set_sheet_name(const std::string& text);
// Takes the race plan and its image fields, resets the abilities and grants the race's talents.
void choose_race(int plan, int image, int first_image, int image_count);

void reset_abilities();
void reroll_abilities();
// Raises or lowers base ability k by step while the points allow; false when refused.
bool change_ability_score(int ability, int step);
// The ability totals and their modifiers written to the sheet.
void refresh_sheet_abilities();
// The step behind "Continue" in the abilities menu: points, health, stamina, skills, talents.
void confirm_abilities();

// The upper limit of skill k on the sheet: level + key ability modifier.
int sheet_skill_maximum(int skill);
// Raises or lowers skill k by step within its limits while the points allow.
bool change_skill_value(int skill, int step);

// The talent's requirements against the edited sheet.
bool sheet_meets_talent_requirements(int talent);
// The requirement lines shown with a talent row.
std::string talent_requirement_text(int talent);
// Marks available every talent not owned whose requirements hold.
void refresh_talent_availability();
// Chooses or unchooses a talent; unchoosing also drops choices that then fail.
bool toggle_sheet_talent(int talent);

// A sheet from a being: its name, race, level, health, stamina, abilities, skills, talents.
void fill_character_stats(int being, int depth, tcharacter& out);

// The list of past characters (entry 1 the last played).
int count_past_characters();
int find_past_character_by_date(double date);

// "Reached experience level" and the like need the sheet's date stamps.
double date_now();

} // namespace dravok
