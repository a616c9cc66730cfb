// Path finding and path following on small hand-made maps: the straight line to a seen item or
// quarry, the expansion limit, dead-end areas, player travel over explored cells only, the flood
// out of a harmful cloud, and walking and chasing through the decision chain.
#include <gtest/gtest.h>

#include "ai/ai_world.h"
#include "ai/decision.h"
#include "ai/emotion.h"
#include "ai/light.h"
#include "ai/oneliners.h"
#include "ai/path_following.h"
#include "ai/paths.h"
#include "ai/places.h"
#include "ai/sight.h"
#include "ai/walking.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "support/driver.h"
#include "ui/key_bindings.h"
#include "ui/key_entry.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/directions.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/light_map.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/random.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok::testing {
namespace {

struct PathTest : ::testing::Test {
    void TearDown() override { tidy_after_level(); }
    turn_driver d{24};
    void SetUp() override {
        random_seed = 20261210;
        prepare_sight_tables();
        clear_static_lights();
        clear_light_maps();
        make_goblin_plan();
    }
    // Every cell lit, so that sight sees across the map.
    void light_everything() {
        for (int x = 1; x <= map_size; ++x)
            for (int y = 1; y <= map_size; ++y)
                light_map.light(x, y) = 3;
    }
    void turn(int being) {
        game.game_clock = beings[being].next_action_time;
        ai_act(being, 1);
    }
};

TEST_F(PathTest, ASeenItemGetsAPathOntoItAndASeenQuarryOneThatEndsNextToIt) {
    // A straight corridor along row 5.
    for (int x = 2; x < 23; ++x)
        for (int y = 2; y < 23; ++y)
            if (y != 5) d.wall(x, y);
    light_everything();
    const int g = add_goblin(d, 3, 5, 100);
    const int rat = d.add_creature(8, 5, 100);
    ai_see(g, 1);
    ASSERT_TRUE(pathfind(g, 8, 5, false, false, purpose_chase));
    EXPECT_EQ(path_result.length, 4) << "the chase ends next to the quarry";
    ASSERT_TRUE(pathfind(g, 8, 5, false, true, purpose_item));
    EXPECT_EQ(path_result.length, 5) << "the walk to an item ends on it";
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(path_result.step(i), 3) << "east";
    EXPECT_EQ(path_result.cursor, 1);
    (void)rat;
}

TEST_F(PathTest, TheExpansionLimitFollowsTheStraightDistance) {
    // A long wall between the walker and a target three cells away: the way round is long.
    for (int y = 2; y <= 21; ++y)
        d.wall(10, y);
    const int g = add_goblin(d, 9, 3, 100);
    EXPECT_FALSE(pathfind(g, 12, 3, false, false, purpose_wander)) << "100 expansions do not reach round";
    EXPECT_GT(path_result.expansions, 100);
    // Player travel has no limit.
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y)
            cell_at(x, y).explored = 1;
    EXPECT_TRUE(pathfind(g, 12, 3, false, false, purpose_travel));
    EXPECT_GT(path_result.length, 30);
}

TEST_F(PathTest, AChasePathLongerThanTwentySixStepsIsNotFound) {
    // A snake of corridors makes the way far longer than the distance.
    for (int x = 4; x <= 20; x += 4)
        for (int y = 2; y <= 22; ++y)
            if ((x / 4) % 2 == 1 ? y != 22 : y != 2) d.wall(x, y);
    const int g = add_goblin(d, 2, 2, 100);
    EXPECT_FALSE(pathfind(g, 6, 2, false, true, purpose_chase));
    EXPECT_TRUE(pathfind(g, 6, 2, false, true, purpose_wander));
    EXPECT_GT(path_result.length, 26);
}

// The best-first walk and the breadth-first travel learn the dead ends apart.
TEST_F(PathTest, ADeadEndAreaIsOnlyCrossedWhenTheWalkStartsOrEndsInIt) {
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y)
            cell_at(x, y).explored = 1;
    // Area 2 is a dead end (one exit) lying across the direct way.
    auto make_dead_end = [](int y1, int y2) {
        for (int x = 8; x <= 14; ++x)
            for (int y = y1; y <= y2; ++y)
                cell_at(x, y).area = 2;
    };
    const int g = add_goblin(d, 3, 12, 100);
    for (const int purpose : {int(purpose_wander), int(purpose_travel)}) {
        SCOPED_TRACE(purpose);
        areas.assign(3, blank_area);
        areas[1].exits = 2;
        areas[2].exits = 1;
        for (int x = 8; x <= 14; ++x)
            for (int y = 2; y <= 23; ++y)
                cell_at(x, y).area = 1;
        make_dead_end(8, 16);
        ASSERT_TRUE(pathfind(g, 20, 12, false, false, purpose)) << "the way round";
        int x = 3, y = 12;
        for (int i = 1; i <= path_result.length; ++i) {
            x += compass_dx[path_result.step(i)], y += compass_dy[path_result.step(i)];
            EXPECT_NE(cell_at(x, y).area, 2) << "step " << i;
        }
        // Area 2 across the whole map: the only way leads through it.
        make_dead_end(2, 23);
        EXPECT_FALSE(pathfind(g, 20, 12, false, false, purpose));
        EXPECT_TRUE(pathfind(g, 11, 12, false, false, purpose)) << "a walk may end in it";
    }
}

