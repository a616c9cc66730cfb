// A character's progress in play, through the headless driver with the built database:
// talents used from a quickslot with their cost and refusals, experience from a kill, and the
// level-up that the kill opens; the experience and talent-point tables.
#include <gtest/gtest.h>

#include <string>

#include "ai/sight.h"
#include "platform/files.h"
#include "platform/temp_folder.h"
#include "platform/timers.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "rules/character_sheet.h"
#include "rules/level_up.h"
#include "rules/melee.h"
#include "rules/talent_choice.h"
#include "rules/talents.h"
#include "support/content_turns.h"
#include "support/driver.h"
#include "support/process_state.h"
#include "ui/game_window.h"
#include "ui/key_bindings.h"
#include "ui/lister.h"
#include "ui/lister_model.h"
#include "ui/menus.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/experience.h"
#include "world/experience_award.h"
#include "world/game_lists.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/item_creation.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/message_log.h"
#include "world/random.h"
#include "world/services.h"
#include "world/sight_records.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {
namespace {

using dravok::testing::turn_driver;

int talent_by_name(const std::string& id) {
    for (int t = 1; t < int(talents.size()); ++t)
        if (talents[t].identifier.view() == id) return t;
    return 0;
}

class Progress : public dravok::testing::content_turns_test {
  protected:
    void TearDown() override {
        edited_character = blank_character;
        content_turns_test::TearDown();
    }
    // The player's being with the talent in quickslot 1 and the given stamina.
    static int talented_player(turn_driver& d, int talent, int stamina) {
        const int p = d.add_player(5, 5);
        beings[p].talent_of(talent) = 1;
        beings[p].stamina = beings[p].stamina_max = uint16_t(stamina);
        tquickslot& q = beings[p].quickslot(1);
        q.kind = 3;
        q.index = uint16_t(talent);
        return p;
    }
};

TEST_F(Progress, ATalentFromAQuickslotPaysItsCostAndGoesThroughThePipeline) {
    const int t = talent_by_name("t_second_wind");
    ASSERT_GT(t, 0);
    turn_driver d;
    random_seed = 20261209u;
    const int p = talented_player(d, t, 30);
    beings[p].health = 3;
    const uint32_t before = beings[p].next_action_time;
    d.press_command(QUICKSLOT_01);
    EXPECT_EQ(game.talent_uses_of(t), 1);
    EXPECT_GT(beings[p].next_action_time, before) << "the use took its time";
    EXPECT_LE(int(beings[p].stamina), 30 - int(talents[t].stamina)) << "its cost paid";
}

TEST_F(Progress, TheTalentScreenListsTheTalentsAndUsesTheOneUnderTheCursor) {
    const int wind = talent_by_name("t_second_wind");
    const int stone = talent_by_name("t_stoneskin");
    ASSERT_GT(wind, 0);
    ASSERT_GT(stone, 0);
    turn_driver d;
    random_seed = 20261210u;
    const int p = talented_player(d, wind, 30);
    beings[p].talent_of(stone) = 1;
    beings[p].health = 3;
    d.press_command(TALENT);
    ASSERT_EQ(game_mode, mode_talent);
    // Each run of one type under its header, the cursor on the first talent.
    int listed = 0;
    for (int r = 1; r <= lister.panes[1].row_count(); ++r)
        listed += lister.panes[1].rows[r].header.empty() ? 1 : 0;
    EXPECT_EQ(listed, 2);
    EXPECT_FALSE(lister.panes[1].rows[1].header.empty()) << "a header comes first";
    int cursor = lister_cursor_row(1);
    ASSERT_GT(cursor, 1);
    // Down and up skip the headers; Enter uses the talent under the cursor and the map returns.
    d.press(key_down);
    if (lister.panes[1].rows[lister_cursor_row(1)].item != wind) d.press(key_up);
    ASSERT_EQ(lister.panes[1].rows[lister_cursor_row(1)].item, wind);
    const uint32_t before = beings[p].next_action_time;
    d.press(key_enter);
    EXPECT_EQ(game.talent_uses_of(wind), 1);
    EXPECT_GT(beings[p].next_action_time, before);
    EXPECT_EQ(game_mode, mode_main);
    // Without the stamina for it, a talent's row is red and Enter does nothing.
    beings[p].stamina = 0;
    beings[p].next_action_time = game.game_clock;
    d.press_command(TALENT);
    ASSERT_EQ(game_mode, mode_talent);
    cursor = lister_cursor_row(1);
    ASSERT_GT(cursor, 0);
    EXPECT_EQ(lister.panes[1].rows[cursor].red, 1);
    d.press(key_enter);
    EXPECT_EQ(game.talent_uses_of(wind) + game.talent_uses_of(stone), 1);
    EXPECT_EQ(game_mode, mode_talent);
    d.press(key_escape);
    EXPECT_EQ(game_mode, mode_main);
}

TEST_F(Progress, ASpellFromAQuickslotRollsItsCheck) {
    const int t = talent_by_name("t_stoneskin");
    ASSERT_GT(t, 0);
    const ttalent saved = talents[t];
    talents[t].skill = 3; // magic
    talents[t].difficulty = 1;
    turn_driver d;
    random_seed = 11u;
    const int p = talented_player(d, t, 30);
    beings[p].base_skill_of(3) = beings[p].skill_of(3) = 30; // a check it cannot fail
    d.press_command(QUICKSLOT_01);
    EXPECT_EQ(game.talent_uses_of(t), 1);
    EXPECT_EQ(beings[p].stamina, 30 - talents[t].stamina);
    // A check it cannot pass: told, and it costs 1 stamina.
    talents[t].difficulty = 120;
    beings[p].next_action_time = game.game_clock;
    d.press_command(QUICKSLOT_01);
    EXPECT_TRUE(d.logged("You fail to cast stoneskin!"));
    EXPECT_EQ(beings[p].stamina, 30 - talents[t].stamina - 1);
    talents[t] = saved;
}

TEST_F(Progress, ATalentWithoutTheStaminaIsRefusedWithItsMessage) {
    const int t = talent_by_name("t_stoneskin");
    ASSERT_GT(t, 0);
    turn_driver d;
    const int p = talented_player(d, t, talents[t].stamina - 1);
    const uint32_t before = beings[p].next_action_time;
    d.press_command(QUICKSLOT_01);
    EXPECT_TRUE(d.logged("You don't have enough Stamina to use that talent!"));
    EXPECT_EQ(game.talent_uses_of(t), 0);
    EXPECT_EQ(beings[p].next_action_time, before) << "no time passes";
}

TEST_F(Progress, AFailedSpellByACreatureCostsItOneStamina) {
    const int t = talent_by_name("t_stoneskin");
    turn_driver d;
    d.add_player(2, 2);
    const int c = d.add_creature(8, 8, 1000, "mage");
    ttalent saved = talents[t];
    talents[t].skill = 3;        // magic
    talents[t].difficulty = 100; // beyond any roll
    beings[c].stamina = 20;
    EXPECT_FALSE(make_talent_skill_check(c, t, 0));
    EXPECT_EQ(beings[c].stamina, 19);
    talents[t] = saved;
}

TEST_F(Progress, AKillAwardsTheCreaturesWorthAndOpensTheLevelUp) {
    turn_driver d;
    random_seed = 31337u;
    const int p = d.add_player(5, 5);
    beings[p].experience_next = experience_for_level(2);
    const int rat = add_being_to_level(5, 4, blank_being, 1, find_being_plan_by_name("be_rat_giant"));
    ASSERT_GT(rat, 0);
    const uint32_t worth = beings[rat].xp_worth;
    EXPECT_GT(worth, 0u) << "worth computed when it joined the level";
    beings[p].experience = beings[p].experience_next - 1;
    const uint32_t start = beings[p].experience;
    beings[rat].next_action_time = 100000;
    const int sword = add_item_to_being(p, blank_item, find_item_plan_by_name("it_sword_long"), 1, one_dice);
    ASSERT_GT(sword, 0);
    tweapon_set& set = beings[p].weapon_set;
    set.hand_item[0] = uint16_t(sword);
    set.melee[0] = 1;
    set.melee_attack[0] = 4;
    set.melee_damage[0] = being_items[p][sword].damage;
    sight_matrix[p][rat] = sight_matrix[rat][p] = 1;
    for (int i = 0; i < 80 && beings[rat].present; ++i)
        d.press(key_up);
    ASSERT_EQ(beings[rat].present, 0);
    EXPECT_EQ(beings[p].experience - start, worth) << "the player did all the damage";
    EXPECT_EQ(state.level_up_pending, 1);

    // The pause passes and the skills menu opens with the new level's points.
    const int skill_points = beings[p].skill_points;
    Timer& timer = create_timer("progress_effects", 1000, false, {});
    for (int i = 0; i < 60; ++i)
        effects_timer_tick(timer);
    destroy_timer("progress_effects");
    EXPECT_EQ(beings[p].level, 2);
    EXPECT_EQ(game_mode, mode_menu);
    EXPECT_GT(edited_character.skill_points, skill_points);
    EXPECT_EQ(edited_character.created, 0);
    EXPECT_EQ(edited_character.level, 2);
}

TEST_F(Progress, TwoLevelsAtOnceGiveTwoRollsAndBothLevelsPoints) {
    turn_driver d;
    const int p = d.add_player(5, 5);
    tbeing& b = beings[p];
    b.plan = uint16_t(find_being_plan_by_name("be_debug_player"));
    b.level = 1;
    b.experience_next = experience_for_level(2);
    b.experience = experience_for_level(3);
    b.talent_point_counter = 3;
    b.ability_modifier[2] = 0; // mind modifier 0
    const uint16_t health = b.health_base;
    EXPECT_EQ(gain_pending_levels(p, 0), 2);
    EXPECT_EQ(b.level, 3);
    EXPECT_EQ(b.skill_points, 1 + 2) << "max(1, (2+1)/2) then (3+1)/2";
    EXPECT_EQ(b.talent_points, 1) << "the counter reached 4 at level 2";
    EXPECT_EQ(edited_character.base_health, health + 2 * 300) << "be_debug_player's health formula is 300";
    // Written back, the sheet's choices become the being's.
    edited_character.skill_points = 0;
    finish_level_up(0);
    EXPECT_EQ(b.skill_points, 0);
    EXPECT_EQ(b.health_base, health + 600);
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_FALSE(history.empty());
}

TEST_F(Progress, ACreatureAimsABoltOnlyWhenTheTargetIsTheFirstBeingHit) {
    const int t = talent_by_name("t_magic_missile");
    ASSERT_GT(t, 0);
    turn_driver d;
    random_seed = 7u;
    const int p = d.add_player(2, 5);
    const int mage = d.add_creature(8, 5, 1000, "mage");
    const int blocker = d.add_creature(5, 5, 1000, "rat");
    beings[mage].talent_of(t) = 1;
    beings[mage].stamina = beings[mage].stamina_max = 50;
    const int damage_kinds[] = {5};
    beings[mage].dark_vision = 20; // it sees across the unlit room
    ai_see(mage, 0);
    EXPECT_EQ(get_talent(mage, p, damage_kinds, 0), 0) << "the rat stands in the way";
    place_being(blocker, 5, 8, 0);
    ai_see(mage, 0);
    EXPECT_EQ(get_talent(mage, p, damage_kinds, 0), t);
    EXPECT_EQ(talents[t].aim.x, 2);
    EXPECT_EQ(talents[t].aim.y, 5);
    beings[mage].stamina = 0;
    EXPECT_EQ(get_talent(mage, p, damage_kinds, 0), 0) << "no stamina, no talent";
}

TEST_F(Progress, CompanionsFollowThePlayersLevelsOneBelow) {
    turn_driver d;
    random_seed = 5u;
    const int p = d.add_player(2, 2);
    const int plan = find_being_plan_by_name("be_debug_player");
    auto companion = [&](int x, bool no_level_up) {
        const int c = d.add_creature(x, 8, 1000, "squire");
        tbeing& b = beings[c];
        b.plan = uint16_t(plan);
        b.level = 2;
        b.master = beings[p].serial;
        b.type_flags[tf_can_be_recruited] = 1;
        b.type_flags[tf_no_level_up] = no_level_up ? 1 : 0;
        return c;
    };
    const int squire = companion(4, false);
    const int stubborn = companion(6, true);
    game.highest_player_level = 2;
    level_up_recruitable_beings(beings[p].serial, 0, 0);
    EXPECT_EQ(beings[squire].level, 2) << "nothing below the player's level 3";
    game.highest_player_level = 6;
    level_up_recruitable_beings(beings[p].serial, 0, 0);
    EXPECT_EQ(beings[squire].level, 5);
    EXPECT_EQ(beings[stubborn].level, 2);
    EXPECT_EQ(edited_character.race_plan, 0) << "the sheet is blank again";
}

TEST(TalentChoice, ALevelUpNeverDrawsATalentAlreadyChosenOnTheSheet) {
    talents.assign(3, ttalent{});
    talents[1].groups[0] = talents[2].groups[0] = 7;
    edited_character = tcharacter{};
    edited_character.talent(1).chosen = 1;
    const tbeing b = blank_being;
    bool drew_the_chosen_at_creation = false;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        random_seed = seed;
        EXPECT_EQ(get_random_group_talent(b, 7, true), 2) << "seed " << seed;
        random_seed = seed;
        drew_the_chosen_at_creation |= get_random_group_talent(b, 7, false) == 1;
    }
    EXPECT_TRUE(drew_the_chosen_at_creation) << "creation does not look at the sheet";
}

TEST(ExperienceTables, DisablingAndTalentPointLevels) {
    const struct { int difficulty, xp; } cases[] = {{21, 0}, {22, 20}, {24, 30}, {26, 80}, {31, 300}};
    for (const auto& c : cases)
        EXPECT_EQ(disable_experience(c.difficulty), c.xp) << c.difficulty;
    std::string levels;
    list_talent_point_levels(1, 10, levels);
    EXPECT_EQ(levels, "1, 3, 6, 9, ...");
    EXPECT_EQ(talent_points_for_levels(1, 10), 4);
    EXPECT_EQ(talent_points_for_levels(3, 5), 6) << "every level, and one more at the first";
}

} // namespace
} // namespace dravok
