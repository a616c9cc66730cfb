// Damage through multipliers and resistances, health and stamina changes, death with its
// corpse and dropped items, corpse names and weights.
#include <gtest/gtest.h>

#include "fixtures/small_world.h"
#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"
#include "rules/damage.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/map.h"
#include "world/player.h"
#include "world/random.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {
namespace {

tdamage amounts(std::initializer_list<std::pair<int, int>> parts, bool critical = false) {
    tdamage d{};
    for (auto [type, amount] : parts) {
        d.of(type) = amount;
        d.total += amount;
    }
    d.critical = critical ? 1 : 0;
    return d;
}

class DamageToBeings : public ::testing::Test {
  protected:
    void SetUp() override {
        set_program_folder(folder_.path());
        error_log_lines.clear();
        world_ = fixtures::build_small_world();
        level_items.assign(11, blank_item);
        item_plans.assign(2, titem_plan{});
        item_plans[1].identifier = "it_corpse_humanoid";
        item_plans[1].name = "corpse";
        item_plans[1].flags[if_corpse] = 1;
        player = player_character = 0;
        state = tstate{};
        target_ = world_.goblin;
        tbeing& t = beings[target_];
        t.health = t.health_max = 100;
    }
    void TearDown() override {
        set_program_folder("");
        error_log_lines.clear();
        clear_quit_request();
    }
    fixtures::small_world world_;
    int target_ = 0;
    dravok::testing::TempFolder folder_;
};

TEST_F(DamageToBeings, HealthAndStaminaChangesStopAtTheirBounds) {
    tbeing& t = beings[target_];
    t.health = 4;
    EXPECT_EQ(adjust_health_amount(target_, -10, 0), -4);
    EXPECT_EQ(t.health, 0);
    t.health = 95;
    EXPECT_EQ(adjust_health_amount(target_, 10, 0), 5);
    EXPECT_EQ(t.health, 100);
    t.stamina = 7;
    t.stamina_max = 10;
    EXPECT_EQ(adjust_stamina_amount(target_, -3, 0), -3);
    EXPECT_EQ(adjust_health_amount(99, 10, 0), 0) << "no such being";
}

TEST_F(DamageToBeings, CriticalsMultipliersAndResistances) {
    tbeing& t = beings[target_];
    tdamage result;
    damage_being(target_, world_.ogre, amounts({{3, 5}, {6, 3}}, true), result, 0, cause_attack);
    EXPECT_EQ(result.of(3), 10);
    EXPECT_EQ(result.of(6), 6);
    EXPECT_EQ(result.total, 16);
    EXPECT_EQ(result.critical, 1);
    EXPECT_EQ(t.health, 84);
    EXPECT_EQ(t.last_damager, serial16(beings[world_.ogre].serial));

    t.status_of(st_immunity_critical_hits) = 1;
    damage_being(target_, world_.ogre, amounts({{3, 5}, {6, 3}}, true), result, 0, cause_attack);
    EXPECT_EQ(result.total, 8) << "immune to critical hits: 5 and 3";
    EXPECT_EQ(result.critical, 0);

    t.multiplier_of(6) = 150;
    t.resistance_of(6) = 2;
    EXPECT_EQ(damage_after_resistance(target_, amounts({{6, 7}})), 8) << "7 x 150 / 100 - 2";
    t.multiplier_of(6) = 0;
    t.resistance_of(6) = 0;
    EXPECT_EQ(damage_after_resistance(target_, amounts({{6, 7}})), 7) << "multiplier 0 leaves it";
    t.resistance_of(1) = 9;
    EXPECT_EQ(damage_after_resistance(target_, amounts({{1, 9}, {2, 4}})), 4)
        << "a resisted type adds nothing";
}

TEST_F(DamageToBeings, ALossBeyondTheHealthLeftKillsAndReportsWhatWasLeft) {
    tbeing& t = beings[target_];
    t.health = 6;
    t.asleep_counter = 20;
    tdamage result;
    damage_being(target_, 0, amounts({{1, 5}, {3, 9}}), result, 0, cause_other);
    EXPECT_EQ(result.total, 6);
    EXPECT_EQ(result.killed, 1);
    EXPECT_EQ(t.health, 0);
    EXPECT_EQ(t.asleep_counter, 0) << "damage wakes";
    EXPECT_EQ(t.asleep_when_damaged, 1);
    EXPECT_EQ(t.attacked, 0) << "no attacker";

    t.type_flags[tf_spectator] = 1;
    t.health = 6;
    damage_being(target_, 0, amounts({{1, 50}}), result, 0, cause_other);
    EXPECT_EQ(t.health, 6) << "the spectator takes no damage";
}

TEST_F(DamageToBeings, DeathLeavesACorpseAndTheItemsAndRemovesTheBeing) {
    tbeing& t = beings[target_];
    const int x = t.x, y = t.y;
    tdice one;
    make_fixed_dice(1, one);
    item_plans.push_back(titem_plan{});
    item_plans[2].identifier = "it_dagger";
    item_plans[2].name = "dagger";
    add_item_to_being(target_, blank_item, 2, 0, one);
    tdamage result;
    damage_being(target_, world_.ogre, amounts({{1, 500}}), result, 0, cause_attack);
    ASSERT_EQ(result.killed, 1);
    kill_being(target_, result, 0);
    EXPECT_EQ(t.present, 0);
    EXPECT_EQ(cell_at(x, y).being, 0);
    EXPECT_EQ(cell_at(x, y).loose_items, 2) << "the corpse and the dagger";
    const titem& corpse = level_items[1];
    EXPECT_EQ(corpse.plan, 1);
    EXPECT_EQ(corpse.name.view(), "goblin corpse") << "a lower-case name: the race names it";
    EXPECT_EQ(corpse.corpse_killer, beings[world_.ogre].serial);
    EXPECT_EQ(corpse.corpse_size, 1) << "small";
    EXPECT_EQ(corpse.weight, 1500u);
    EXPECT_EQ(being_plans[fixtures::goblin_plan].kills, 1);

    kill_being(target_, result, 0);
    EXPECT_EQ(cell_at(x, y).loose_items, 2) << "a being that has gone dies once";
}

TEST_F(DamageToBeings, CorpseNamesAndWeights) {
    tbeing& t = beings[target_];
    std::string name;
    t.name = "Grumm";
    corpse_name(target_, name);
    EXPECT_EQ(name, "Grumm's corpse");
    t.name = "brute";
    t.race = tf_half_orc;
    corpse_name(target_, name);
    EXPECT_EQ(name, "half-orc corpse");

    t.size = tf_huge;
    for (int i = 0; i < 12; ++i) {
        level_items.assign(11, blank_item);
        create_corpse(target_, 0, 0);
        EXPECT_TRUE(level_items[1].weight == 6000 || level_items[1].weight == 7000 ||
                    level_items[1].weight == 8000 || level_items[1].weight == 9000)
            << level_items[1].weight;
        EXPECT_EQ(level_items[1].corpse_size, 4);
    }
    t.size = tf_tiny;
    level_items.assign(11, blank_item);
    create_corpse(target_, 0, 0);
    EXPECT_EQ(level_items[1].weight, 1500u);
    t.type_flags[tf_undead] = 1;
    level_items.assign(11, blank_item);
    create_corpse(target_, 0, 0);
    EXPECT_EQ(level_items[1].plan, 0) << "the undead leave no corpse";
}

} // namespace
} // namespace dravok
