// Character creation and level-ups; see character_creation.h.
#include "rules/character_creation.h"

#include <algorithm>

namespace dravok {

tcharacter edited_character{};
tcharacter game_character{};

int ability_point_cost(int score) {
    // Scores 4..11 cost one point each; above that the price climbs.
    static constexpr int above_11[] = {2, 2, 3, 3, 3, 4, 5, 7, 8}; // 12..20
    if (score <= 11) return 1;
    return above_11[std::min(score, greatest_ability_score) - 12];
}

void start_character_creation() {
    // not built yet: character creation from the main menu
}
void setup_character_menu() {
    // not built yet: the rows of the character menu
}
void setup_race_menu() {
    // not built yet: the rows of the race menu
}
void setup_abilities_menu() {
    // not built yet: the rows of the abilities menu
}
void setup_skills_menu() {
    // not built yet: the rows of the skills menu
}
void setup_talents_menu() {
    // not built yet: the rows of the talents menu
}
void handle_creation_continue(int) {
    // not built yet: the next step of character creation
}
void handle_creation_back() {
    // not built yet: one step back in character creation
}
void reset_talent_choices() {
    // not built yet: leaving a level-up's talent choices
}
void handle_next_level_up(int) {
    // not built yet: the next step of a level-up
}
void list_talent_point_levels(int, int, std::string& out) {
    // not built yet: the levels at which talent points come
    out.clear();
}
void set_character_name(int, const std::string&) {
    // not built yet: a random name for the character
}
void change_ability(int, int) {
    // not built yet: raising and lowering an ability
}
void change_skill(int, int) {
    // not built yet: raising and lowering a skill
}
void toggle_talent_choice(int) {
    // not built yet: choosing a talent
}
void reset_abilities() {
    // not built yet: resetting the abilities
}
void reroll_abilities() {
    // not built yet: rerolling the abilities
}
void refresh_ability_menu_items() {
    // not built yet: the ability rows' figures
}
void blank_past_character(int) {
    // not built yet: deleting a past character
}

} // namespace dravok