TEST_F(PathTest, TravelRefusesAWallTargetAndUnexploredCells) {
    const int hero = d.add_player(3, 3);
    for (int x = 1; x <= 12; ++x)
        for (int y = 1; y <= map_size; ++y)
            cell_at(x, y).explored = 1;
    EXPECT_FALSE(pathfind(hero, 1, 5, false, false, purpose_travel)) << "a wall";
    EXPECT_TRUE(pathfind(hero, 12, 5, false, false, purpose_travel));
    EXPECT_FALSE(pathfind(hero, 15, 5, false, false, purpose_travel)) << "unexplored";
}

TEST_F(PathTest, FromACloudToOneOfTheNearestSafeCells) {
    const int g = add_goblin(d, 12, 12, 100);
    for (int x = 10; x <= 14; ++x)
        for (int y = 10; y <= 14; ++y) {
            map_effect_grid(x, y).effect = 1;
            map_effect_grid(x, y).harmful = 1;
        }
    ASSERT_TRUE(pathfind_from_cloud(g, false));
    EXPECT_EQ(path_result.length, 3) << "three steps leave a 5 x 5 cloud from its middle";
    const int tx = path_result.target_x, ty = path_result.target_y;
    EXPECT_TRUE(tx < 10 || tx > 14 || ty < 10 || ty > 14);
}

TEST_F(PathTest, AHostileCreatureThatSeesThePlayerWalksToItAndAttacks) {
    light_everything();
    const int hero = d.add_player(14, 14); // 14 away: within the reach of the farthest search
    game.player_serial = uint32_t(beings[hero].serial);
    const int g = add_goblin(d, 4, 4, 0);
    // Claws: a natural attack of 1d3 physical damage.
    tnatural_attack& claws = beings[g].natural_attack(1);
    claws.attack_class = 10;
    claws.reach = 1;
    claws.attack_bonus = 10;
    claws.time_multiplier = 1;
    tdice one_to_three{};
    one_to_three.count = 1;
    one_to_three.sides = 3;
    claws.damage.type[0] = one_to_three;
    const int health = beings[hero].health;
    int turns = 0;
    while (get_being_distance(g, hero) > 1 && turns < 40) {
        turn(g);
        ++turns;
    }
    EXPECT_EQ(get_being_distance(g, hero), 1) << "the goblin came";
    EXPECT_EQ(beings[g].ai_plan, plan_chase);
    for (int i = 0; i < 20 && beings[hero].health == health; ++i)
        turn(g);
    EXPECT_EQ(beings[g].ai_plan, plan_melee_attack);
    EXPECT_LT(beings[hero].health, health) << "and hit";
}

TEST_F(PathTest, AClosedDoorOnTheWayIsOpenedByACreatureThatCan) {
    for (int y = 2; y <= 22; ++y)
        d.wall(12, y);
    d.floor(12, 12);
    cell_at(12, 12).furniture = fu_door;
    const int g = add_goblin(d, 8, 12, 100);
    beings[g].type_flags[tf_can_open_doors] = 1;
    ASSERT_TRUE(pathfind(g, 16, 12, false, false, purpose_wander));
    beings[g].path = path_result;
    game.game_clock = 100;
    for (int i = 0; i < 3; ++i)
        take_path_step(g, 1);
    EXPECT_EQ(beings[g].x, 11);
    EXPECT_TRUE(take_path_step(g, 1)) << "opening the door is the step's action";
    EXPECT_EQ(beings[g].x, 11);
    EXPECT_TRUE(is_door(12, 12, 1)) << "open";
    EXPECT_GT(beings[g].next_action_time, 100u) << "the door took its time";
    EXPECT_TRUE(take_path_step(g, 1));
    EXPECT_EQ(beings[g].x, 12);
}

} // namespace
} // namespace dravok::testing

