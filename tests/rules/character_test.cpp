// Character creation on the built game database: the point rules of the sheet, a created
// character and the test character standing on the first level, and the same seed giving
// the same character.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "generation/level_fixture.h"
#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"
#include "rules/character_sheet.h"
#include "rules/game_setup.h"
#include "support/process_state.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/database.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/level_record.h"
#include "world/player.h"
#include "world/random.h"
#include "world/settings_record.h"
#include "world/tables.h"
#include "world/world_lifecycle.h"

namespace dravok {
namespace {
using namespace testing_levels;

int first_playable_plan() {
    for (std::size_t i = 1; i < being_plans.size(); ++i)
        if (being_plans[i].identifier.view().starts_with("be_playable")) return int(i);
    return 0;
}

class CharacterSheet : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dravok::testing::load_built_database());
        set_program_folder(folder_.path());
        use_temporary_error_log();
        reset_table_run_fields();
        random_seed = 20261209u;
        settings.default_name.clear();
        new_character_sheet();
        race = first_playable_plan();
        ASSERT_GT(race, 0);
        choose_race(race, 7, 5, 3);
    }
    void TearDown() override {
        edited_character = blank_character;
        game_character = blank_character;
        set_program_folder("");
        clear_quit_request();
    }
    int race = 0;
    dravok::testing::TempFolder folder_;
};

TEST_F(CharacterSheet, PointBuyCostsByTheScoreReached) {
    tcharacter& c = edited_character;
    EXPECT_EQ(c.ability_points, point_buy_points);
    for (int n = 0; n < 10; ++n)
        ASSERT_TRUE(change_ability_score(1, 1));
    EXPECT_EQ(at1(c.base_ability, 1), 16);
    EXPECT_EQ(c.ability_points, 30 - 18) << "5 scores at 1, 2 at 2, 3 at 3";
    ASSERT_TRUE(change_ability_score(1, 1));
    EXPECT_EQ(c.ability_points, 30 - 18 - 4);
    // Lowering refunds the price of the score left.
    ASSERT_TRUE(change_ability_score(1, -1));
    EXPECT_EQ(c.ability_points, 30 - 18);
    while (at1(c.base_ability, 1) > 12)
        ASSERT_TRUE(change_ability_score(1, -1));
    const int before = c.ability_points;
    ASSERT_TRUE(change_ability_score(1, -1));
    EXPECT_EQ(c.ability_points, before + 2);
    // The limits 4 and 20, and no points below zero.
    while (change_ability_score(2, -1)) {
    }
    EXPECT_EQ(at1(c.base_ability, 2), least_ability_score);
    while (change_ability_score(3, 1)) {
    }
    EXPECT_LT(at1(c.base_ability, 3), greatest_ability_score) << "the points run out first";
    EXPECT_GE(int(c.ability_points), 0);
}

TEST_F(CharacterSheet, AfterARerollOnlyResetUnlocksThePoints) {
    reroll_abilities();
    tcharacter& c = edited_character;
    EXPECT_EQ(c.abilities_rolled, 1);
    EXPECT_EQ(c.ability_points, 0);
    const uint8_t rolled = at1(c.base_ability, 1);
    EXPECT_FALSE(change_ability_score(1, -1));
    EXPECT_EQ(at1(c.base_ability, 1), rolled);
    reset_abilities();
    EXPECT_TRUE(change_ability_score(1, 1));
}

TEST_F(CharacterSheet, ConfirmedAbilitiesGiveSkillAndTalentPoints) {
    tcharacter& c = edited_character;
    // Mind 14 in total: modifier 2.
    const int mind_race = at1(c.race_ability_modifier, 3);
    while (at1(c.ability, 3) < 14)
        ASSERT_TRUE(change_ability_score(3, 1));
    while (at1(c.ability, 3) > 14)
        ASSERT_TRUE(change_ability_score(3, -1));
    ASSERT_EQ(at1(c.base_ability, 3) + mind_race, 14);
    confirm_abilities();
    const tbeing_plan& plan = being_plans[race];
    EXPECT_EQ(c.skill_points, 4 + plan.extra_skill_points);
    EXPECT_EQ(c.talent_point_counter, 3);
    EXPECT_EQ(c.talent_points, 1 + plan.extra_talent_points);
    EXPECT_EQ(c.max_health, c.base_health + at1(c.ability_modifier, 1));
    EXPECT_EQ(std::memcmp(c.skill, c.race_skill_modifier, sizeof c.skill), 0);
}

TEST_F(CharacterSheet, SkillsCostTheirNewValueAndRefundTheOld) {
    tcharacter& c = edited_character;
    for (int k = 1; k <= 4; ++k)
        while (change_ability_score(2, 1)) {
        }
    confirm_abilities();
    c.skill_points = 20;
    const int melee = 4;
    at1(c.skill, melee) = at1(c.skill_minimum, melee) = 2;
    ASSERT_GE(sheet_skill_maximum(melee), 3);
    ASSERT_TRUE(change_skill_value(melee, 1));
    EXPECT_EQ(c.skill_points, 17);
    ASSERT_TRUE(change_skill_value(melee, -1));
    EXPECT_EQ(c.skill_points, 20);
    EXPECT_FALSE(change_skill_value(melee, -1)) << "not below the value the step started with";
    // A negative skill costs 1 a step up and refunds 1 a step down.
    at1(c.skill, melee) = -2;
    at1(c.skill_minimum, melee) = -3;
    ASSERT_TRUE(change_skill_value(melee, 1));
    EXPECT_EQ(c.skill_points, 19);
    ASSERT_TRUE(change_skill_value(melee, -1));
    EXPECT_EQ(c.skill_points, 20);
    // Never below zero points.
    c.skill_points = 0;
    EXPECT_FALSE(change_skill_value(melee, 1));
}

