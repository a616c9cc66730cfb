// The decision chain on small hand-made maps: idle turns, falling asleep and waking, the
// first-sight pause, expiries, master links and the replay of missed turns.
#include <gtest/gtest.h>

#include "ai/ai_world.h"
#include "ai/catch_up.h"
#include "ai/decision.h"
#include "ai/light.h"
#include "ai/sight.h"
#include "ai/sleep.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "support/driver.h"
#include "world/beings.h"
#include "world/game_record.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/random.h"
#include "world/state.h"

namespace dravok::testing {
namespace {

struct DecisionTest : ::testing::Test {
    void TearDown() override { tidy_after_level(); }
    turn_driver d{12};
    int hero = 0;
    void SetUp() override {
        // Sight passes draw stealth rolls: a fixed seed keeps each test independent of the others.
        random_seed = 20261209;
        prepare_sight_tables();
        clear_static_lights();
        clear_light_maps();
        make_goblin_plan();
        hero = d.add_player(10, 10);
        game.player_serial = uint32_t(beings[hero].serial);
        areas[1].exit_cells = 1;
    }
    // The being's turn at its own time, as the scheduler gives it.
    void turn(int being) {
        game.game_clock = beings[being].next_action_time;
        ai_act(being, 1);
    }
};

TEST_F(DecisionTest, AnIdleCreatureSpendsARoundFallsAsleepAndWakesAfterItsSleepTurns) {
    d.wall(9, 9), d.wall(10, 9), d.wall(9, 10); // the player stays out of sight
    const int g = add_goblin(d, 3, 3, 100);
    beings[g].idle_turns_before_sleep = 3; // idle turns before sleep
    beings[g].sleep_turns = 4;
    turn(g);
    EXPECT_EQ(beings[g].next_action_time, 115u) << "a creature with nothing to do spends 15";
    EXPECT_EQ(beings[g].ai_plan, plan_idle);
    turn(g);
    turn(g);
    EXPECT_EQ(beings[g].ai_plan, plan_sleep);
    EXPECT_EQ(beings[g].asleep_counter, 1);
    EXPECT_EQ(can_see(g, 0, 3, 3), 0) << "a sleeper sees nothing";
    for (int i = 0; i < 3; ++i)
        turn(g);
    EXPECT_EQ(beings[g].asleep_counter, 4);
    const uint32_t waking = beings[g].next_action_time;
    turn(g);
    EXPECT_EQ(beings[g].asleep_counter, 0);
    EXPECT_EQ(beings[g].next_action_time, waking + 55) << "waking takes 55";
    EXPECT_EQ(beings[g].ai_plan, plan_idle);
    EXPECT_EQ(can_see(g, 0, 3, 3), 1);
}

TEST_F(DecisionTest, NoSleepWithoutThePlayersCharacterOrWhenIdleTurnsAreZero) {
    d.wall(9, 9), d.wall(10, 9), d.wall(9, 10);
    const int g = add_goblin(d, 3, 3, 100);
    beings[g].idle_turns_before_sleep = 0;
    for (int i = 0; i < 5; ++i)
        turn(g);
    EXPECT_EQ(beings[g].asleep_counter, 0);
    beings[g].idle_turns_before_sleep = 1;
    game.player_serial = 0;
    turn(g);
    EXPECT_EQ(beings[g].asleep_counter, 0);
}

TEST_F(DecisionTest, WakeUpFromOutsideLooksAgainAndIsAnnouncedWhenSeen) {
    cell_at(6, 10).furniture = fu_light_campfire;
    const int g = add_goblin(d, 7, 10, 100);
    beings[g].asleep_counter = 2;
    beings[g].sleep_turns = 100;
    update_lights();
    ai_wake_up(g, 1);
    EXPECT_EQ(beings[g].asleep_counter, 0);
    EXPECT_EQ(beings[g].seen_hostiles, 1);
    EXPECT_TRUE(d.logged("wakes up."));
}

TEST_F(DecisionTest, FirstSightOfThePlayerAlonePausesThirtyOnce) {
    cell_at(6, 10).furniture = fu_light_campfire;
    update_lights();
    const int g = add_goblin(d, 5, 10, 100);
    turn(g);
    EXPECT_EQ(beings[g].next_action_time, 130u);
    turn(g);
    EXPECT_EQ(beings[g].next_action_time, 145u) << "only within 20 units of the first sight";
}

TEST_F(DecisionTest, SummonedCreatureVanishesWhenItsTimeIsUp) {
    d.wall(9, 9), d.wall(10, 9), d.wall(9, 10);
    const int g = add_goblin(d, 3, 3, 100);
    beings[g].type_flags[tf_summoned] = 1;
    beings[g].unsummon_time = 100;
    turn(g);
    EXPECT_EQ(beings[g].present, 0);
    EXPECT_EQ(cell_at(3, 3).being, 0);
    EXPECT_EQ(beings[g].type_flags[tf_unsummoned], 1);
    EXPECT_FALSE(d.logged("unsummoned")) << "the player did not see it";
}

TEST_F(DecisionTest, UnseenMasterIsLeftAfterTheLimitOfItsKind) {
    d.wall(9, 9), d.wall(10, 9), d.wall(9, 10);
    struct row {
        bool summoned;
        int turns;
    };
    for (const row r : {row{true, 4}, row{false, 10}}) {
        const int g = add_goblin(d, 3, 3 + (r.summoned ? 0 : 2), 100);
        beings[g].master = beings[hero].serial;
        beings[g].type_flags[tf_summoned] = r.summoned;
        beings[g].unsummon_time = 1000000;
        for (int i = 1; i < r.turns; ++i)
            turn(g);
        EXPECT_EQ(beings[g].master, beings[hero].serial) << r.turns;
        turn(g);
        EXPECT_EQ(beings[g].master, 0) << r.turns;
    }
}

TEST_F(DecisionTest, CatchUpReplaysAtMostFortyTurnsAndSkipsTheFutureAndTheNeverActing) {
    d.wall(9, 9), d.wall(10, 9), d.wall(9, 10);
    game.game_clock = 2000;
    level.last_update = 1000;
    // Walled in, so that no idle step resets its count.
    for (int x = 2; x <= 4; ++x)
        for (int y = 2; y <= 4; ++y)
            if (x != 3 || y != 3) d.wall(x, y);
    const int late = add_goblin(d, 3, 3, 1000);  // 66 rounds behind
    const int early = add_goblin(d, 3, 7, 2100); // due in the future
    const int never = add_goblin(d, 7, 3, 0xFFFFFFFFu);
    ai_catch_up_rounds();
    EXPECT_EQ(beings[late].idle_turns, 2 * 40 + 40) << "twice the capped count, then 40 idle turns";
    EXPECT_EQ(beings[early].idle_turns, 0);
    EXPECT_EQ(beings[never].idle_turns, 0);
    for (int g : {late, early, never})
        EXPECT_EQ(beings[g].next_action_time, 2015u);
    EXPECT_EQ(state.log_muted, 0);
    EXPECT_EQ(state.catch_up, 0);
}

TEST_F(DecisionTest, SpectatorOnlyLooksAndWaitsSeven) {
    const int g = add_goblin(d, 3, 3, 100);
    beings[g].type_flags[tf_spectator] = 1;
    turn(g);
    EXPECT_EQ(beings[g].next_action_time, 107u);
    EXPECT_EQ(beings[g].idle_turns, 0);
}

} // namespace
} // namespace dravok::testing
