// The play-testing bot's short run: a few seeded games from the main menu through creation,
// exploring, fights, items, stairs, rests and a save with its load, each to death or a few hundred
// turns, with no hang and no fatal error; and a seed that replays its game exactly.
#include <gtest/gtest.h>

#include "support/depth_start.h"
#include "support/play_bot.h"

namespace dravok {
namespace {

using testing::bot_options;
using testing::bot_report;
using testing::started_game;

constexpr int short_turns = 300;
// Rounds between saves: early enough that a short game which dies young still saves and loads.
constexpr int save_every = 40;
// Rounds enough for the hub, the trading level and the way back to the Overgod.
constexpr int hub_turns = 1500;

bot_report play(uint32_t seed, int turns) {
    started_game game("bot_" + std::to_string(seed));
    if (!game.ready()) return {};
    bot_options options;
    options.seed = seed;
    options.turn_limit = turns;
    options.save_every = save_every;
    return play_bot_game(game, options);
}

TEST(PlayBot, SeededGamesPlayToTheirEndWithoutAHangOrAFatalError) {
    if (!started_game("bot_probe").ready()) FAIL() << "the build has not made Data/ yet";
    int saves = 0, loads = 0, fights = 0, items = 0;
    for (uint32_t seed : {11u, 12u, 13u}) {
        const bot_report r = play(seed, short_turns);
        SCOPED_TRACE(testing::report_line(r));
        EXPECT_FALSE(r.failed());
        for (const std::string& e : r.errors)
            ADD_FAILURE() << "error log:" << e;
        EXPECT_GE(r.deepest, 1);
        EXPECT_TRUE(r.ending == "died" || r.ending == "turn limit" || r.ending == "won");
        if (r.ending == "turn limit") {
            EXPECT_GE(r.turns, short_turns);
        }
        saves += r.saves;
        loads += r.loads;
        fights += r.fights;
        items += r.items_used;
    }
    EXPECT_GT(saves, 0);
    EXPECT_EQ(loads, saves) << "every save is loaded again";
    EXPECT_GT(fights + items, 0) << "the bot met creatures or used its items";
}

// The first floor is where a new player learns the game: a careful one, as the bot plays, lives
// through it (or leaves it by the stairs) in most dungeons.
TEST(PlayBot, ACarefulPlayerLivesThroughTheFirstFloorInMostDungeons) {
    if (!started_game("bot_probe").ready()) FAIL() << "the build has not made Data/ yet";
    int survived = 0;
    std::string games;
    for (uint32_t seed = 21; seed <= 30; ++seed) {
        started_game game("bot_floor_" + std::to_string(seed));
        bot_options options;
        options.seed = seed;
        options.turn_limit = 1000;
        const bot_report r = play_bot_game(game, options);
        EXPECT_FALSE(r.failed()) << testing::report_line(r);
        if (!(r.ending == "died" && r.deepest <= 1)) ++survived;
        games += testing::report_line(r) + "\n";
    }
    EXPECT_GE(survived, 8) << games;
}

TEST(PlayBot, TheSameSeedReplaysTheSameGameAndAnotherSeedAnotherDungeon) {
    if (!started_game("bot_probe").ready()) FAIL() << "the build has not made Data/ yet";
    const bot_report first = play(21u, 150);
    const bot_report second = play(21u, 150);
    EXPECT_EQ(testing::report_line(first), testing::report_line(second));
    EXPECT_EQ(first.first_level_print, second.first_level_print);
    // The program seeds itself from the time of day, which the test clock holds still: without
    // the bot's seed in its place every game would play one dungeon.
    const bot_report other = play(22u, 1);
    EXPECT_NE(first.first_level_print, other.first_level_print);
}

// A game begun for the hub starts from the save made beside the shallowest gate to it: the bot
// steps in, visits the trading level, comes back and ascends before the Overgod.
TEST(PlayBot, AGameBegunForTheHubGoesThroughItsGateToTheMarketAndAscends) {
    if (!started_game("bot_probe").ready()) FAIL() << "the build has not made Data/ yet";
    started_game game("bot_hub");
    ASSERT_TRUE(game.start());
    bot_options options;
    options.from_main_menu = true;
    options.seed = 1;
    options.turn_limit = hub_turns;
    options.start_depth = testing::hub_level_index();
    ASSERT_GT(options.start_depth, 1) << "the content has a hub";
    const bot_report r = play_bot_game(game, options);
    SCOPED_TRACE(testing::report_line(r));
    EXPECT_FALSE(r.failed());
    EXPECT_GE(r.loads, 1) << "the start is a loaded save";
    const std::vector<int>& played = r.levels_played;
    ASSERT_GE(played.size(), 3u);
    EXPECT_GT(played[1], played[0]) << "from the gate's level to the hub";
    EXPECT_EQ(r.ending, "won");
}

} // namespace
} // namespace dravok
