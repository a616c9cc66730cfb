// Sounds: how loud they are heard, who hears them, what wakes a sleeper, what the player reads,
// and the decay of the areas' noise; a fight's noise in play through the headless driver.
#include <gtest/gtest.h>

#include <string>

#include "records/layout_being.h"
#include "records/layout_game.h"
#include "rules/being_creation.h"
#include "rules/sound.h"
#include "support/driver.h"
#include "support/process_state.h"
#include "ui/key_bindings.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/random.h"
#include "world/sight_records.h"

namespace dravok {
namespace {

using dravok::testing::turn_driver;

TEST(Sound, HeardLoudnessFallsWithDistance) {
    struct row {
        int loudness, distance, heard;
    };
    const row rows[] = {
        {20, 1, 20}, // one step away: full loudness
        {20, 11, 5}, // distance 11 loses 15
        {20, 0, 21}, // a sound without a maker is heard one louder
        {20, 2, 19}, // trunc(1.5)
        {5, 30, 0},  // never below 0
    };
    for (const row& r : rows)
        EXPECT_EQ(heard_loudness(r.loudness, r.distance), r.heard) << r.loudness << " at " << r.distance;
}

TEST(Sound, AreaNoiseDecaysOncePerFifteenUnits) {
    turn_driver d;
    areas[1].noise = 45;
    last_noise_decay_time = 0;
    game.game_clock = 14;
    decay_area_noise();
    EXPECT_EQ(areas[1].noise, 45);
    game.game_clock = 500; // however long it was, one step
    decay_area_noise();
    EXPECT_EQ(areas[1].noise, 25);
    game.game_clock = 515;
    decay_area_noise();
    game.game_clock = 530;
    decay_area_noise();
    EXPECT_EQ(areas[1].noise, 0) << "below 20 drops to 0";
    // A later game whose clock starts over still decays.
    areas[1].noise = 30;
    game.game_clock = 20;
    decay_area_noise();
    game.game_clock = 35;
    decay_area_noise();
    EXPECT_EQ(areas[1].noise, 10);
}

TEST(Sound, MakerlessSoundsNeedACellAndInvalidMakersMakeNone) {
    turn_driver d;
    random_seed = 3;
    EXPECT_EQ(check_sounds(0, 0, 0, 1, sound_bash), 0) << "no maker, no cell";
    EXPECT_EQ(check_sounds(77, 0, 0, 1, sound_bash), 0) << "not a being";
    const int loud = check_sounds(0, 5, 5, 1, sound_bash);
    EXPECT_GE(loud, 21);
    EXPECT_LE(loud, 35);
    EXPECT_EQ(areas[1].noise, loud / 2) << "the area takes half of the roll";
}

TEST(Sound, ThePlayerHearsUnseenSoundsOncePerAreaButDoorsEveryTime) {
    turn_driver d(20);
    const int hero = d.add_player(3, 3);
    (void)hero;
    // A second area behind a wall, out of the hero's sight.
    for (int y = 1; y <= 20; ++y)
        d.wall(10, y);
    for (int x = 11; x < 20; ++x)
        for (int y = 2; y < 20; ++y)
            cell_at(x, y).area = 2;
    areas.assign(3, blank_area);
    random_seed = 11;
    check_sounds(0, 12, 3, 1, sound_scream);
    check_sounds(0, 12, 3, 1, sound_scream);
    check_sounds(0, 12, 3, 1, sound_door);
    check_sounds(0, 12, 3, 1, sound_door);
    int screams = 0, creaks = 0;
    for (const std::string& m : d.messages()) {
        if (m.find("$NYou hear someone screaming in east.") != std::string::npos) ++screams;
        if (m.find("$NYou hear a door creaking in east.") != std::string::npos) ++creaks;
    }
    EXPECT_EQ(screams, 1) << "a second sound from the area within 45 units is not told";
    EXPECT_EQ(creaks, 2) << "doors are always told";
}

// A fight's noise, in play: the hero strikes a creature; a sleeper three steps away wakes, one
// fourteen steps away sleeps on.
TEST(Sound, AFightWakesANearSleeperAndNotAFarOne) {
    ASSERT_TRUE(dravok::testing::load_built_database());
    turn_driver d(20);
    random_seed = 20261210u;
    const int hero = d.add_player(3, 10);
    beings[hero].skill_of(7) = 100; // a stealthy hero: the noise is the halved roll, 10 to 23
    const int rat = add_being_to_level(4, 10, blank_being, 1, find_being_plan_by_name("be_rat_giant"));
    ASSERT_GT(rat, 0);
    beings[rat].health = beings[rat].health_max = 900; // it does not die and scream
    beings[rat].next_action_time = 100000;
    sight_matrix[hero][rat] = sight_matrix[rat][hero] = 1;
    auto sleeper = [&](int x) {
        const int s = d.add_creature(x, 10, 100000, "sleeper");
        beings[s].asleep_counter = 1;
        beings[s].sleep_turns = 1000;
        beings[s].wake_up = 5;
        return s;
    };
    const int near = sleeper(3 + 3);
    const int far = sleeper(3 + 14);
    ASSERT_EQ(get_being_distance(hero, near), 3);
    ASSERT_EQ(get_being_distance(hero, far), 14);

    d.press(key_right);
    EXPECT_EQ(beings[hero].x, 3) << "the hero struck instead of stepping";
    EXPECT_EQ(beings[near].asleep_counter, 0) << "heard at least 10 - 3 >= 5";
    EXPECT_EQ(beings[near].noticed_noise().kind, sound_battle);
    EXPECT_EQ(beings[near].noticed_noise().maker, hero);
    EXPECT_GT(beings[far].asleep_counter, 0) << "heard at most 23 - 19 < 5";
}

} // namespace
} // namespace dravok
