// Mind and summoning effects in play: a hit effect of the player's natural attack, through the
// key path and the round scheduler, charms, summons and possesses.
#include <gtest/gtest.h>

#include "ai/emotion.h"
#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/layout_base.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/lasting_effects.h"
#include "support/driver.h"
#include "ui/key_bindings.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/lasting_effects.h"
#include "world/player.h"
#include "world/tables.h"
#include "world/text_database.h"

namespace dravok::testing {
namespace {

class EffectPlay : public ::testing::Test {
  protected:
    void SetUp() override {
        set_program_folder(folder_.path());
        clear_text_database();
        duration_effects.assign(initial_duration_effects, effect_template);
    }
    void TearDown() override {
        duration_effects.assign(initial_duration_effects, effect_template);
        talents.clear();
        set_program_folder("");
        error_log_lines.clear();
    }
    // The player at (5, 5) with a bite whose hit effect is `kind`, and a sleeping animal north of it.
    void arm(int kind) {
        hero = d.add_player(5, 5);
        rat = d.add_creature(5, 4, game.game_clock + 10);
        beings[rat].category = tf_animal;
        beings[rat].health = beings[rat].health_max = 50;
        beings[rat].asleep_counter = 5;                                 // a sleeper cannot defend
        beings[hero].base_skill_of(3) = beings[hero].skill_of(3) = 100; // its magic never fails
        tnatural_attack& bite = beings[hero].natural_attack(1);
        bite.attack_class = 10;
        bite.attack_bonus = 100;
        bite.reach = 1;
        parse_damage("pierce:0", bite.damage); // a hurt follower would leave its master at once
        bite.hit_effect = effect_template;
        bite.hit_effect.source = es_natural_attack;
        bite.hit_effect.natural_attack_kind = 10;
        bite.hit_effect.shape = sh_single;
        bite.hit_effect.kind = uint8_t(kind);
    }
    teffect& bite_effect() { return beings[hero].natural_attack(1).hit_effect; }

    TempFolder folder_;
    turn_driver d;
    int hero = 0, rat = 0;
};

// The player's charm wand (a bite would hurt the creature and break the charm at once), then
// rounds of play: the creature keeps to its new master and leaves the player unharmed.
TEST_F(EffectPlay, ACharmedCreatureFollowsThePlayer) {
    arm(0);
    beings[rat].asleep_counter = 0;
    update_emotion(rat, hero, -50, 1, 1); // a hostile creature is charmed
    teffect wand = effect_template;
    wand.source = es_item_activate;
    wand.shape = sh_single;
    wand.kind = 29;
    wand.cell(1) = {beings[rat].x, beings[rat].y};
    make_fixed_dice(50, wand.power_dice);
    make_fixed_dice(30, wand.periodic_dice);
    handle_effect(hero, wand, 1);
    const tbeing& r = beings[rat];
    ASSERT_TRUE(has_type_flag(r, tf_charmed));
    EXPECT_EQ(r.charmer, beings[hero].serial);
    EXPECT_TRUE(d.logged("The rat is charmed!"));

    const int health = beings[hero].health;
    for (int i = 0; i < 6; ++i)
        d.press(i % 2 == 0 ? key_left : key_right);
    EXPECT_EQ(r.master, beings[hero].serial) << "it follows the player";
    EXPECT_TRUE(has_type_flag(r, tf_companion));
    EXPECT_FALSE(has_type_flag(r, tf_has_oneliners));
    EXPECT_EQ(beings[hero].health, health) << "the charmed creature does not attack its master";
}

TEST_F(EffectPlay, APossessedCreatureTakesThePlayersCommandsUntilThePossessionEnds) {
    arm(37);
    make_fixed_dice(2, bite_effect().duration_dice);
    d.press(key_up);
    ASSERT_EQ(player, rat) << "the player commands the bitten creature";
    EXPECT_EQ(beings[hero].possessed, beings[rat].serial);
    EXPECT_EQ(beings[rat].commanded, 1);

    // The creature walks at the player's key.
    beings[rat].asleep_counter = 0;
    beings[rat].next_action_time = game.game_clock;
    const int x = beings[rat].x;
    d.press(key_right);
    EXPECT_EQ(beings[rat].x, x + 1);

    // Two rounds on, control comes back to the player's own body.
    for (int i = 0; i < 6 && player != hero; ++i)
        d.press(key_right);
    EXPECT_EQ(player, hero);
    EXPECT_FALSE(has_type_flag(beings[rat], tf_possessed));
    EXPECT_TRUE(d.logged("You regain control of your body."));
}

TEST_F(EffectPlay, ASummonedCreatureServesThePlayer) {
    being_plans.resize(2);
    being_plans[1] = tbeing_plan{};
    being_plans[1].identifier = "be_summoned_panther";
    being_plans[1].name = "panther";
    being_plans[1].type_flags[tf_animal] = 1;
    being_plans[1].width = being_plans[1].height = 1;
    make_fixed_dice(10, being_plans[1].health);
    arm(48);
    make_fixed_dice(1, bite_effect().size_dice);
    make_fixed_dice(20, bite_effect().duration_dice);
    d.press(key_up);
    int panther = 0;
    for (std::size_t i = 1; i < beings.size(); ++i)
        if (beings[i].present != 0 && beings[i].plan == 1) panther = int(i);
    ASSERT_GE(panther, 1);
    EXPECT_TRUE(has_type_flag(beings[panther], tf_summoned));
    EXPECT_EQ(beings[panther].master, beings[hero].serial);
    EXPECT_TRUE(has_type_flag(beings[panther], tf_companion));
    EXPECT_TRUE(has_type_flag(beings[panther], tf_summoned_by_player_or_good));
    EXPECT_EQ(beings[hero].summoned_followers, 1);

    // Its time runs out in play and it leaves.
    const uint32_t end = beings[panther].unsummon_time;
    constexpr uint8_t key_rest = 101;
    for (int i = 0; i < 100 && beings[panther].present != 0 && game.game_clock <= end + 200; ++i)
        d.press(
            key_rest); // resting, not walking: a step into a friend swaps places with it and delays its turn
    EXPECT_EQ(beings[panther].present, 0) << "unsummoned at " << end << ", now " << game.game_clock;
}

} // namespace
} // namespace dravok::testing
