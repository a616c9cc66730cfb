// Close combat: the damage of one blow, the opposed roll, the attack sentences, the reactions
// after damage and one whole melee round.
#include <gtest/gtest.h>

#include <cstring>

#include "ai/emotion.h"
#include "fixtures/small_world.h"
#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"
#include "rules/after_damage.h"
#include "rules/attack_damage.h"
#include "rules/attack_message.h"
#include "rules/being_creation.h"
#include "rules/melee.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/sight_records.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {
namespace {

tdice fixed(int value) {
    tdice d;
    make_fixed_dice(value, d);
    return d;
}
tdice die(int count, int sides) {
    tdice d{};
    d.count = uint8_t(count);
    d.sides = uint8_t(sides);
    return d;
}

// The goblin (1) at (7, 7) faces the ogre (2) at (8, 8) in the second room.
class Combat : public ::testing::Test {
  protected:
    void SetUp() override {
        set_program_folder(folder_.path());
        error_log_lines.clear();
        world_ = fixtures::build_small_world();
        a_ = world_.goblin;
        d_ = world_.ogre;
        place_being(a_, 7, 7, 0);
        level_items.assign(11, blank_item);
        item_plans.assign(1, titem_plan{});
        clear_message_log();
        player = player_character = 0;
        state = tstate{};
        for (int b : {a_, d_}) {
            beings[b].health = beings[b].health_max = 200;
            beings[b].ability_of(2) = 10;
        }
        random_seed = 4711;
        // The two see each other, as a sight pass over the open room would find.
        sight_matrix[a_][d_] = sight_matrix[d_][a_] = 1;
    }
    void TearDown() override {
        set_program_folder("");
        error_log_lines.clear();
        clear_quit_request();
        player = player_character = 0;
    }
    // The attacker's only attack: a natural attack of the class with the given damage.
    void natural(int being, int attack_class, int attack_bonus, const tdamage_dice& damage) {
        tnatural_attack& n = beings[being].natural_attack(1);
        n.attack_class = uint8_t(attack_class);
        n.attack_bonus = int8_t(attack_bonus);
        n.reach = 1;
        n.time_multiplier = 1;
        n.damage = damage;
    }
    void make_player(int being) {
        beings[being].type_flags[tf_player] = 1;
        player = player_character = being;
    }
    fixtures::small_world world_;
    int a_ = 0, d_ = 0;
    dravok::testing::TempFolder folder_;
};

TEST_F(Combat, ThePhysicalTypeFollowsTheDefendersResistances) {
    tdamage_dice formula{};
    formula.of(1) = die(1, 6);
    formula.of(3) = die(1, 6);
    tdamage out;
    bool saw[4] = {};
    for (int i = 0; i < 40; ++i) {
        roll_attack_damage(true, a_, d_, 10, 10, 0, formula, blank_item, out);
        saw[out.physical_type] = true;
        EXPECT_EQ(out.of(2), 0);
        EXPECT_TRUE(out.of(1) == 0 || out.of(3) == 0) << "one physical type is rolled";
    }
    EXPECT_TRUE(saw[1] && saw[3]) << "equal maxima: a random pick";

    beings[d_].resistance_of(3) = 3;
    roll_attack_damage(true, a_, d_, 10, 10, 0, formula, blank_item, out);
    EXPECT_EQ(out.physical_type, 1) << "the slash is resisted, blunt is chosen";

    tdamage_dice weak{};
    weak.of(3) = die(1, 2);
    beings[d_].resistance_of(3) = 10;
    roll_attack_damage(true, a_, d_, 10, 10, 0, weak, blank_item, out);
    EXPECT_EQ(out.physical_type, 3) << "the only physical type is chosen even below 0";

    tdamage_dice fire{};
    fire.of(6) = fixed(4);
    roll_attack_damage(true, a_, d_, 10, 10, 5, fire, blank_item, out);
    EXPECT_EQ(out.physical_type, 0);
    EXPECT_EQ(out.of(6), 4) << "without a physical type the bonus is not added";
}

TEST_F(Combat, BonusesAndMultipliersOnTheChosenType) {
    tdamage_dice formula{};
    formula.of(3) = fixed(3);
    formula.against_type = tf_giant;
    formula.against_multiplier = 2;
    formula.against_damage = 1;
    const uint8_t before[5] = {0, 0, 0, 0, 0};
    std::memcpy(beings[a_].attack_modifiers, before, 5);
    EXPECT_TRUE(apply_against_bonuses(a_, d_, formula)) << "the ogre is a giant";
    tdamage out;
    roll_attack_damage(true, a_, d_, 10, 10, 1, formula, blank_item, out);
    EXPECT_EQ(out.raw_amount[2], 3) << "as rolled";
    EXPECT_EQ(out.of(3), (3 + 1 + 1) * 2) << "bonus of the hand and of the bane, then doubled";

    std::memcpy(beings[a_].attack_modifiers, before, 5);
    beings[a_].attack_modifiers[am_multiplier] = 1;
    beings[a_].attack_modifiers[am_polearm] = 2;
    titem spear = blank_item;
    spear.flags[if_spear] = 1;
    roll_attack_damage(true, a_, d_, 10, 10, 0, formula, spear, out);
    EXPECT_EQ(out.of(3), 9) << "a spear adds the polearm multiplier: 3 x (1 + 2)";
    roll_attack_damage(true, a_, d_, 10, 10, 0, formula, blank_item, out);
    EXPECT_EQ(out.of(3), 3) << "other weapons ignore it; a multiplier of 1 leaves it";
}

TEST_F(Combat, CriticalMarginsAndPenalties) {
    tdamage_dice formula{};
    formula.of(1) = fixed(2);
    tdamage out;
    roll_attack_damage(true, a_, d_, 30, 8, 0, formula, blank_item, out);
    EXPECT_EQ(out.critical, 1) << "22 in melee";
    roll_attack_damage(true, a_, d_, 29, 8, 0, formula, blank_item, out);
    EXPECT_EQ(out.critical, 0);
    roll_attack_damage(false, a_, d_, 30, 8, 0, formula, blank_item, out);
    EXPECT_EQ(out.critical, 0) << "35 at range";
    beings[d_].status_of(st_immunity_critical_hits) = 1;
    roll_attack_damage(true, a_, d_, 60, 8, 0, formula, blank_item, out);
    EXPECT_EQ(out.critical, 0);

    EXPECT_EQ(excess_penalty(3, 4), 0);
    EXPECT_EQ(excess_penalty(4, 4), 2);
    EXPECT_EQ(excess_penalty(10, 4), 14);
    for (auto [n, p] : {std::pair{0, 0}, {1, 0}, {2, 2}, {3, 4}, {4, 6}}) {
        beings[d_].adjacent_hostiles = uint8_t(n);
        EXPECT_EQ(surrounded_penalty(d_), p) << n;
    }

    game.game_clock = 1000;
    natural(a_, 7, 0, {});
    beings[a_].natural_attack(1).ready_time = 10;
    EXPECT_EQ(attack_recovery_time(a_, 1100), 1000u + 20) << "never before a 20-unit action";
    beings[a_].natural_attack(1).ready_time = 1050;
    EXPECT_EQ(attack_recovery_time(a_, 1100), 1050u);
}

TEST_F(Combat, TheOpposedRollAgainstASleepingDefender) {
    // A sleeping defender meets a natural 20 with a defence of 0: 20 - 13 = 7 stays below 8.
    tdamage_dice bite{};
    bite.of(2) = fixed(5);
    natural(a_, 7, -13, bite);
    beings[d_].asleep_counter = 50;
    melee_attack(a_, d_, 0, 1);
    EXPECT_EQ(beings[d_].health, 200) << "attack 7 misses";

    game.game_clock += 100;
    beings[d_].asleep_counter = 50;
    natural(a_, 7, -12, bite);
    melee_attack(a_, d_, 0, 1);
    EXPECT_EQ(beings[d_].health, 195) << "attack 8 against 0 hits";
    EXPECT_EQ(beings[d_].asleep_when_damaged, 1);
}

TEST_F(Combat, TheOpposedRollOfAnAwakeDefender) {
    tdamage_dice bite{};
    bite.of(2) = fixed(5);
    natural(a_, 7, 4, bite);
    beings[a_].attack_modifiers[am_hit] = 2;
    beings[d_].skill_of(2) = 6;
    beings[d_].attack_modifiers[am_defence] = 50; // counts against weapons only
    beings[d_].adjacent_hostiles = 3;             // a penalty of 4
    for (uint32_t seed : {1u, 99u, 4711u, 123456u, 777u, 31337u}) {
        random_seed = seed;
        const int r1 = random(20) + 1;
        const int r2 = random(20) + 1;
        const int attack = r1 + 4 + 2;
        const int defence = 6 + r2 - 4;
        const bool hits = attack >= 8 && attack > defence;
        random_seed = seed;
        beings[d_].health = 200;
        beings[a_].natural_attack(1).ready_time = 0;
        melee_attack(a_, d_, 0, 1);
        EXPECT_EQ(beings[d_].health, hits ? 195 : 200)
            << "seed " << seed << ": " << attack << " vs " << defence;
        EXPECT_EQ(beings[a_].attack_modifiers[am_hit], 2) << "the caller's modifiers come back";
    }
}

TEST_F(Combat, OneRoundCostsTimeAndReadiesTheNaturalAttacks) {
    tdamage_dice bite{};
    bite.of(2) = fixed(1);
    natural(a_, 7, 30, bite);
    beings[a_].ability_modifier[1] = 2;
    game.game_clock = 500;
    melee_attack(a_, d_, 0, 1);
    EXPECT_EQ(beings[a_].natural_attack(1).ready_time, 500u + 18) << "20 less the motion modifier";
    EXPECT_EQ(beings[a_].next_action_time, 518u) << "13 units, but not before the bite is ready";
    EXPECT_EQ(beings[a_].last_action_kind, 11);
    const int health = beings[d_].health;
    melee_attack(a_, d_, 0, 1);
    EXPECT_EQ(beings[d_].health, health) << "the bite is not ready yet";
    EXPECT_EQ(beings[a_].next_action_time, 500u + 13) << "no blow still costs 15 less the modifier";

    // Life drain: 25 points heal 2.
    game.game_clock = 1000;
    tdamage_dice strong{};
    strong.of(2) = fixed(25);
    natural(a_, 7, 30, strong);
    beings[a_].natural_attack(1).vampiric = 1;
    beings[a_].health = 100;
    beings[d_].status_of(st_immunity_critical_hits) = 1;
    melee_attack(a_, d_, 0, 1);
    EXPECT_EQ(beings[a_].health, 102);
    beings[d_].type_flags[tf_construct] = 1;
    game.game_clock = 2000;
    melee_attack(a_, d_, 0, 1);
    EXPECT_EQ(beings[a_].health, 102) << "no life from a construct";
}

TEST_F(Combat, TheSentencesOfTheBlows) {
    make_player(a_);
    tdamage hit{};
    hit.of(2) = 5;
    hit.total = 5;
    std::string text;
    compose_attack_message(a_, d_, 14, text, hit, true, defence_asleep, blank_item, 20);
    EXPECT_EQ(text, "$XYou bite the sleeping ogre and hit!$F (Pierce: 5)$B The ogre wakes up!");

    compose_attack_message(a_, d_, 1, text, {}, false, defence_dodge, blank_item, 9);
    EXPECT_TRUE(text.ends_with(" the ogre but miss.")) << text;
    compose_attack_message(a_, d_, 0, text, {}, false, defence_dodge, blank_item, 8);
    EXPECT_EQ(text, "$XYou attack the ogre but it dodges the attack.");
    compose_attack_message(a_, d_, 14, text, {}, false, defence_helpless, blank_item, 12);
    EXPECT_EQ(text, "$XYou bite the ogre but miss.") << "no defence verb: the short sentence";

    tdamage killing = hit;
    killing.killed = 1;
    beings[d_].type_flags[tf_undead] = 1;
    beings[d_].gender = tf_female;
    compose_attack_message(a_, d_, 11, text, killing, true, defence_dodge, blank_item, 15);
    EXPECT_EQ(text, "$XYou claw the ogre and destroy her!$F (Pierce: 5)$B");

    tdamage nothing{};
    nothing.critical = 1;
    compose_attack_message(a_, d_, 14, text, nothing, true, defence_dodge, blank_item, 40);
    EXPECT_EQ(text, "$XYou bite the ogre and hit!$F (0)$B") << "no critical note on 0";

    beings[d_].type_flags[tf_undead] = 0;
    compose_attack_message(d_, a_, 14, text, hit, true, defence_dodge, blank_item, 20);
    EXPECT_EQ(text, "$XThe ogre bites you and hits!$F (Pierce: 5)$B");
    compose_attack_message(d_, a_, 3, text, {}, false, defence_parry_main, blank_item, 12);
    EXPECT_TRUE(text.ends_with(" you but you parry the attack.")) << text << "|";

    titem sword = blank_item;
    sword.serial = 5;
    sword.name = "long sword";
    compose_attack_message(a_, d_, 3, text, {}, false, defence_dodge, sword, 3);
    EXPECT_TRUE(text.ends_with(" the ogre with the long sword but miss.")) << text << "|";
}

TEST_F(Combat, ReactionsAfterDamage) {
    tdamage survived{};
    after_damage(a_, d_, 200, 40, survived, 1);
    EXPECT_EQ(get_emotion(d_, a_, true), -70);
    EXPECT_EQ(beings[d_].fear_of(1).value, 6) << "40 / 200 x 30";

    // The spectator has no maximum health and there may be no attacker: nothing divides by 0.
    beings[d_].health_max = 0;
    after_damage(a_, d_, 0, 40, survived, 1);
    after_damage(0, d_, 0, 40, survived, 1);
    tdamage killed{};
    killed.killed = 1;
    after_damage(0, d_, 0, 40, killed, 1);
    EXPECT_EQ(beings[d_].killer_serial, 0u);
    after_damage(a_, d_, 0, 40, killed, 1);
    EXPECT_EQ(beings[d_].killer_serial, uint32_t(beings[a_].serial));
    EXPECT_EQ(beings[a_].last_killed, serial16(beings[d_].serial));
    EXPECT_EQ(beings[a_].situation_of(6), 2);
}

TEST_F(Combat, AFightToTheDeathLeavesTheLogAndACorpse) {
    make_player(a_);
    item_plans.assign(2, titem_plan{});
    item_plans[1].identifier = "it_corpse_monstrosity";
    item_plans[1].name = "corpse";
    item_plans[1].flags[if_corpse] = 1;
    beings[d_].category = tf_monstrosity;
    tdamage_dice bite{};
    bite.of(2) = fixed(60);
    natural(a_, 7, 40, bite);
    for (int round = 0; round < 10 && beings[d_].present; ++round) {
        game.game_clock += 100;
        melee_attack(a_, d_, 0, 1);
    }
    EXPECT_EQ(beings[d_].present, 0);
    EXPECT_EQ(level_items[1].plan, 1);
    EXPECT_EQ(cell_at(8, 8).top_item, 1);
    bool kill_sentence = false;
    for (const std::string& line : message_log)
        kill_sentence = kill_sentence || line.find("You bite the ogre and kill it!") != std::string::npos;
    EXPECT_TRUE(kill_sentence);
}

} // namespace
} // namespace dravok
