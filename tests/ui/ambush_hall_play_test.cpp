// The ambush hall in play: a game started from the main menu, the stairs taken down to the
// level that always holds the hall, and the character stepping on the hall's hidden lever, which
// opens the hollow walls and turns the goblins waiting behind them on the character.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ai/emotion.h"
#include "generation/areas.h"
#include "rules/being_creation.h"
#include "support/creation_keys.h"
#include "support/game_start.h"
#include "support/portal_keys.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/minimap.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/directions.h"
#include "world/game_modes.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/map_colours.h"
#include "world/player.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok {
namespace {

using testing::press_command;
using testing::start_new_game;
using testing::started_game;
using testing::take_portal_to;

constexpr int hall_level = 3; // the level whose forced contents hold the hall
constexpr int ambush_situation = 18, ambush_mark = 4;
constexpr int spring_button = 4; // "Spring" in the dialog of a known trap on the ground

struct cell_at_xy {
    int x = 0, y = 0;
};

bool in_zone(const tzone_rect& r, int x, int y) {
    return r.x != 0 && x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
}

TEST(AmbushHallInPlay, TheHiddenLeverOpensTheHollowWallsAndTheGoblinsTurnOnTheCharacter) {
    started_game game{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    if (!game.ready()) FAIL() << "the build has not made Data/ yet";
    reset_keybindings();
    ASSERT_TRUE(game.start());
    random_seed = 20261210;
    ASSERT_TRUE(start_new_game(game));
    beings[player].health = beings[player].health_max = 500; // nothing on the way ends the game
    for (int down = 2; down <= hall_level; ++down)
        ASSERT_TRUE(take_portal_to(game, down)) << "down to level " << down;

    // The hall, its lever, its hollow walls and the goblins behind them.
    int hall = 0;
    for (int a = 1; a <= area_high_index() && hall == 0; ++a)
        if (areas[a].content != 0 && contents[areas[a].content].name.view() == "ambush_hall") hall = a;
    ASSERT_NE(hall, 0) << "the level holds the ambush hall";
    const tarea& h = areas[hall];
    cell_at_xy lever;
    std::vector<cell_at_xy> walls;
    for (int x = h.x1; x <= h.x2; ++x)
        for (int y = h.y1; y <= h.y2; ++y) {
            const tcell& c = cell_at(x, y);
            if (c.area != hall) continue;
            if (c.trap != 0 && item_plans[c.trap].identifier.view() == "tr_reveal_passage") lever = {x, y};
            if (c.furniture == fu_wall_disappearing) walls.push_back({x, y});
        }
    ASSERT_NE(lever.x, 0) << "the lever lies in the hall";
    ASSERT_FALSE(walls.empty());
    EXPECT_GT(cell_at(lever.x, lever.y).trap_difficulty, 0) << "hidden until found";
    std::vector<int> goblins;
    std::vector<int> attitude_before;
    for (int b = 1; b < int(beings.size()); ++b) {
        if (!is_being_ok(b) || !beings[b].present) continue;
        for (int z = vz_first_ambush; z <= vz_last_ambush; ++z)
            if (in_zone(at1(h.zones, z), beings[b].x, beings[b].y)) {
                goblins.push_back(b);
                attitude_before.push_back(get_emotion(b, player, true));
            }
    }
    ASSERT_FALSE(goblins.empty()) << "someone waits behind the walls";

    // The character beside the lever, inside the hall; the walk there is not under test.
    int toward = 0;
    for (int d = 1; d <= 8 && toward == 0; ++d) {
        const int x = lever.x - direction_steps[d].dx, y = lever.y - direction_steps[d].dy;
        if (cell_at(x, y).area == hall && is_free_floor(x, y, 1, 1, 0, 0, 1) && cell_at(x, y).trap == 0 &&
            cell_at(x, y).furniture == 0) {
            place_being(player, x, y, 1);
            toward = d;
        }
    }
    ASSERT_NE(toward, 0);
    const int back = toward <= 4 ? toward + 4 : toward - 4;
    // Stepped on; a character who avoids the lever knows it then, steps back and springs it.
    press_command(game, toward);
    if (cell_at(lever.x, lever.y).trap != 0) {
        ASSERT_LT(cell_at(lever.x, lever.y).trap_difficulty, 0) << "avoided, and so found";
        press_command(game, back);
        press_command(game, toward);
        ASSERT_EQ(game_mode, mode_dialog);
        for (int i = 1; i < spring_button; ++i)
            game.press(key_right);
        game.press(key_enter);
    }
    ASSERT_EQ(game_mode, mode_main);

    EXPECT_EQ(cell_at(lever.x, lever.y).trap, 0) << "the lever is sprung";
    EXPECT_TRUE(game.logged("A secret area is revealed!"));
    for (const cell_at_xy& w : walls) {
        const tcell& c = cell_at(w.x, w.y);
        EXPECT_EQ(c.furniture, 0) << w.x << "," << w.y;
        EXPECT_GE(c.block, first_floor_block) << "the hollow wall is floor now";
        EXPECT_EQ(level_minimap.pixel(w.x + minimap_margin, w.y + minimap_margin) & 0xFFFFFF,
                  block_map_colour(c.block) & 0xFFFFFF)
            << "the minimap shows the floor";
    }
    bool animated = false;
    for (const tcell_animation& a : cell_animations)
        animated = animated || (a.x == walls.front().x && a.y == walls.front().y);
    EXPECT_TRUE(animated) << "the vanishing wall is animated";
    for (std::size_t i = 0; i < goblins.size(); ++i) {
        const tbeing& g = beings[goblins[i]];
        if (!g.present) continue; // struck down already by the character's own turn
        EXPECT_EQ(g.situation_of(ambush_situation), ambush_mark);
        EXPECT_EQ(g.asleep_counter, 0) << "awake";
        EXPECT_LT(get_emotion(goblins[i], player, true), attitude_before[i]) << "turned on the character";
    }
    game.screenshot("ambush_hall_revealed");
}

} // namespace
} // namespace dravok
