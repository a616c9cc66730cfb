// Creatures hidden as furniture show themselves in play: a mimic chest bumped into, a coffin
// opened, a living statue waking, each with its message.
#include <gtest/gtest.h>

#include <string>

#include "ai/sight.h"
#include "records/layout_being.h"
#include "records/layout_item.h"
#include "rules/being_checks.h"
#include "rules/being_creation.h"
#include "rules/checks.h"
#include "support/driver.h"
#include "support/process_state.h"
#include "ui/key_bindings.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/indicators.h"
#include "world/level_areas.h"
#include "world/level_items.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok {
namespace {

using dravok::testing::turn_driver;

class Reveals : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dravok::testing::load_built_database());
        reset_table_run_fields();
        log_area_width = 100000;
        level_items.assign(101, blank_item);
    }
    void TearDown() override { log_area_width = 600; }

    // Furniture at (x, y) hiding a creature of the template; the player has the cell in view.
    static void hide(int x, int y, int furniture, const char* plan) {
        add_furniture(x, y, furniture, 1);
        cell_at(x, y).hidden_creature = uint16_t(find_being_plan_by_name(plan));
        ASSERT_GT(cell_at(x, y).hidden_creature, 0);
        mark_seen_cell(player, x, y);
    }
    // The appearance glow plays on the being the furniture was hiding.
    static bool glows(int being) {
        for (const tcell_animation& a : cell_animations)
            if (a.followed_being == being && a.kind == 4) return true;
        return false;
    }
    static bool logged(const turn_driver& d, const std::string& text) {
        for (const std::string& m : d.messages())
            if (m.find(text) != std::string::npos) return true;
        return false;
    }
};

TEST_F(Reveals, AChestTouchedIsAMimic) {
    turn_driver d;
    d.add_player(5, 5);
    hide(5, 4, fu_chest, "be_mimic_chest");
    ASSERT_TRUE(is_closed_container(5, 4));
    d.press(key_up);
    EXPECT_TRUE(logged(d, "That chest is not real but a mimic!"));
    const int mimic = cell_at(5, 4).being;
    ASSERT_GT(mimic, 0);
    EXPECT_EQ(beings[mimic].identifier.view(), "be_mimic_chest");
    EXPECT_TRUE(glows(mimic));
    EXPECT_EQ(cell_at(5, 4).furniture, 0) << "the chest is gone";
    EXPECT_EQ(cell_at(5, 4).hidden_creature, 0);
    EXPECT_EQ(beings[player].y, 5) << "the player did not step";
}

TEST_F(Reveals, AnOpenedCoffinLetsItsDwellerOut) {
    turn_driver d;
    d.add_player(5, 5);
    hide(5, 4, fu_coffin, "be_vampire");
    d.press(key_up);
    EXPECT_TRUE(logged(d, "As you open the coffin, a monster appears!"));
    EXPECT_EQ(cell_at(5, 4).furniture_state, 1) << "opened";
    EXPECT_EQ(cell_at(5, 4).hidden_creature, 0);
    int vampire = 0;
    for (std::size_t i = 1; i < beings.size(); ++i)
        if (beings[i].present && beings[i].identifier.view() == "be_vampire") vampire = int(i);
    ASSERT_GT(vampire, 0);
    EXPECT_TRUE(glows(vampire));
}

TEST_F(Reveals, AStatueWakesWhenThePlayerRestsBesideIt) {
    turn_driver d;
    d.add_player(5, 5);
    hide(5, 4, fu_statue_humanoid, "be_statue_living");
    areas[1].x1 = areas[1].y1 = 1;
    areas[1].x2 = areas[1].y2 = map_size;
    areas[1].rules_counter = 1; // the area knows it hides one
    beings[player].area = 1;
    random_seed = 11u;
    for (int i = 0; i < 300 && cell_at(5, 4).hidden_creature != 0; ++i) {
        mark_seen_cell(player, 5, 4); // the sight pass of the dark test room sees nothing by itself
        d.press_command(REST);
    }
    EXPECT_TRUE(logged(d, "That statue is alive!"));
    EXPECT_EQ(cell_at(5, 4).furniture, 0);
    EXPECT_GT(cell_at(5, 4).being, 0);
    EXPECT_TRUE(glows(cell_at(5, 4).being));
    EXPECT_EQ(areas[1].rules_counter, 0);
}

} // namespace
} // namespace dravok