namespace dravok::testing {
namespace {

struct AutopilotTest : PathTest {
    int hero = 0;
    void SetUp() override {
        PathTest::SetUp();
        hero = d.add_player(3, 3);
        for (int x = 1; x <= map_size; ++x)
            for (int y = 1; y <= map_size; ++y)
                cell_at(x, y).explored = 1;
        level.explored_x1 = level.explored_y1 = 1;
        level.explored_x2 = level.explored_y2 = uint8_t(map_size);
    }
};

TEST_F(AutopilotTest, DTravelsToTheStairsDownAndEscapeLeavesTheMode) {
    cell_at(20, 18).furniture = fu_stairs_down;
    d.press_command(AUTOPILOT);
    ASSERT_EQ(game_mode, mode_autopilot);
    d.press(key_escape);
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_EQ(beings[hero].path.length, 0);
    d.press_command(AUTOPILOT);
    d.press('D');
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_LE(get_distance(beings[hero].x, beings[hero].y, 20, 18), 1) << "the travel ended at the stairs";
}

TEST_F(AutopilotTest, TheCursorStaysOnTheExploredMapAndEnterTravelsThere) {
    level.explored_x2 = 5; // the explored part of the map ends at column 5
    d.press_command(AUTOPILOT);
    ASSERT_EQ(game_mode, mode_autopilot);
    for (int i = 0; i < 4; ++i)
        d.press_command(MOVE_E);
    EXPECT_EQ(state.autopilot_cursor_x, 5) << "the end of the explored part stops the cursor";
    d.press_command(MOVE_S);
    EXPECT_EQ(state.autopilot_cursor_y, 4);
    ASSERT_TRUE(autopilot_path(hero, state.autopilot_cursor_x, state.autopilot_cursor_y))
        << "as the frame does";
    d.press(key_enter);
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_EQ(beings[hero].x, 5);
    EXPECT_EQ(beings[hero].y, 4);
}

TEST_F(AutopilotTest, MapPointsKeepTheirSpacingAndStopWhenAllNineAreUsed) {
    game.game_clock = 1000;
    EXPECT_TRUE(remember_place(3, 3));
    EXPECT_EQ(level.map_point(1).x, 3);
    EXPECT_EQ(game.next_map_point_time, 1450u);
    EXPECT_FALSE(remember_place(10, 10)) << "10 away: too near";
    EXPECT_EQ(level.map_point(2).x, 0);
    EXPECT_EQ(game.next_map_point_time, 1450u) << "the next attempt is still later";
    for (int i = 2; i <= map_point_count; ++i)
        level.map_point(i) = {uint16_t(100 + i), 100};
    EXPECT_FALSE(remember_place(50, 50));
    EXPECT_EQ(game.next_map_point_time, 0u) << "all slots used: no more automatic points";
}

// The scheduler sets the automatic point when the player's being is due; a stored point counts
// as a command that acted, so the old log lines fade at the next key as after a move.
TEST_F(AutopilotTest, AnAutomaticMapPointIsSetOnTheWayAndCountsAsActing) {
    settings.auto_map_points = 1;
    game.next_map_point_time = 1;
    d.press_command(REST);
    EXPECT_EQ(level.map_point(1).x, 3);
    EXPECT_EQ(level.map_point(1).y, 3);
    EXPECT_TRUE(command_acted);
    game.next_map_point_time = 1;
    d.press_command(REST);
    EXPECT_EQ(level.map_point(2).x, 0) << "the same cell is too near";
    EXPECT_FALSE(command_acted);
}

TEST_F(AutopilotTest, CGoesToLockedOrUnlootedFurnitureOnly) {
    struct furniture_case {
        int x, y, furniture, state, lock, looted;
        bool explored;
    };
    // Nearer the character than the two worth a stop, and each of them passed over.
    const furniture_case passed_over[] = {
        {4, 3, fu_door_cell, 0, 5, 0, true},  // a locked cell door
        {5, 3, fu_chest_shop, 0, 0, 0, true}, // a shop's chest
        {3, 5, fu_chest, 1, 0, 0, true},      // a chest opened and emptied
        {6, 6, fu_armorstand, 0, 0, 0, true}, // an empty stand
        {7, 3, fu_barrel, 2, 0, 1, true},     // a barrel already looted
        {3, 8, fu_chest, 0, 0, 0, false},     // a chest not yet seen
        {8, 8, fu_statue_humanoid, 0, 0, 0, true},
    };
    for (const furniture_case& c : passed_over) {
        tcell& cell = cell_at(c.x, c.y);
        cell.furniture = uint8_t(c.furniture);
        cell.furniture_state = uint8_t(c.state);
        cell.lock = uint8_t(c.lock);
        cell.looted = uint8_t(c.looted);
        cell.explored = c.explored ? 1 : 0;
    }
    cell_at(12, 12).furniture = fu_weaponrack; // a rack with something on it
    cell_at(12, 12).furniture_state = 1;
    cell_at(16, 16).furniture = fu_door; // a locked door
    cell_at(16, 16).lock = 3;
    d.press_command(AUTOPILOT);
    ASSERT_EQ(game_mode, mode_autopilot);
    d.press('C');
    EXPECT_EQ(state.autopilot_cursor_x, 12);
    EXPECT_EQ(state.autopilot_cursor_y, 12);
    d.press('C');
    EXPECT_EQ(state.autopilot_cursor_x, 16);
    EXPECT_EQ(state.autopilot_cursor_y, 16);
    d.press('C');
    EXPECT_EQ(state.autopilot_cursor_x, 12) << "round again";
}

} // namespace
} // namespace dravok::testing

