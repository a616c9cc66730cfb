// Splashes and cell texts in play: a new game started through the main menu, the character
// bleeding as it walks, a text written in the area it steps into, an area's discovery told.
#include <gtest/gtest.h>

#include <string>

#include "records/being_flags.h"
#include "support/creation_keys.h"
#include "support/game_start.h"
#include "ui/key_bindings.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/directions.h"
#include "world/game_lists.h"
#include "world/geometry.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/menu_model.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/text_database.h"

namespace dravok {
namespace {

using testing::press_command;
using testing::start_new_game;
using testing::started_game;

// A direction 1..8 to a free floor cell of the given area beside the character (0 when none).
int step_into(int area) {
    const tbeing& p = beings[player];
    for (int d = 1; d <= 8; ++d) {
        const int x = p.x + direction_steps[d].dx, y = p.y + direction_steps[d].dy;
        if (!is_free_floor(x, y, 1, 1, 0, 0, 1) || get_furniture(x, y) != 0 || cell_at(x, y).trap != 0)
            continue;
        if (area == 0 || cell_at(x, y).area == area) return d;
    }
    return 0;
}

// The first text section whose name ends so and that holds a line.
int section_ending(const std::string& ending) {
    for (int s = 1; s < static_cast<int>(section_names.size()); ++s) {
        const std::string& name = section_names[s];
        if (name.size() > ending.size() && name.ends_with(ending) && text_sections[s].count > 0) return s;
    }
    return 0;
}

TEST(MapFeaturesInPlay, ABleedingCharacterLeavesATrailAndReadsTheTextOfTheCellItEnters) {
    started_game game{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    if (!game.ready()) FAIL() << "the build has not made Data/ yet";
    reset_keybindings();
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(start_new_game(game));

    // Bleeding hard: every step leaves blood (or the creature's own kind of mess).
    beings[player].bleeding = 10;
    const int d = step_into(0);
    ASSERT_NE(d, 0);
    press_command(game, d);
    const tcell& stepped = cell_at(beings[player].x, beings[player].y);
    EXPECT_NE(stepped.splash, 0);
    EXPECT_EQ(beings[player].bleeding, 9);
    beings[player].bleeding = 0;

    // A text in the character's area, read once on the next step.
    const int text = section_ending("_description");
    ASSERT_GT(text, 0);
    const int area = beings[player].area;
    ASSERT_GE(area, 1);
    areas[area].text = text;
    areas[area].text_entry = 0;
    std::string expected;
    get_section_text(text, {}, 0, expected);
    ASSERT_FALSE(expected.empty());
    const int back = step_into(area);
    ASSERT_NE(back, 0);
    press_command(game, back);
    // The log wraps long lines: the text's first words are looked for.
    bool read = false;
    for (const std::string& line : message_log)
        read = read || line.find(expected.substr(0, 16)) != std::string::npos;
    EXPECT_TRUE(read) << expected;
    game.screenshot("bleeding_trail_and_cell_text");
    EXPECT_EQ(areas[area].text, 0) << "read once";
}

TEST(MapFeaturesInPlay, EnteringAnAreaWithADiscoveryTextWritesItToTheHistory) {
    started_game game{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    if (!game.ready()) FAIL() << "the build has not made Data/ yet";
    reset_keybindings();
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(start_new_game(game));
    const int report =
        section_ending("_report") != 0 ? section_ending("_report") : section_ending("_description");
    ASSERT_GT(report, 0);
    const int area = beings[player].area;
    const int d = step_into(area);
    ASSERT_NE(d, 0);
    areas[area].report = report;
    const std::size_t entries = history.size();
    press_command(game, d);
    ASSERT_GT(history.size(), entries);
    EXPECT_NE(history.back().find("Discovered "), std::string::npos) << history.back();
    EXPECT_FALSE(history.back().ends_with("Discovered .")) << "the area tells what it is";
    EXPECT_EQ(areas[area].report, 0);
}

} // namespace
} // namespace dravok
