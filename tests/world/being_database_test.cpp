// Every creature template of the built game database is created, placed on an open level,
// and removed again.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok {
namespace {

// A 128 x 128 level of floor inside a wall border, one area.
void build_open_level() {
    map_cells.fill(blank_cell);
    map_effect_grid.fill(blank_map_effect_cell);
    map_size = max_map_size;
    areas.assign(2, blank_area);
    areas[1].x1 = 1, areas[1].y1 = 1, areas[1].x2 = map_size, areas[1].y2 = map_size;
    for (int x = 1; x <= map_size; ++x) {
        for (int y = 1; y <= map_size; ++y) {
            tcell& c = cell_at(x, y);
            c.block = (x == 1 || y == 1 || x == map_size || y == map_size) ? 1 : 43;
            c.area = 1;
            c.shape = 2;
        }
    }
}

TEST(BuiltDatabaseBeings, EveryTemplateIsCreatedPlacedAndRemoved) {
    dravok::testing::TempFolder folder;
    set_program_folder(folder.path());
    clear_quit_request();
    ASSERT_TRUE(load_database_from(std::string(DRAVOK_DATA_DIR) + "/Dravok.dbs"));
    ASSERT_GT(being_plans.size(), 2u);
    build_open_level();
    free_beings();
    grow_beings(350);
    game = game_template;
    game.game_clock = 1000;
    random_seed = 4242;

    std::set<int32_t> serials;
    int placed = 0;
    for (int plan = 1; plan < int(being_plans.size()); ++plan) {
        const tbeing_plan& p = being_plans[plan];
        // Pantheon avatars are copies of stored gods; without a pantheon none is made.
        if (p.special >= 1 && p.special <= 8) continue;
        int x = 0, y = 0;
        find_free_floor_for_being(64, 64, p.width, x, y, 0, p.height);
        ASSERT_NE(x, 0) << p.identifier.str();
        const int b = add_being_to_level(x, y, blank_being, 0, plan);
        ASSERT_NE(b, 0) << p.identifier.str();
        const tbeing& being = beings[b];
        EXPECT_TRUE(is_being_ok(b)) << p.identifier.str();
        EXPECT_FALSE(being.name.empty()) << p.identifier.str();
        EXPECT_GE(being.width, 1) << p.identifier.str();
        EXPECT_TRUE(serials.insert(being.serial).second) << p.identifier.str();
        EXPECT_EQ(cell_at(x, y).being, b);
        EXPECT_EQ(cell_at(x + being.width - 1, y + being.height - 1).being, b);
        EXPECT_FALSE(being_name(b, name_article).empty());
        ++placed;
        // Make room: the level holds them one at a time.
        remove_being(b, 0);
        EXPECT_EQ(cell_at(x, y).being, 0);
    }
    EXPECT_GT(placed, 10);
    EXPECT_FALSE(quit_requested());
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y)
            ASSERT_EQ(cell_at(x, y).being, 0);
    EXPECT_EQ(areas[1].beings, 0);
    set_program_folder("");
}

} // namespace
} // namespace dravok
