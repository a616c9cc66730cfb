// Level creation on the level templates of the built game database: every template gives a
// sound level with its portals placed for many seeds (the round, special and finishing passes
// still build nothing, so their weights fall back to rooms and corridors).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "generation/areas.h"
#include "generation/level_creation.h"
#include "level_fixture.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "records/layout_parts.h"
#include "rules/being_creation.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/item_placement.h"
#include "world/map.h"
#include "world/random.h"
#include "world/rounding.h"

namespace dravok {
namespace {

using namespace testing_levels;

TEST(RealLevelTemplates, EveryTemplateGivesSoundLevels) {
    use_temporary_error_log();
    ASSERT_TRUE(load_built_database());
    ASSERT_GT(levels.size(), 1u);
    for (int i = 1; i < static_cast<int>(levels.size()); ++i) {
        for (uint32_t seed = 1; seed <= 500; ++seed) {
            level = levels[i];
            map_size = level.map_size;
            random_seed = seed * 40503u;
            create_level(1);
            SCOPED_TRACE(levels[i].name.str() + " seed " + std::to_string(seed * 40503u));
            ASSERT_FALSE(quit_requested()) << last_logged_message();
            ASSERT_GT(area_high_index(), 1);
            ASSERT_EQ(unreachable_floor_cells(), 0);
            ASSERT_EQ(area_record_faults(), "");
            // Forced contents find their areas; one that needs a vault waits for the vaults, and
            // the pass stops there.
            for (uint16_t c : levels[i].forced_contents) {
                if (c != 0 && contents[c].area_requests[0].area_kind > area_vault) break;
                bool placed = c == 0;
                for (int a = 1; a <= area_high_index() && !placed; ++a)
                    placed = areas[a].content == c;
                ASSERT_TRUE(placed) << "forced content " << contents[c].name.str();
            }
            for (const tportal& p : portals) {
                if (p.level != levels[i].index) continue;
                ASSERT_TRUE(on_map(p.x, p.y)) << "portal " << p.index;
                if (p.hidden_teleporter == 0 || p.index % 2 != 0) {
                    ASSERT_EQ(get_furniture(p.x, p.y), p.request.object_id) << "portal " << p.index;
                }
            }
        }
    }
    // The same seed gives the same level, contents and all, when the game's counts are as they
    // were. Description entries come from the text bags, which deal on through the game.
    for (int i = 1; i < static_cast<int>(levels.size()); ++i) {
        SCOPED_TRACE(levels[i].name.str());
        std::vector<uint8_t> made[2];
        for (std::vector<uint8_t>& snapshot : made) {
            reset_table_run_fields();
            level = levels[i];
            map_size = level.map_size;
            random_seed = 77;
            create_level(1);
            for (tarea& a : areas) {
                a.text_entry = 0;
                std::fill(std::begin(a.zone_entry), std::end(a.zone_entry), uint16_t(0));
            }
            snapshot = level_snapshot();
        }
        EXPECT_EQ(made[0], made[1]);
    }
    // One level of each template for people to look at.
    for (int i = 1; i < static_cast<int>(levels.size()); ++i) {
        level = levels[i];
        map_size = level.map_size;
        random_seed = 20261209;
        create_level(1);
        const std::filesystem::path path =
            std::filesystem::path(level_image_folder()) / ("level_" + std::to_string(i) + ".png");
        EXPECT_TRUE(write_level_png(path.string()));
    }
    // The first level for people to look at.
    level = levels[1];
    map_size = level.map_size;
    random_seed = 20261209;
    create_level(1);
    const std::filesystem::path folder = level_image_folder();
    const std::filesystem::path path = folder / "first_level.png";
    ASSERT_TRUE(write_level_png(path.string()));
    std::printf("First level image: %s (%d areas)\n", path.c_str(), area_high_index());

    levels.clear();
    vaults.clear();
    contents.clear();
    restore_error_log();
}

} // namespace
} // namespace dravok