TEST_F(CharacterSheet, UnchoosingATalentDropsTheChoicesThatNeedIt) {
    // A talent and another that requires it, both open to the sheet.
    int base = 0, dependent = 0;
    for (int t = 1; t < int(talents.size()) && t <= talent_count && dependent == 0; ++t) {
        for (int r = 1; r <= talent_count; ++r) {
            if (at1(talents[t].required_talent, r) == 0) continue;
            base = r;
            dependent = t;
            break;
        }
    }
    if (dependent == 0) FAIL() << "no talent of the database requires another";
    tcharacter& c = edited_character;
    ttalent saved = talents[dependent];
    ttalent saved_base = talents[base];
    // Only the requirement between the two counts here.
    talents[dependent].min_level = talents[base].min_level = 0;
    std::memset(talents[dependent].required_ability, 0, ability_count);
    std::memset(talents[dependent].required_skill, 0, skill_count);
    std::memset(talents[base].required_ability, 0, ability_count);
    std::memset(talents[base].required_skill, 0, skill_count);
    std::memset(talents[base].required_talent, 0, talent_count);
    c.talent(base) = c.talent(dependent) = tcharacter_talent{};
    c.talent_points = 2;
    refresh_talent_availability();
    ASSERT_TRUE(toggle_sheet_talent(base));
    refresh_talent_availability();
    ASSERT_TRUE(toggle_sheet_talent(dependent));
    EXPECT_EQ(c.talent_points, 0);
    EXPECT_FALSE(toggle_sheet_talent(base) && false);
    EXPECT_EQ(c.talent(base).chosen, 0);
    EXPECT_EQ(c.talent(dependent).chosen, 0);
    EXPECT_EQ(c.talent_points, 2);
    talents[dependent] = saved;
    talents[base] = saved_base;
}

TEST_F(CharacterSheet, NamesAreCutAndDrawnWhenEmpty) {
    set_sheet_name(std::string(200, 'a'));
    EXPECT_EQ(edited_character.name.size(), 30u);
    set_sheet_name("");
    EXPECT_TRUE(edited_character.name.empty());
    new_character_sheet();
    EXPECT_FALSE(edited_character.name.empty()) << "a name drawn from the name sections";
}

// A whole creation ends with the character on level 1, with its race's talents and kit.
tcharacter create_and_start(uint32_t seed) {
    // A new game is started from the menus, never from a game in progress: the restart that
    // leads back to the menus resets the world first.
    reset_world();
    game_mode = mode_menu;
    random_seed = seed;
    new_character_sheet();
    const int race = first_playable_plan();
    choose_race(race, 7, 5, 3);
    set_sheet_name("Morwen");
    while (change_ability_score(1, 1)) {
    }
    confirm_abilities();
    for (int k = 1; k <= skill_count; ++k)
        while (change_skill_value(k, 1)) {
        }
    skills_snapshot = edited_character;
    refresh_talent_availability();
    for (int t = 1; t < int(talents.size()) && t <= talent_count; ++t)
        if (edited_character.talent(t).available && !edited_character.talent(t).owned) {
            toggle_sheet_talent(t);
            break;
        }
    setup_game();
    return edited_character;
}

TEST_F(CharacterSheet, ACreatedCharacterStandsOnTheFirstLevel) {
    const tcharacter sheet = create_and_start(4242u);
    ASSERT_FALSE(quit_requested()) << last_logged_message();
    ASSERT_GT(player, 0);
    tbeing& p = beings[player];
    EXPECT_EQ(player, player_character);
    EXPECT_EQ(game.player_serial, uint32_t(p.serial));
    EXPECT_EQ(p.plan, race);
    EXPECT_EQ(p.name.view(), sheet.name.view());
    EXPECT_EQ(p.commanded, 1);
    EXPECT_TRUE(has_type_flag(p, tf_player));
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_EQ(level.index, 1);
    EXPECT_TRUE(game_character_created());
    for (int t = 1; t < int(talents.size()) && t <= talent_count; ++t)
        EXPECT_EQ(p.talent_of(t) != 0, sheet.talent(t).chosen != 0) << talents[t].identifier.str();
    for (int k = 1; k <= skill_count; ++k)
        EXPECT_EQ(p.base_skill_of(k), at1(sheet.skill, k));
    EXPECT_EQ(p.wish_of(53), 1) << "coins are picked up";
    EXPECT_EQ(p.wish_of(59), 0);
}

TEST_F(CharacterSheet, TheSameSeedGivesTheSameCharacter) {
    create_and_start(777u);
    const tbeing first = beings[player];
    const tcharacter first_sheet = game_character;
    create_and_start(777u);
    tcharacter second_sheet = game_character;
    // The sheets differ only in the moment they were made.
    second_sheet.date_made = first_sheet.date_made;
    EXPECT_EQ(std::memcmp(&first_sheet, &second_sheet, sizeof(tcharacter)), 0);
    EXPECT_EQ(std::memcmp(&first, &beings[player], sizeof(tbeing)), 0);
}

TEST_F(CharacterSheet, WithoutARaceTheTestCharacterStarts) {
    edited_character = blank_character;
    setup_game();
    ASSERT_FALSE(quit_requested()) << last_logged_message();
    ASSERT_GT(player, 0);
    EXPECT_EQ(being_plans[beings[player].plan].identifier.view(), "be_debug_player");
    // 300 health as made; the update then adds the plan's body figures on top.
    EXPECT_GE(beings[player].health, 300);
    EXPECT_EQ(beings[player].health, beings[player].health_max);
    EXPECT_FALSE(game_character_created());
}

} // namespace
} // namespace dravok
