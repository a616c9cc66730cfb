// Followers in play: a mercenary recruited through the talk dialog follows the character and is
// let go again; a charmed creature's charm wears off with its complaint; the recruiting limits
// and the taming roll; servants breaking free of a master who holds too many.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "ai/emotion.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "rules/effect_mind.h"
#include "rules/followers.h"
#include "support/driver.h"
#include "support/game_start.h"
#include "ui/dialogs.h"
#include "ui/key_bindings.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/game_lists.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok {
namespace {

using testing::started_game;
using testing::turn_driver;

class FollowersInPlay : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!program.ready()) FAIL() << "the build has not made Data/ yet";
        ASSERT_TRUE(program.start());
        driver = std::make_unique<turn_driver>(16); // the level replaces the main menu's screen
    }
    void TearDown() override {
        driver.reset();
        log_area_width = 600;
    }

    // The character made as a new game makes one, at (x, y) on a small unlit level.
    int start(int x, int y) {
        hero = driver->add_character(x, y, "be_debug_player");
        log_area_width = 100000; // one line per message
        return hero;
    }
    int add(const char* plan, int x, int y) {
        const int b = add_being_to_level(x, y, blank_being, 1, find_being_plan_by_name(plan));
        if (b > 0) {
            beings[b].asleep_counter = 0;
            beings[b].next_action_time = game.game_clock;
        }
        return b;
    }
    // Ctrl and the direction key toward the being: the talk dialog; then the named answer.
    bool answer(int key, const std::string& button) {
        driver->press(key, tshift_state{false, true, false});
        if (game_mode != mode_dialog || dialog.kind != dialog_bump_friendly) return false;
        for (int i = 0; i < 10 && dialog_buttons[dialog.selected].text != button; ++i)
            driver->press(key_right);
        if (dialog_buttons[dialog.selected].text != button) return false;
        driver->press(key_enter);
        return true;
    }
    bool in_history(const std::string& text) const {
        return std::any_of(history.begin(), history.end(),
                           [&](const std::string& h) { return h.find(text) != std::string::npos; });
    }

    started_game program{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::unique_ptr<turn_driver> driver;
    int hero = 0;
};

TEST_F(FollowersInPlay, ARecruitedMercenaryFollowsTheCharacterAndIsLetGoAgain) {
    random_seed = 515u;
    start(8, 4);
    const int merc = add("be_mercenary", 8, 3);
    ASSERT_GT(merc, 0);
    driver->press_command(REST); // the character looks about: the mercenary is seen as friendly
    ASSERT_EQ(beings[merc].friendly, 1);

    ASSERT_TRUE(answer(key_up, "Recruit"));
    const tbeing& m = beings[merc];
    EXPECT_EQ(m.master, beings[hero].serial);
    EXPECT_EQ(m.behaviour, 3) << "following";
    EXPECT_EQ(m.master_name.view(), beings[hero].name.view());
    EXPECT_TRUE(has_type_flag(m, tf_companion));
    EXPECT_TRUE(has_type_flag(m, tf_player_and_companions));
    EXPECT_EQ(beings[hero].followers, 1);
    EXPECT_EQ(find_next_follower(hero, 0), merc);
    EXPECT_TRUE(in_history("Recruited ")) << "the recruitment goes into the history";
    EXPECT_GT(get_emotion(merc, hero, true), 20) << "it likes its new master better";

    // The character walks south; the mercenary keeps close.
    int farthest = 0;
    for (int i = 0; i < 9; ++i) {
        driver->press(key_down);
        farthest = std::max(farthest, get_being_distance(merc, hero));
    }
    EXPECT_EQ(beings[hero].y, 13) << "the character walked";
    EXPECT_LE(get_distance_to_master(merc), 3) << "the mercenary followed";
    EXPECT_LE(farthest, 5);

    // Talking to it again lets it go, once it stands beside the character.
    auto beside = [&] {
        const int dx = beings[merc].x - beings[hero].x, dy = beings[merc].y - beings[hero].y;
        return std::abs(dx) + std::abs(dy) == 1;
    };
    for (int i = 0; i < 20 && !beside(); ++i)
        driver->press_command(REST);
    ASSERT_TRUE(beside());
    const int dx = beings[merc].x - beings[hero].x, dy = beings[merc].y - beings[hero].y;
    const int key = dy < 0 ? key_up : dy > 0 ? key_down : dx < 0 ? key_left : key_right;
    ASSERT_TRUE(answer(key, "Remove from party"));
    EXPECT_EQ(beings[merc].master, 0);
    EXPECT_EQ(beings[hero].followers, 0);
    EXPECT_FALSE(has_type_flag(beings[merc], tf_companion));
    EXPECT_EQ(beings[merc].behaviour, being_plans[beings[merc].plan].behaviour);
    EXPECT_EQ(get_distance_to_master(merc), -1);
}

