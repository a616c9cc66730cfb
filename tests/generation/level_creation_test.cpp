#include <gtest/gtest.h>

#include "generation/areas.h"
#include "generation/dig.h"
#include "generation/grids.h"
#include "generation/level_creation.h"
#include "generation/marks.h"
#include "level_fixture.h"
#include "records/layout_base.h"
#include "records/layout_dice.h"
#include "records/layout_game.h"
#include "records/layout_item.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/level_areas.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/random.h"
#include "world/rounding.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {
namespace {

using namespace testing_levels;

class LevelCreation : public ::testing::Test {
  protected:
    void SetUp() override { use_temporary_error_log(); }
    void TearDown() override { restore_error_log(); }
    void create(uint32_t seed) {
        random_seed = seed;
        create_level(1);
    }
};

struct template_case {
    const char* name;
    template_options options;
};

// Every seed gives a complete level whose floors are all connected, whose area records agree
// with the cells, and which leaves the cells beyond its map alone.
TEST_F(LevelCreation, FiveHundredSeedsPerTemplateGiveSoundLevels) {
    const template_case cases[] = {
        {"small narrow", {.map_size = 48, .dig_steps = 40}},
        {"medium rooms", {.map_size = 80, .dig_steps = 120, .corridor_weight = 20, .room_weight = 80}},
        {"full corridors", {.map_size = 128, .dig_steps = 200, .corridor_weight = 60, .room_weight = 40}},
        {"wide corridors", {.map_size = 100, .dig_steps = 150, .corridor_style = 2}},
    };
    for (const template_case& c : cases) {
        for (uint32_t seed = 1; seed <= 500; ++seed) {
            make_test_level(c.options);
            poison_outside_map();
            create(seed * 7919u);
            SCOPED_TRACE(std::string(c.name) + " seed " + std::to_string(seed * 7919u));
            ASSERT_FALSE(quit_requested()) << last_logged_message();
            ASSERT_EQ(state.generating_level, 0);
            ASSERT_GT(area_high_index(), 1);
            ASSERT_EQ(unreachable_floor_cells(), 0);
            ASSERT_EQ(area_record_faults(), "");
            if (c.options.map_size < max_map_size) {
                ASSERT_TRUE(outside_map_untouched());
            }
        }
    }
}

TEST_F(LevelCreation, SameSeedGivesTheSameLevelByteForByte) {
    for (uint32_t seed : {1u, 12345u, 0xDEADBEEFu}) {
        make_test_level({.map_size = 96, .dig_steps = 150});
        create(seed);
        const std::vector<uint8_t> first = level_snapshot();
        make_test_level({.map_size = 96, .dig_steps = 150});
        create(seed);
        EXPECT_EQ(first, level_snapshot()) << "seed " << seed;
    }
}

// The attempt needs round(0.3 x dig steps) areas, rounded half to even: with at most `rooms`
// rooms and no corridors, next area index = rooms + 1.
TEST_F(LevelCreation, TooFewAreasFailEveryAttemptAtTheRoundedThreshold) {
    struct row {
        int dig_steps, rooms;
        bool succeeds;
    };
    const row rows[] = {
        {5, 1, true},  {10, 2, true},  {10, 1, false}, // round(3.0) = 3
        {15, 3, true}, {15, 2, false},                 // round(4.5) = 4, not 5
        {25, 7, true}, {25, 6, false},                 // round(7.5) = 8
        {35, 9, true}, {35, 8, false},                 // round(10.5) = 10, not 11
    };
    for (const row& r : rows) {
        SetUp();
        make_test_level({.map_size = 64,
                         .dig_steps = r.dig_steps,
                         .corridor_weight = 0,
                         .room_weight = 100,
                         .room_maximum = r.rooms});
        create(99);
        SCOPED_TRACE("dig steps " + std::to_string(r.dig_steps) + ", rooms " + std::to_string(r.rooms));
        if (r.succeeds) {
            EXPECT_FALSE(quit_requested()) << last_logged_message();
            EXPECT_EQ(area_high_index(), r.rooms);
        } else {
            EXPECT_TRUE(quit_requested());
            EXPECT_EQ(last_creation_attempts, 1000);
            const std::string expected = "Too small amount of created areas (" + std::to_string(r.rooms) +
                                         ") on level-index 3 with seed " +
                                         std::to_string(int32_t(level.seed)) + "!";
            EXPECT_EQ(last_logged_message(), expected);
            EXPECT_EQ(state.generating_level, 1);
        }
    }
}

// A forced kind that can never be built (a special with no templates) fails attempts 1..900;
// attempt 900 drops it from the level's parameters and attempt 901 succeeds.
TEST_F(LevelCreation, Attempt900DropsAnUnbuildableForcedKind) {
    make_test_level({.map_size = 48, .dig_steps = 20});
    tdungeon& g = level.generator;
    g.forced_kind[1] = area_special;
    g.forced_count[1].bonus = 1;
    g.forced_kind[7] = area_special;
    g.forced_count[7].bonus = 1;
    create(4242);
    EXPECT_FALSE(quit_requested()) << last_logged_message();
    EXPECT_EQ(last_creation_attempts, 901);
    for (uint16_t kind : g.forced_kind)
        EXPECT_EQ(kind, 0);
}

TEST_F(LevelCreation, TheForcedAreaMessageNamesTheKindAndTheSeed) {
    make_test_level({.map_size = 48, .dig_steps = 20});
    level.generator.forced_kind[1] = area_special;
    level.generator.forced_count[1].bonus = 1;
    // Stop after the first failed attempt: a fatal error sets the quit flag.
    random_seed = 77;
    dungeon.dig_step = 0;
    level.seed = random_seed;
    create_dungeon(1);
    EXPECT_EQ(first_pending_force_area(), 2);
    std::string name;
    area_kind_name(area_special, 0, name);
    EXPECT_EQ(name, "special");
}

TEST_F(LevelCreation, AnEmptyPairListIsAFatalErrorBeforeAnyDraw) {
    make_test_level({.map_size = 48, .dig_steps = 20});
    level.dressing_pairs.count = 0;
    random_seed = 5;
    create_level(1);
    EXPECT_TRUE(quit_requested());
    EXPECT_EQ(last_logged_message(), "Level 3 has no block pairs!");
    EXPECT_EQ(random_seed, 5u);
}

TEST_F(LevelCreation, CreationStartsFromEmptyItemsAndFreshCountsAndEndsWithItsFlagDown) {
    make_test_level({.map_size = 48, .dig_steps = 30});
    level_items.assign(5, blank_item);
    level_items[3].amount = 9;
    item_plans.assign(3, titem_plan{});
    item_plans[2].created_on_level = 4;
    being_plans.assign(2, tbeing_plan{});
    being_plans[1].created_on_level = 2;
    game.game_clock = 1500;
    create(31337);
    ASSERT_FALSE(quit_requested()) << last_logged_message();
    EXPECT_EQ(level_items[3].amount, 0);
    EXPECT_EQ(item_plans[2].created_on_level, 0);
    EXPECT_EQ(being_plans[1].created_on_level, 0);
    EXPECT_EQ(level.created_time, 1500u);
    EXPECT_GT(level.created_date, 45000.0);       // days since 1899-12-30: after 2023
    EXPECT_GE(level.next_spawn, 1500u + 10 * 15); // 10d10 rounds of 15 time units
    EXPECT_LE(level.next_spawn, 1500u + 100 * 15);
    EXPECT_EQ(state.generating_level, 0);
    EXPECT_EQ(level.area_count, area_high_index());
    EXPECT_TRUE(open_marks.empty());
    item_plans.clear();
    being_plans.clear();
    level_items.clear();
    game.game_clock = 0;
}

// Rooms only, every doorway a secret door: no area has an exit cell, and the hidden-area count
// ends one below the number of areas.
TEST_F(LevelCreation, WhenNoAreaHasAnExitOneAreaIsNotCountedHidden) {
    make_test_level({.map_size = 64, .dig_steps = 30, .corridor_weight = 0, .room_weight = 100});
    level.generator.secret_doorway_chance = 100;
    level.generator.merge_rooms = 0; // merged walls would open rooms into each other
    create(2024);
    ASSERT_FALSE(quit_requested()) << last_logged_message();
    const int n = area_high_index();
    ASSERT_GT(n, 3);
    for (int a = 1; a <= n; ++a) {
        EXPECT_EQ(areas[a].exit_cells, 0) << a;
        EXPECT_EQ(areas[a].hidden, 1) << a;
    }
    EXPECT_EQ(level.hidden_areas, n - 1);
    EXPECT_EQ(unreachable_floor_cells(), 0); // through the secret doors
}

TEST_F(LevelCreation, HubLevelsStartFacingNorthFromTheCentre) {
    make_test_level({.map_size = 64, .dig_steps = 20});
    level.hub = 1;
    random_seed = 3;
    create_dungeon(1);
    ASSERT_EQ(open_marks.size(), 1u);
    EXPECT_EQ(open_marks[0].x, 32);
    EXPECT_EQ(open_marks[0].y, 32);
    EXPECT_EQ(open_marks[0].direction, 1);
}

// A count formula that rolls 0 with a maximum of 0, or rolls below 0, still moves the scan on.
TEST_F(LevelCreation, ForcedSlotsWithEmptyOrNegativeCountsDoNotHang) {
    make_test_level({.map_size = 48, .dig_steps = 20});
    static_cast<tdungeon&>(dungeon) = level.generator;
    dungeon.forced_kind[0] = area_room; // blank formula: 0, maximum 0
    dungeon.forced_kind[1] = area_corridor;
    dungeon.forced_count[1].bonus = -3; // negative: none
    dungeon.forced_kind[2] = area_room;
    dungeon.forced_count[2].bonus = 2; // two slots
    dungeon.forced_kind[29] = area_room;
    dungeon.forced_count[29].bonus = 5; // runs past slot 30
    setup_force_areas(1);
    EXPECT_EQ(dungeon.forced_kind[0], 0);
    EXPECT_EQ(dungeon.forced_kind[1], 0);
    EXPECT_EQ(dungeon.forced_kind[2], area_room);
    EXPECT_EQ(dungeon.forced_kind[3], area_room);
    EXPECT_EQ(dungeon.forced_kind[4], 0);
    EXPECT_EQ(dungeon.forced_kind[29], area_room);
}

} // namespace
} // namespace dravok
