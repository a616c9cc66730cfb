// A whole level through the headless driver: 200 creatures on a 128 x 128 dungeon of rooms and
// corridors live through 2,000 rounds while the player rests, and on every generated level
// template, with the same world for the same seed.
#include <gtest/gtest.h>

#include "ai/ai_world.h"
#include "ai/light.h"
#include "ai/sight.h"
#include "generation/level_creation.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "support/driver.h"
#include "ui/key_bindings.h"
#include "world/beings.h"
#include "world/database.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok::testing {
namespace {

struct run_result {
    uint64_t hash = 0;
    int asleep = 0, woke = 0, saw_hostile = 0;
    uint32_t clock = 0;
};

// A level made by the level generator from the database's template (0: the one with the
// largest map), stretched over the whole 128 x 128 grid.
void generate_level(uint32_t seed, int pick = 0) {
    if (pick == 0) {
        pick = 1;
        for (int i = 1; i < int(levels.size()); ++i)
            if (levels[i].map_size > levels[pick].map_size) pick = i;
    }
    level = levels[pick];
    level.map_size = max_map_size;
    map_size = level.map_size;
    random_seed = seed;
    create_level(1);
}

run_result run_level(uint32_t seed, int creatures, int rounds, bool generated = false,
                     int level_template = 0) {
    prepare_sight_tables();
    clear_static_lights();
    turn_driver d(128);
    if (generated) {
        generate_level(seed, level_template);
        clear_static_lights();
    } else {
        carve_dungeon(seed);
    }
    make_goblin_plan();
    int x = 0, y = 0;
    random_free_floor(x, y);
    const int hero = d.add_player(x, y);
    game.player_serial = uint32_t(beings[hero].serial);
    beings[hero].light_radius = 3;
    std::vector<int> goblins;
    for (int i = 0; i < creatures; ++i) {
        random_free_floor(x, y);
        const int g = add_goblin(d, x, y, uint32_t(1 + i % 14));
        tbeing& b = beings[g];
        b.idle_turns_before_sleep = uint16_t(5 + random(30));
        b.sleep_turns = uint16_t(10 + random(40));
        b.dark_vision = uint8_t(random(3));
        if (i % 10 == 0) b.light_radius = 2;
        goblins.push_back(g);
    }
    run_result r;
    std::vector<uint8_t> was_asleep(beings.size(), 0);
    for (int round = 0; round < rounds && !quit_requested(); ++round) {
        update_lights(); // as the frame drawing does before each key
        d.press_command(REST);
        for (int g : goblins) {
            const bool asleep = beings[g].asleep_counter > 0;
            if (was_asleep[size_t(g)] && !asleep) ++r.woke;
            was_asleep[size_t(g)] = asleep;
            if (beings[g].seen_hostiles > 0) ++r.saw_hostile;
        }
    }
    for (int g : goblins)
        r.asleep += beings[g].asleep_counter > 0;
    r.hash = world_hash();
    r.clock = game.game_clock;
    tidy_after_level();
    return r;
}

TEST(AiWorld, TwoHundredCreaturesLiveThroughTwoThousandRoundsAndTheSameSeedGivesTheSameWorld) {
    const run_result first = run_level(4242, 200, 2000);
    EXPECT_FALSE(quit_requested());
    EXPECT_EQ(first.clock, 30000u) << "every round passed";
    EXPECT_GT(first.asleep, 0) << "idle creatures fall asleep";
    EXPECT_GT(first.woke, 0) << "and wake again";
    const run_result again = run_level(4242, 200, 2000);
    EXPECT_EQ(first.hash, again.hash);
    const run_result other = run_level(4243, 200, 50);
    const run_result other_short = run_level(4242, 200, 50);
    EXPECT_NE(other.hash, other_short.hash);
}

TEST(AiWorld, CreaturesOnAGeneratedLevelLiveThroughAThousandRoundsAndTheSameSeedGivesTheSameWorld) {
    ASSERT_TRUE(load_database_from(std::string(DRAVOK_DATA_DIR) + "/Dravok.dbs"));
    const run_result first = run_level(20261209, 200, 1000, true);
    EXPECT_FALSE(quit_requested()) << "a fatal error";
    EXPECT_EQ(map_size, 128);
    EXPECT_EQ(first.clock, 15000u);
    EXPECT_GT(first.woke, 0);
    EXPECT_GT(first.saw_hostile, 0);
    ASSERT_TRUE(load_database_from(std::string(DRAVOK_DATA_DIR) + "/Dravok.dbs"));
    const run_result again = run_level(20261209, 200, 1000, true);
    EXPECT_EQ(first.hash, again.hash);
    levels.clear();
    vaults.clear();
    contents.clear();
}

// Every level template of the database: creatures that walk, fight and flee keep the world
// the same for the same seed.
TEST(AiWorld, EveryLevelTemplateGivesTheSameWorldForTheSameSeed) {
    ASSERT_TRUE(load_database_from(std::string(DRAVOK_DATA_DIR) + "/Dravok.dbs"));
    const int templates = int(levels.size()) - 1;
    ASSERT_GT(templates, 0);
    for (int t = 1; t <= templates; ++t) {
        ASSERT_TRUE(load_database_from(std::string(DRAVOK_DATA_DIR) + "/Dravok.dbs"));
        const run_result first = run_level(777 + uint32_t(t), 200, 200, true, t);
        EXPECT_FALSE(quit_requested()) << "template " << t;
        ASSERT_TRUE(load_database_from(std::string(DRAVOK_DATA_DIR) + "/Dravok.dbs"));
        const run_result again = run_level(777 + uint32_t(t), 200, 200, true, t);
        EXPECT_EQ(first.hash, again.hash) << "template " << t;
        EXPECT_EQ(first.clock, again.clock) << "template " << t;
    }
    levels.clear();
    vaults.clear();
    contents.clear();
}

} // namespace
} // namespace dravok::testing
