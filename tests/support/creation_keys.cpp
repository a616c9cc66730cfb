// Creation keys for tests; see creation_keys.h.
#include "support/creation_keys.h"

#include <gtest/gtest.h>

#include "rules/character_sheet.h"
#include "ui/key_bindings.h"
#include "world/beings.h"
#include "world/game_modes.h"
#include "world/menu_model.h"
#include "world/player.h"
#include "world/tables.h"

namespace dravok::testing {

std::string selected_text() {
    const int r = selected_menu_row();
    return r >= 1 ? menu_items[r].text : "";
}

void press_command(started_game& game, int command) {
    const tkeybinding b = keybindings[command][0];
    game.press(b.key, tshift_state{b.modifier == key_shift, b.modifier == key_ctrl, b.modifier == key_alt});
}

bool move_to(started_game& game, const std::string& text) {
    for (int i = 0; i < 80 && selected_text() != text; ++i)
        game.press(key_down);
    return selected_text() == text;
}

bool start_new_game(started_game& game) {
    if (!move_to(game, "NEW GAME")) return false;
    game.press(key_enter);
    if (menu.id == menu_character) game.press(key_enter); // "Create a new character"
    if (menu.id != menu_race) return false;
    game.press(key_down); // from the name row to the first race
    game.press(key_enter);
    for (const int expected : {menu_abilities, menu_skills}) {
        if (menu.id != expected) return false;
        game.press(key_end); // "Continue"
        game.press(key_enter);
    }
    if (menu.id != menu_talents) return false;
    game.press(key_end);
    if (selected_text() != "Play") return false;
    game.press(key_enter);
    return game_mode == mode_main && player >= 1;
}

created create_through_keys(started_game& game, const std::string& shots, const std::string& last_row) {
    created out;
    EXPECT_TRUE(move_to(game, "NEW GAME"));
    game.press(key_enter);
    // With past characters kept, the character menu comes first.
    if (menu.id == menu_character) {
        EXPECT_EQ(selected_text(), "Create a new character");
        game.press(key_enter);
    }
    EXPECT_EQ(menu.id, menu_race);
    // The name row: typed over the drawn name.
    EXPECT_EQ(menu_items[selected_menu_row()].action, 36);
    game.press(key_space);
    EXPECT_EQ(game_mode, mode_string);
    for (int i = 0; i < 40; ++i)
        game.press(key_backspace);
    game.press_shift('M');
    for (char c : std::string("ORWEN"))
        game.press(c);
    game.press(key_enter);
    EXPECT_EQ(edited_character.name.view(), "Morwen");
    game.press(key_down);
    if (!shots.empty()) game.screenshot(shots + "race");
    const int race = menu_items[selected_menu_row()].id;
    game.press(key_enter);
    EXPECT_EQ(menu.id, menu_abilities);
    EXPECT_EQ(edited_character.race_plan, race);
    // Motion up as far as the points go: the skills it keys can then rise.
    for (int i = 0; i < 10; ++i)
        game.press(key_up);
    game.press(key_down);
    EXPECT_EQ(menu_items[selected_menu_row()].id, 2);
    for (int i = 0; i < 20; ++i)
        game.press(key_right);
    if (!shots.empty()) game.screenshot(shots + "abilities");
    game.press(key_end);
    EXPECT_EQ(selected_text(), "Continue");
    game.press(key_enter);
    EXPECT_EQ(menu.id, menu_skills);
    // One point into the first skill that can rise.
    for (int i = 0; i < 10; ++i)
        game.press(key_up);
    for (int i = 0; i < skill_count && menu_items[selected_menu_row()].disabled; ++i)
        game.press(key_down);
    game.press(key_right);
    if (!shots.empty()) game.screenshot(shots + "skills");
    game.press(key_end);
    game.press(key_enter);
    EXPECT_EQ(menu.id, menu_talents);
    // The cursor stands on the first talent while points are left.
    const int r = selected_menu_row();
    EXPECT_EQ(menu_items[r].action, 42);
    out.chosen_talent = menu_items[r].id;
    game.press(key_enter);
    EXPECT_EQ(edited_character.talent(out.chosen_talent).chosen, 1);
    if (!shots.empty()) game.screenshot(shots + "talents");
    game.press(key_end);
    if (last_row != "Play") game.press(key_up);
    EXPECT_EQ(selected_text(), last_row);
    if (!shots.empty()) game.screenshot(shots + "summary");
    game.press(key_enter);
    EXPECT_EQ(game_mode, mode_main);
    out.sheet = game_character;
    if (player >= 1) out.being = beings[player];
    return out;
}

} // namespace dravok::testing
