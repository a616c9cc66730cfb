// The obituary of a character who fell after a fight: the creatures it defeated, counted as the
// fight counted them, under a heading that gives their sum, and never the character itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "rules/being_creation.h"
#include "rules/damage.h"
#include "support/creation_keys.h"
#include "support/new_game_fixture.h"
#include "ui/key_bindings.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/game_lists.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {
namespace {

using testing::press_command;

class Obituary : public testing::new_game_fixture {};

TEST_F(Obituary, ACharacterKilledAfterThreeVictoriesListsThoseThreeUnderTheirSum) {
    for (int i = 1; i < int(beings.size()); ++i)
        if (i != hero && beings[i].present) remove_being(i, 1);
    // A spot with two free cells east of it, in one area.
    int x = 0, y = 0;
    for (int cx = 2; cx < map_size - 2 && x == 0; ++cx)
        for (int cy = 2; cy < map_size && x == 0; ++cy)
            if (is_free_floor(cx, cy, 1, 1, 0, 0, 1) && is_free_floor(cx + 1, cy, 1, 1, 0, 0, 1) &&
                cell_at(cx, cy).furniture == 0 && cell_at(cx + 1, cy).area == cell_at(cx, cy).area)
                x = cx, y = cy;
    ASSERT_NE(x, 0);
    place_being(hero, x, y, 1);
    const int rat = find_being_plan_by_name("be_rat_giant");
    ASSERT_NE(rat, 0);

    // Three rats, one after another, each beaten by walking into it.
    for (int victory = 1; victory <= 3; ++victory) {
        const int b = add_being_to_level(x + 1, y, blank_being, 1, rat);
        ASSERT_NE(b, 0);
        const int serial = beings[b].serial;
        beings[b].health = 1;
        for (int press = 0; press < 60 && beings[b].serial == serial && beings[b].present; ++press) {
            beings[hero].health = beings[hero].health_max;
            press_command(session, MOVE_E);
            if (beings[hero].x != x) place_being(hero, x, y, 1);
        }
        ASSERT_FALSE(beings[b].serial == serial && beings[b].present) << "rat " << victory << " still stands";
    }
    EXPECT_EQ(being_plans[rat].kills, 3);

    // Then a trap's blow, as the trap handler deals it.
    tdamage blow{};
    blow.of(1) = 500;
    blow.total = 500;
    tdamage result{};
    damage_being(hero, 0, blow, result, 1, cause_trap);
    ASSERT_EQ(result.killed, 1);
    kill_being(hero, result, 1);
    ASSERT_EQ(state.died, 1);

    const auto heading = std::find_if(history.begin(), history.end(), [](const std::string& l) {
        return l.starts_with("CREATURES DEFEATED");
    });
    ASSERT_NE(heading, history.end());
    EXPECT_EQ(*heading, "CREATURES DEFEATED               3");
    std::vector<std::string> rows;
    for (auto line = heading + 2; line != history.end() && !line->empty(); ++line)
        rows.push_back(*line);
    EXPECT_EQ(rows, std::vector<std::string>{"Giant rat                        3"});
}

} // namespace
} // namespace dravok