namespace dravok::testing {
namespace {

struct FleeTest : PathTest {
    int hero = 0, g = 0;
    void SetUp() override {
        PathTest::SetUp();
        light_everything();
        hero = d.add_player(12, 12);
        game.player_serial = uint32_t(beings[hero].serial);
        // The goblins of this test fear the character as much as they hate it.
        being_plans[goblin_plan].fear_presets[0] = {uint16_t(tf_player), 30};
        g = add_goblin(d, 15, 12, 0);
        // Coward's morale: courage 50, less 15 for every feared being in sight.
        beings[g].morale[0] = 50, beings[g].morale[1] = 5, beings[g].morale[2] = 15, beings[g].morale[3] = 4;
    }
};

TEST_F(FleeTest, AHurtAfraidCreatureRunsAndItsFearFadesOutOfSight) {
    turn(g);
    EXPECT_NE(beings[g].ai_plan, plan_avoid)
        << "at full health its courage (50 - 15) is above its fear (30 - 3)";
    EXPECT_EQ(beings[g].fled_from_serial, 0);
    // Hurt: the health term lowers its courage below its fear.
    beings[g].health = 2;
    beings[g].health_max = 10;
    const int before = get_being_distance(g, hero);
    turn(g);
    EXPECT_GT(get_being_distance(g, hero), before) << "it runs";
    EXPECT_TRUE(beings[g].ai_plan == plan_avoid || beings[g].path.purpose == purpose_flee ||
                beings[g].path.purpose == purpose_other_area);
    EXPECT_EQ(beings[g].fled_from_serial, beings[hero].serial);
    // Out of its sight the fear is remembered, then fades by 2 a turn after 12 turns.
    const int k = find_fear_entry(g, hero);
    ASSERT_NE(k, 0);
    for (int x = 2; x <= 23; ++x)
        d.wall(x, 14);
    place_being(g, 12, 20, 1);
    for (int i = 0; i < 30; ++i)
        turn(g);
    EXPECT_EQ(find_fear_entry(g, hero), 0) << "the unseen fear faded away";
}

} // namespace
} // namespace dravok::testing

namespace dravok::testing {
namespace {

TEST_F(PathTest, AHostileWhoseMeetingMarkRunsOutUnsaidNeverIntroducesItselfAgain) {
    cell_at(12, 8).furniture = fu_light_campfire; // the room is lit for both
    const int hero = d.add_player(8, 12);
    game.player_serial = uint32_t(beings[hero].serial);
    const int g = add_goblin(d, 16, 12, 0);
    beings[g].type_flags[tf_has_oneliners] = 1;
    for (int i = 0; i < 12 && beings[g].chatter_time_of(2) == 0; ++i)
        d.press_command(REST);
    EXPECT_EQ(beings[g].meeting_trigger, 0);
    EXPECT_EQ(beings[g].chatter_time_of(2), 0xFFFFFFFFu) << "introduction_hostile is off for good";
}

TEST_F(PathTest, ASituationIsMarkedOnThoseWhoSeeBothBeingsWithinEightCells) {
    light_everything();
    const int hero = d.add_player(4, 12);
    const int killer = add_goblin(d, 6, 12, 0);
    const int near = add_goblin(d, 9, 12, 0);
    const int far = add_goblin(d, 15, 12, 0);  // 11 cells from the killer
    const int blind = add_goblin(d, 8, 14, 0); // asleep, it sees nothing
    const int marked = add_goblin(d, 8, 10, 0);
    beings[blind].asleep_counter = 50;
    constexpr int player_killed = 9;
    beings[marked].situation_of(player_killed) = 3;
    for (const int b : {hero, killer, near, far, blind, marked})
        ai_see(b, 0);
    add_situation_or_oneliner(killer, hero, player_killed, false, 0, 20);
    EXPECT_EQ(beings[killer].situation_of(player_killed), 20) << "its own deed";
    EXPECT_EQ(beings[near].situation_of(player_killed), 20);
    EXPECT_EQ(beings[far].situation_of(player_killed), 0);
    EXPECT_EQ(beings[blind].situation_of(player_killed), 0);
    EXPECT_EQ(beings[marked].situation_of(player_killed), 3) << "one reaction each";
    EXPECT_EQ(beings[hero].situation_of(player_killed), 0) << "not the other being";
}

} // namespace
} // namespace dravok::testing
