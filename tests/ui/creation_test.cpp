// Character creation through the window's key path, from NEW GAME to the character standing on
// the first level: every creation menu, a typed name, the point rows, a talent chosen; the
// same seed gives the same character; names typed or set are kept to safe characters.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/timers.h"
#include "records/layout_base.h"
#include "records/layout_being.h"
#include "records/layout_files.h"
#include "records/layout_game.h"
#include "records/layout_item.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "rules/character_creation.h"
#include "rules/game_setup.h"
#include "support/creation_keys.h"
#include "support/game_start.h"
#include "ui/character_sheet.h"
#include "ui/game_window.h"
#include "ui/key_bindings.h"
#include "ui/lister.h"
#include "ui/lister_model.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/experience_award.h"
#include "world/game_lists.h"
#include "world/game_modes.h"
#include "world/level_record.h"
#include "world/menu_model.h"
#include "world/player.h"
#include "world/random.h"
#include "world/settings_record.h"
#include "world/sprite_lookup.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {
namespace {

using testing::started_game;

using testing::create_through_keys;
using testing::created;
using testing::key_backspace;
using testing::key_end;
using testing::move_to;
using testing::press_command;
using testing::selected_text;

class CreationKeys : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!game.ready()) FAIL() << "the build has not made Data/ yet";
        reset_keybindings();
    }
    started_game game{::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(CreationKeys, NewGameThroughEveryMenuStandsTheCharacterOnTheFirstLevel) {
    ASSERT_TRUE(game.start());
    const created c = create_through_keys(game, "creation_");
    ASSERT_GT(player, 0);
    const tbeing& p = beings[player];
    EXPECT_EQ(p.name.view(), "Morwen");
    EXPECT_EQ(p.plan, c.sheet.race_plan);
    EXPECT_EQ(level.index, 1);
    EXPECT_NE(p.talent_of(c.chosen_talent), 0) << "the chosen talent is held";
    for (int t = 1; t < int(talents.size()) && t <= talent_count; ++t)
        if (at1(being_plans[p.plan].talent, t)) {
            EXPECT_NE(p.talent_of(t), 0) << "the race's talent";
        }
    // The sheet's totals, and one more where a passive talent raises the ability.
    for (int k = 1; k <= ability_count; ++k) {
        EXPECT_GE(at1(p.base_ability, k), at1(c.sheet.ability, k));
        EXPECT_LE(at1(p.base_ability, k), at1(c.sheet.ability, k) + 1);
    }
    // The race's kit is carried, and the figures are the sheet's bases with the body and spirit
    // modifiers of the level.
    const tbeing_plan& race = being_plans[p.plan];
    int kit_items = 0;
    for (int i = 0; i < kit_entry_count; ++i) {
        if (race.kit_plan[i] == 0) continue;
        ++kit_items;
        bool held = false;
        for (const titem& it : being_items[player])
            held = held || it.plan == race.kit_plan[i];
        EXPECT_TRUE(held) << item_plans[race.kit_plan[i]].identifier.str();
    }
    EXPECT_GT(kit_items, 0) << "the race has a kit";
    EXPECT_EQ(p.health_max, c.sheet.base_health + p.level * at1(p.ability_modifier, 1));
    EXPECT_EQ(p.stamina_max, c.sheet.base_stamina + p.level * at1(p.ability_modifier, 4));
    EXPECT_EQ(p.health, p.health_max);
    EXPECT_TRUE(game_character_created());
    EXPECT_EQ(past_characters.size() > 1 ? past_characters[1].name.str() : "", "Morwen") << "the last played";
    game.screenshot("creation_play");
}

TEST_F(CreationKeys, TheSameSeedGivesTheSameCharacterByteForByte) {
    constexpr uint32_t seed = 4242u;
    ASSERT_TRUE(game.start());
    random_seed = seed;
    created first = create_through_keys(game, "");
    ASSERT_TRUE(game.restart());
    random_seed = seed;
    created second = create_through_keys(game, "");
    // The sheets differ only in the moments they were made and played.
    second.sheet.date_made = first.sheet.date_made;
    second.sheet.date_started = first.sheet.date_started;
    EXPECT_EQ(std::memcmp(&first.sheet, &second.sheet, sizeof(tcharacter)), 0);
    EXPECT_EQ(std::memcmp(&first.being, &second.being, sizeof(tbeing)), 0);
}

TEST_F(CreationKeys, EscapeStepsBackRestoringEachStep) {
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(move_to(game, "NEW GAME"));
    game.press(key_enter);
    game.press(key_down);
    game.press(key_enter);
    ASSERT_EQ(menu.id, menu_abilities);
    game.press(key_end);
    game.press(key_enter);
    ASSERT_EQ(menu.id, menu_skills);
    const tcharacter at_skills = edited_character;
    for (int i = 0; i < 10; ++i)
        game.press(key_up);
    game.press(key_right);
    game.press(key_end);
    game.press(key_enter);
    ASSERT_EQ(menu.id, menu_talents);
    game.press(key_escape);
    EXPECT_EQ(menu.id, menu_skills);
    game.press(key_escape);
    EXPECT_EQ(menu.id, menu_abilities);
    EXPECT_EQ(edited_character.ability_points, at_skills.ability_points);
    game.press(key_escape);
    EXPECT_EQ(menu.id, menu_race);
    EXPECT_EQ(edited_character.race_plan, 0) << "a new sheet";
    game.press(key_escape);
    EXPECT_EQ(menu.id, menu_main);
}

TEST_F(CreationKeys, NamesKeepToSafeCharacters) {
    struct {
        std::string setting, kept;
    } cases[] = {
        {"../../etc/passwd", "Etcpasswd"},
        {std::string("Ab\x01\x7f\xe9z"), "Abz"},
        {"Sir Rowan-Ash", "Sir Rowan-Ash"},
        {std::string(200, 'x'), "X" + std::string(19, 'x')},
    };
    game.on_created = [] {};
    ASSERT_TRUE(game.start());
    for (const auto& c : cases) {
        settings.default_name = c.setting;
        start_character_creation();
        EXPECT_EQ(edited_character.name.str(), c.kept) << c.setting;
    }
    // An empty name is drawn from the name sections.
    settings.default_name.clear();
    start_character_creation();
    EXPECT_FALSE(edited_character.name.empty());
    // The text entry takes no separators, dots or control keys.
    menu_items[selected_menu_row()].text.clear();
    game.press(key_space);
    for (int i = 0; i < 40; ++i)
        game.press(key_backspace);
    for (int key : {int('A'), int('.'), int('/'), int('\\'), 1, 200, int('B')})
        game.press(key);
    game.press(key_enter);
    EXPECT_EQ(edited_character.name.str(), "ab");
}

TEST_F(CreationKeys, ExperienceOpensTheLevelUpAndTheSheetShowsTheCharacter) {
    ASSERT_TRUE(game.start());
    random_seed = 99u;
    create_through_keys(game, "");
    ASSERT_GT(player, 0);
    // The sheet from play, and back on any key.
    press_command(game, CHARACTER_SHEET);
    EXPECT_EQ(game_mode, mode_character);
    game.screenshot("character_sheet");
    // The icons of the tile set's interface category reach the sheet's rows.
    EXPECT_GE(character_table.cell(5, 1).icon, 1) << "the level row's icon";
    EXPECT_GE(abilities_table.cell(1, 1).icon, 1) << "the body row's icon";
    game.press(key_escape);
    EXPECT_EQ(game_mode, mode_main);
    // The talent screen lists the chosen talent and describes the one under the cursor.
    press_command(game, TALENT);
    EXPECT_EQ(game_mode, mode_talent);
    EXPECT_GT(lister_cursor_row(1), 0);
    game.screenshot("talent_screen");
    game.press(key_escape);
    EXPECT_EQ(game_mode, mode_main);

    // Enough experience for level 2: after the pause the skills menu opens.
    tbeing& p = beings[player];
    p.experience = p.experience_next;
    p.rest_rounds = 20; // a counted rest under way stops whole
    state.resting = 1;
    check_experience(player, 0);
    ASSERT_EQ(state.level_up_pending, 1);
    EXPECT_EQ(p.rest_rounds, 0);
    EXPECT_EQ(state.resting, 0);
    Timer* effects = find_timer("effects_timer");
    ASSERT_NE(effects, nullptr);
    for (int i = 0; i < 60 && game_mode != mode_menu; ++i)
        effects_timer_tick(*effects);
    ASSERT_EQ(game_mode, mode_menu);
    EXPECT_EQ(menu.id, menu_skills);
    EXPECT_EQ(p.level, 2);
    const int points = edited_character.skill_points;
    EXPECT_GE(points, 1);
    game.screenshot("level_up_skills");
    press_command(game, CHARACTER_SHEET);
    EXPECT_EQ(game_mode, mode_character);
    game.press(key_space);
    EXPECT_EQ(game_mode, mode_menu);
    // A point into the first skill that can rise, then on through the talents.
    for (int i = 0; i < 10; ++i)
        game.press(key_up);
    int skill = 0;
    for (int i = 0; i < skill_count; ++i) {
        const tmenu_item& item = menu_items[selected_menu_row()];
        if (!item.disabled && item.value + 1 <= item.max && item.value + 1 <= points) {
            skill = item.id;
            break;
        }
        game.press(key_down);
    }
    ASSERT_GT(skill, 0);
    const int before = at1(p.base_skill, skill);
    game.press(key_right);
    game.press(key_end);
    game.press(key_enter);
    EXPECT_EQ(menu.id, menu_talents);
    game.press(key_end);
    EXPECT_EQ(selected_text(), "Continue");
    // Beside it, the level's gains: the one skill raised.
    game.screenshot("level_up_talents");
    EXPECT_EQ(skills_table.rows_used, 1);
    EXPECT_EQ(character_table.title, "L E V E L   U P");
    game.press(key_enter);
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_EQ(at1(p.base_skill, skill), before + 1);
    EXPECT_EQ(p.skill_points, edited_character.created == 0 ? p.skill_points : 0);
}

TEST_F(CreationKeys, PastCharactersArePlayedAgainAndDeleted) {
    ASSERT_TRUE(game.start());
    create_through_keys(game, "", "Save to pregenerated and play");
    ASSERT_EQ(past_characters.size(), 3u) << "the last played and the stored one";
    // Back to the main menu through the game menu.
    press_command(game, GAME_MENU);
    ASSERT_EQ(menu.id, menu_game);
    ASSERT_TRUE(move_to(game, "RETURN TO MAIN MENU"));
    game.press(key_enter);
    game.press(key_right); // "Yes" to leaving the game unsaved
    game.press(key_enter);
    ASSERT_EQ(menu.id, menu_main);
    ASSERT_TRUE(move_to(game, "NEW GAME"));
    game.press(key_enter);
    ASSERT_EQ(menu.id, menu_character);
    game.screenshot("creation_character");
    // The stored character is deleted; the last played stays and is played again.
    ASSERT_TRUE(move_to(game, "Morwen"));
    game.press(key_end);
    game.press_ctrl(key_delete);
    EXPECT_TRUE(past_characters[2].name.empty());
    EXPECT_EQ(menu.id, menu_character);
    // Its sheet was kept under an earlier tile set whose creature images began elsewhere.
    const tsprite_info race = sprite_info(sprites_creature, past_characters[1].race_plan);
    ASSERT_GT(race.first_image, 0);
    past_characters[1].race_first_image = uint16_t(race.first_image + 500);
    past_characters[1].race_image = uint16_t(race.first_image + 500);
    ASSERT_TRUE(move_to(game, "Morwen"));
    game.press(key_enter);
    EXPECT_EQ(game_mode, mode_main);
    ASSERT_GT(player, 0);
    EXPECT_EQ(beings[player].name.view(), "Morwen");
    EXPECT_EQ(beings[player].image, race.first_image) << "the race's image in the tile set loaded now";
}

} // namespace
} // namespace dravok
