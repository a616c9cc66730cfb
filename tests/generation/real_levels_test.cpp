// Level creation on the level templates of the built game database: every template gives a
// sound level with its portals, forced contents and templates placed for many seeds, and the
// levels together hold every area kind, template and content of the database.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "generation/areas.h"
#include "generation/level_creation.h"
#include "level_fixture.h"
#include "records/layout_being.h"
#include "records/layout_item.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "records/layout_parts.h"
#include "records/layout_plans.h"
#include "records/vocabulary.h"
#include "rules/being_creation.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_creation.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/random.h"
#include "world/rounding.h"
#include "world/tables.h"

namespace dravok {
namespace {

using namespace testing_levels;

TEST(RealLevelTemplates, EveryTemplateGivesSoundLevels) {
    use_temporary_error_log();
    ASSERT_TRUE(load_built_database());
    ASSERT_GT(levels.size(), 1u);
    std::vector<bool> kinds_seen(area_vault + 1, false), templates_seen(vaults.size(), false),
        contents_seen(contents.size(), false);
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
            // Forced contents find their areas, those asking for a vault included.
            for (uint16_t c : levels[i].forced_contents) {
                bool placed = c == 0;
                for (int a = 1; a <= area_high_index() && !placed; ++a)
                    placed = areas[a].content == c;
                ASSERT_TRUE(placed) << "forced content " << contents[c].name.str();
            }
            // Templates carry their zones onto the map, and every area kind, template and
            // content of the database turns up somewhere.
            for (int a = 1; a <= area_high_index(); ++a) {
                const tarea& r = areas[a];
                kinds_seen[r.kind] = true;
                if (r.vault > 0) templates_seen[r.vault] = true;
                if (r.content > 0) contents_seen[r.content] = true;
                if (r.vault == 0) continue;
                const tzone_rect& main_zone = r.zone(vz_main);
                ASSERT_NE(main_zone.x, 0) << "area " << a;
                ASSERT_TRUE(on_map(r.centre_x, r.centre_y));
                ASSERT_EQ(cell_at(r.centre_x, r.centre_y).area, a);
                int main_cells = 0;
                for (int x = main_zone.x; x < main_zone.x + main_zone.width; ++x)
                    for (int y = main_zone.y; y < main_zone.y + main_zone.height; ++y)
                        main_cells += cell_at(x, y).vault_zone == vz_main && cell_at(x, y).area == a;
                ASSERT_GT(main_cells, 0) << "area " << a;
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
    for (int k = area_corridor; k <= area_vault; ++k)
        EXPECT_TRUE(kinds_seen[k]) << "no level holds a " << vocab::area_kinds[std::size_t(k)];
    for (std::size_t t = 1; t < vaults.size(); ++t)
        EXPECT_TRUE(templates_seen[t]) << "template " << vaults[t].identifier.str() << " is never built";
    for (std::size_t c = 1; c < contents.size(); ++c)
        EXPECT_TRUE(contents_seen[c]) << "content " << contents[c].name.str() << " is never placed";
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

// A content's creature bonus goes into the kits of the creatures its rows make: the prison's
// guards are equipped as if far deeper than their level.
TEST(RealLevelTemplates, AContentsCreatureBonusGoesIntoItsCreaturesKits) {
    use_temporary_error_log();
    ASSERT_TRUE(load_built_database());
    int prison = 0, goblin = 0;
    for (int c = 1; c < static_cast<int>(contents.size()); ++c)
        if (contents[c].name.view() == "prison_block") prison = c;
    for (int p = 1; p < static_cast<int>(being_plans.size()); ++p)
        if (being_plans[p].identifier.view() == "be_goblin") goblin = p;
    ASSERT_TRUE(prison != 0 && goblin != 0);
    contents[prison].creature_bonus = 100;
    level = levels[2];
    map_size = level.map_size;
    random_seed = 4711;
    create_level(1);
    ASSERT_FALSE(quit_requested()) << last_logged_message();
    EXPECT_EQ(content_creature_bonus, 0) << "the bonus ends with the content's rows";
    int guards = 0;
    for (int b = 1; b < static_cast<int>(beings.size()); ++b) {
        const tbeing& g = beings[b];
        if (g.present == 0 || g.plan != goblin || !on_map(g.x, g.y)) continue;
        const int area = cell_at(g.x, g.y).area;
        if (areas[area].content != prison) continue;
        ++guards;
        // At a depth beyond a hundred every piece that can be enchanted is.
        int enchantable = 0;
        for (const titem& it : being_items[b]) {
            if (it.plan == 0 || item_plans[it.plan].max_enchantment < 1) continue;
            ++enchantable;
            EXPECT_GE(it.enchantment, 1) << it.name.str();
        }
        EXPECT_GT(enchantable, 0) << "the guard wears armour";
    }
    EXPECT_EQ(guards, 2);
    levels.clear();
    vaults.clear();
    contents.clear();
    restore_error_log();
}

} // namespace
} // namespace dravok