TEST_F(FollowersInPlay, ACharmWearsOffAndTheCreatureResentsItsCharmer) {
    random_seed = 77u;
    start(8, 8);
    const int merc = add("be_mercenary", 8, 7);
    ASSERT_GT(merc, 0);
    beings[merc].ability_of(3) = 12; // a mind that remembers who was in it
    driver->press_command(REST);
    teffect charm{};
    charm.source = 4; // a wand's charm: its power against the mind, no roll
    make_fixed_dice(20, charm.periodic_dice);
    charm.power = 100;
    teffect out{};
    const int captain = add("be_mercenary", 10, 5);
    ASSERT_GT(captain, 0);
    set_as_follower(merc, captain, 1); // it served another before
    apply_effect_charm(hero, merc, charm, 1, out);
    ASSERT_NE(beings[merc].charmer, 0) << "leaving its old master does not end the charm";
    EXPECT_EQ(beings[captain].followers, 0);
    EXPECT_EQ(beings[merc].master, beings[hero].serial) << "a charmed being follows its charmer";

    for (int i = 0; i < 400 && beings[merc].charmer != 0; ++i)
        driver->press_command(REST);
    EXPECT_EQ(beings[merc].charmer, 0);
    EXPECT_EQ(beings[merc].master, 0) << "released as the charm ends";
    EXPECT_FALSE(has_type_flag(beings[merc], tf_charmed));
    EXPECT_TRUE(has_type_flag(beings[merc], tf_has_oneliners)) << "its voice comes back";
    EXPECT_TRUE(driver->logged("is uncharmed."));
    EXPECT_TRUE(driver->logged("You were in my head! Monster!") || driver->logged("What did you do to me?"));
    EXPECT_EQ(beings[hero].followers, 0);
}

TEST_F(FollowersInPlay, APossessionRunsOutAndTheBodyComplainsOfTheIntrusion) {
    random_seed = 99u;
    start(8, 8);
    const int merc = add("be_mercenary", 8, 7);
    ASSERT_GT(merc, 0);
    driver->press_command(REST);
    beings[hero].skill_of(3) = 100; // the possession cannot fail
    teffect possess{};
    possess.duration = 3;
    apply_effect_possess(hero, possess, hero, merc, 1);
    ASSERT_EQ(player, merc) << "the player now moves the mercenary";
    ASSERT_FALSE(has_type_flag(beings[merc], tf_has_oneliners)) << "a possessed body says nothing";

    for (int i = 0; i < 20 && player == merc; ++i)
        driver->press_command(REST);
    EXPECT_EQ(player, hero) << "control is back with the character";
    EXPECT_EQ(beings[hero].commanded, 1);
    EXPECT_EQ(beings[merc].commanded, 0);
    EXPECT_FALSE(has_type_flag(beings[merc], tf_possessed));
    EXPECT_TRUE(has_type_flag(beings[merc], tf_has_oneliners));
    EXPECT_TRUE(driver->logged("is unpossessed. You regain control of your body."));
    EXPECT_TRUE(driver->logged("You were in my head! Monster!") || driver->logged("What did you do to me?"));
    EXPECT_LT(get_emotion(merc, hero, true), 0) << "it holds the intrusion against the character";
}

TEST_F(FollowersInPlay, AConfusionWearsOffAndTheCreatureIsItselfAgain) {
    random_seed = 1234u;
    start(8, 8);
    const int prisoner = add("be_prisoner", 8, 7);
    ASSERT_GT(prisoner, 0);
    driver->press_command(REST);
    teffect confusion{};
    confusion.source = 4; // a wand's power against the mind, no roll
    make_fixed_dice(3, confusion.periodic_dice);
    confusion.power = 100;
    teffect out{};
    apply_effect_confusion(hero, prisoner, confusion, 1, out);
    ASSERT_TRUE(has_type_flag(beings[prisoner], tf_confused));
    ASSERT_FALSE(has_type_flag(beings[prisoner], tf_has_oneliners));

    for (int i = 0; i < 40 && has_type_flag(beings[prisoner], tf_confused); ++i)
        driver->press_command(REST);
    EXPECT_FALSE(has_type_flag(beings[prisoner], tf_confused));
    EXPECT_EQ(beings[prisoner].confusion_end, 0u);
    EXPECT_FALSE(has_type_flag(beings[prisoner], tf_ignore_emotion_presets)) << "its own attitudes come back";
    EXPECT_TRUE(has_type_flag(beings[prisoner], tf_has_oneliners));
    EXPECT_TRUE(has_type_flag(beings[prisoner], tf_good)) << "and its alignment";
    EXPECT_FALSE(has_type_flag(beings[prisoner], tf_neutral));
    EXPECT_TRUE(driver->logged("is unconfused."));
}

} // namespace
} // namespace dravok
