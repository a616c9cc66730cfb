// Creature sight on small hand-made maps: light, darkness and dark vision, the stealth contest in
// dim light, hostile and friend counts, first sights, sleepers, and the witness search.
#include <gtest/gtest.h>

#include "ai/ai_world.h"
#include "ai/light.h"
#include "ai/sight.h"
#include "ai/teleport_watch.h"
#include "ai/witnesses.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_parts.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "support/driver.h"
#include "world/beings.h"
#include "world/game_record.h"
#include "world/map.h"
#include "world/sight_records.h"
#include "world/tables.h"

namespace dravok::testing {
namespace {

constexpr int skill_search = 6, skill_stealth = 7;

struct SightTest : ::testing::Test {
    void TearDown() override { tidy_after_level(); }
    turn_driver d{12};
    int hero = 0, goblin = 0;
    void SetUp() override {
        prepare_sight_tables();
        clear_static_lights();
        clear_light_maps();
        make_goblin_plan();
        hero = d.add_player(9, 6);
        goblin = add_goblin(d, 3, 6, 100);
    }
    void look() {
        update_lights();
        ai_line_of_sight(goblin, beings[goblin].x, beings[goblin].y);
    }
};

TEST_F(SightTest, SeesThePlayerInLightButNotInDarkness) {
    look();
    EXPECT_EQ(can_see(goblin, hero, 0, 0), 0) << "six cells away in the dark";
    EXPECT_EQ(can_see(goblin, 0, 9, 6), 0);
    EXPECT_EQ(beings[goblin].seen_hostiles, 0);
    EXPECT_EQ(can_see(goblin, 0, 4, 7), 1) << "the cells next to the viewer are always seen";

    cell_at(10, 6).furniture = fu_light_campfire;
    clear_static_lights();
    look();
    EXPECT_EQ(can_see(goblin, hero, 0, 0), 1);
    const tbeing& g = beings[goblin];
    EXPECT_EQ(g.seen_beings, 1);
    EXPECT_EQ(g.seen_hostiles, 1);
    EXPECT_EQ(g.seen_awake_hostiles, 1);
    EXPECT_EQ(g.nearest_hostile, 6);
    EXPECT_EQ(g.seen_hostiles_worth, beings[hero].xp_worth);
    EXPECT_EQ(hostile_grid(8, 5), hero) << "the footprint with its margin";
    EXPECT_EQ(hostile_grid(10, 7), hero);
    EXPECT_EQ(hostile_grid(7, 6), 0);
}

TEST_F(SightTest, DarkVisionSeesTheDarkWithinItsRadiusOnly) {
    beings[goblin].skill_of(skill_search) = 100; // no stealth roll can beat it
    beings[goblin].dark_vision = 5;
    look();
    EXPECT_EQ(can_see(goblin, hero, 0, 0), 0) << "the player stands six cells away";
    EXPECT_EQ(can_see(goblin, 0, 8, 6), 1);
    beings[goblin].dark_vision = 6;
    look();
    EXPECT_EQ(can_see(goblin, hero, 0, 0), 1);
}

TEST_F(SightTest, DimLightRollsStealthAndANoticedBeingThatStaysStillKeepsBeingSeen) {
    beings[goblin].dark_vision = 6;
    beings[goblin].skill_of(skill_search) = 100;
    look();
    ASSERT_EQ(can_see(goblin, hero, 0, 0), 1);
    beings[goblin].skill_of(skill_search) = -100; // every roll now fails
    beings[hero].moved = 0;
    look();
    EXPECT_EQ(can_see(goblin, hero, 0, 0), 1) << "noticed before and has not moved: no roll";
    beings[hero].moved = 1;
    look();
    EXPECT_EQ(can_see(goblin, hero, 0, 0), 0);
    EXPECT_EQ(can_see(goblin, 0, 9, 6), 1) << "the cell is seen, the being is not noticed";
    (void)skill_stealth;
}

TEST_F(SightTest, CountsFriendsAndNotesTheFirstSightOnce) {
    const int other = add_goblin(d, 4, 6, 100);
    game.game_clock = 0;
    look();
    const tbeing& g = beings[goblin];
    EXPECT_EQ(g.seen_friends, 1);
    EXPECT_EQ(g.adjacent_friends, 1);
    EXPECT_EQ(g.nearest_friend, 1);
    EXPECT_EQ(g.seen_friends_worth, 20u) << "its own worth and the friend's";
    EXPECT_EQ(first_seen_matrix[goblin][other], 1u) << "a first sight at time 0 is stored as 1";
    game.game_clock = 50;
    look();
    EXPECT_EQ(first_seen_matrix[goblin][other], 1u);
}

TEST_F(SightTest, ASleepingViewerSeesNothingAndAPassiveOneOnlyItsCell) {
    look();
    beings[goblin].asleep_counter = 1;
    EXPECT_EQ(can_see(goblin, 0, 3, 6), 0);
    beings[goblin].asleep_counter = 0;
    beings[goblin].type_flags[tf_passive] = 1;
    look();
    EXPECT_EQ(can_see(goblin, 0, 3, 6), 1);
    EXPECT_EQ(can_see(goblin, 0, 4, 6), 0);
}

TEST_F(SightTest, WitnessSearchReturnsEachOwnerOnceNearestFirstAndEnds) {
    being_plans[goblin_plan].attitude_presets[0].value = 0; // owners who do not hate the doer yet
    cell_at(9, 7).furniture = fu_chest;
    cell_at(10, 6).furniture = fu_light_campfire;
    clear_static_lights();
    update_lights();
    const int near = add_goblin(d, 8, 9, 100);
    for (int g : {goblin, near})
        beings[g].home_area = 1;
    EXPECT_EQ(check_witnesses(hero, 9, 7, false, true), near);
    EXPECT_EQ(check_witnesses(hero, 9, 7, false, false), goblin);
    EXPECT_EQ(check_witnesses(hero, 9, 7, false, false), 0);
    EXPECT_EQ(count_witnesses(hero, 9, 7, false), 2);
    EXPECT_EQ(count_witnesses(hero, 9, 7, false), 2) << "a new search starts over";
    beings[goblin].home_area = 2;
    EXPECT_EQ(count_witnesses(hero, 9, 7, false), 1) << "not its home: not its property";
}

TEST_F(SightTest, ALightSeenWithoutItsCarrierBecomesTheStimulusToInvestigate) {
    for (int y = 2; y <= 5; ++y)
        d.wall(8, y);
    place_being(hero, 10, 2, 0);
    beings[hero].light_radius = 4;
    game.game_clock = 300;
    look();
    ASSERT_EQ(can_see(goblin, hero, 0, 0), 0) << "the carrier stands behind the wall";
    ASSERT_EQ(can_see(goblin, 0, 10, 6), 1) << "its light is seen";
    const tsound& s = beings[goblin].noticed_stimulus;
    EXPECT_EQ(s.kind, 1);
    EXPECT_EQ(s.maker, hero);
    EXPECT_EQ(s.x, 10);
    EXPECT_EQ(s.y, 2);
    EXPECT_EQ(s.time, 300u);
    EXPECT_GT(s.distance, 0);
    EXPECT_EQ(s.distance, s.heard_loudness);
}

TEST_F(SightTest, AClearThinkerRemembersASeenTeleporter) {
    cell_at(6, 6).furniture = fu_teleporter;
    const int mind = 3;
    beings[goblin].ability_of(mind) = 6;
    look();
    EXPECT_EQ(beings[goblin].teleporter_x, 0) << "a mind below 7 takes no note";
    beings[goblin].ability_of(mind) = 7;
    look();
    EXPECT_EQ(beings[goblin].teleporter_x, 6);
    EXPECT_EQ(beings[goblin].teleporter_y, 6);
}

TEST_F(SightTest, WatchersOfATeleporterUseCountDownByTheirDistanceRoundedHalfToEven) {
    cell_at(10, 6).furniture = fu_light_campfire;
    const int mind = 3;
    const int near = add_goblin(d, 6, 6, 100);
    const int mid = add_goblin(d, 4, 7, 100);
    const int dull = add_goblin(d, 5, 8, 100);
    for (int g : {goblin, near, mid})
        beings[g].ability_of(mind) = 7;
    beings[dull].ability_of(mind) = 6;
    update_lights();
    for (int g : {goblin, near, mid, dull})
        ai_line_of_sight(g, beings[g].x, beings[g].y);
    sees_teleport_use(hero, 9, 6, 1);
    EXPECT_EQ(beings[goblin].teleporter_countdown, 15) << "6 x 2.5";
    EXPECT_EQ(beings[mid].teleporter_countdown, 12) << "5 x 2.5 = 12.5";
    EXPECT_EQ(beings[near].teleporter_countdown, 8) << "3 x 2.5 = 7.5";
    EXPECT_EQ(beings[near].teleporter_x, 9);
    EXPECT_EQ(beings[dull].teleporter_countdown, 0) << "a dull mind does not follow an enemy";
}

} // namespace
} // namespace dravok::testing
