#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "records/layout_game.h"
#include "world/game_clock.h"
#include "world/game_record.h"
#include "world/lookup.h"
#include "world/tag_text.h"

namespace dravok {
namespace {

TEST(RoundForDisplay, KeepsSmallFiguresAndRoundsHalfToEven) {
    const std::array<std::pair<int, int>, 9> cases = {{{9, 9},
                                                       {15, 20},
                                                       {25, 20},
                                                       {994, 990},
                                                       {995, 1000},
                                                       {1050, 1000},
                                                       {1150, 1200},
                                                       {-35, -35},
                                                       {10, 10}}};
    for (auto [in, out] : cases)
        EXPECT_EQ(round_for_display(in), out) << in;
}

TEST(GameClock, AdvancesWholeMinutesAndDropsTheRest) {
    game = tgame{};
    game.clock_hours = 12;
    game.game_clock = 149;
    advance_game_clock();
    EXPECT_EQ(game.clock_minutes, 0);
    EXPECT_EQ(game.clock_update_time, 0u); // nothing changed

    game.game_clock = 160;
    advance_game_clock();
    EXPECT_EQ(game.clock_minutes, 1);
    EXPECT_EQ(game.clock_update_time, 160u); // the other 10 units are lost

    game = tgame{};
    game.clock_hours = 12;
    game.game_clock = 1440 * 150;
    advance_game_clock();
    EXPECT_EQ(game.clock_days, 1);
    EXPECT_EQ(game.clock_hours, 12);
    EXPECT_EQ(game.clock_minutes, 0);

    // A last update ahead of the clock adds nothing rather than years of minutes.
    game = tgame{};
    game.clock_update_time = 1000;
    game.game_clock = 10;
    advance_game_clock();
    EXPECT_EQ(game.clock_minutes + game.clock_hours + game.clock_days, 0);
    EXPECT_EQ(game.clock_update_time, 1000u);
    game = tgame{};
}

TEST(GameClock, TimeStepsBetweenIsSymmetricWholeRounds) {
    EXPECT_EQ(time_steps_between(100, 70), 2);
    EXPECT_EQ(time_steps_between(70, 100), 2);
    EXPECT_EQ(time_steps_between(0, 0xFFFFFFF1u), 1); // the difference is a signed 32-bit number
}

TEST(Lookup, FindsNamesIgnoringCaseAndByPrefix) {
    const std::vector<std::string> names = {"-", "fu_door", "Fu_Chest"};
    EXPECT_EQ(index_of_name(names, "fu_", 3), 1);
    EXPECT_EQ(index_of_name(names, "fu_", 0), -1);
    EXPECT_EQ(index_of_name(names, "FU_CHEST"), 2);
    EXPECT_EQ(index_of_name(names, "fu_door_x", 3), -1);
    const std::array<std::string_view, 2> views = {"a", "bee"};
    EXPECT_EQ(index_of_name(views, "BEE"), 1);

    const std::vector<int32_t> values = {4, 7, 7};
    EXPECT_EQ(index_of_int(values, 7), 1);
    EXPECT_EQ(index_of_int(values, 8), -1);

    const std::vector<uint8_t> bytes = {0, 0, 5, 0};
    EXPECT_EQ(first_nonzero_byte(bytes, 0, 3), 2);
    EXPECT_EQ(first_nonzero_byte(bytes, 3, 3), 0);
    EXPECT_EQ(first_nonzero_byte(bytes, -1, 3), 0);
    EXPECT_EQ(first_nonzero_byte(bytes, 0, 4), 0); // beyond the array

    const std::vector<std::string> parts = {"goblin", "orc", "troll"};
    EXPECT_EQ(index_containing(parts, 0, 2, "an orc and a troll"), 1);
    EXPECT_EQ(index_containing(parts, 2, 2, "an Orc"), -1);
    EXPECT_EQ(index_containing(parts, 0, 3, "orc"), -1); // bounds outside the array
    EXPECT_EQ(clamp(5, 1, 3), 3);
    EXPECT_EQ(clamp(-5, 1, 3), 1);
}

TEST(TagText, ReadsAndRemovesNumberedTags) {
    const std::string text = "x<item3> 42 </item3>y<item03>z</item03>";
    EXPECT_EQ(tag_value("item%d", 3, text, "none"), " 42 ");
    EXPECT_EQ(tag_int_value("item%d", 3, text, -1), 42);
    EXPECT_EQ(tag_value("item%2.2d", 3, text, "none"), "z");
    EXPECT_EQ(tag_value("item%d", 4, text, "none"), "none");
    EXPECT_EQ(tag_int_value("item%2.2d", 3, text, -1), -1); // not a number
    EXPECT_EQ(remove_tag("item%d", 3, text), "xy<item03>z</item03>");
    // The closing tag is searched after the opening one; a missing one leaves the text alone.
    EXPECT_EQ(tag_value("a", 0, "</a><a>v</a>", "d"), "v");
    EXPECT_EQ(tag_value("a", 0, "<a>v", "d"), "d");
    EXPECT_EQ(remove_tag("a", 0, "<a>v"), "<a>v");
    EXPECT_EQ(tag_name("p%d%%", -7), "p-7%");
}

} // namespace
} // namespace dravok
