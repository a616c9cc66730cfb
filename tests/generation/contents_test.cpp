// Contents: forced contents and themes finding their areas and furnishing them, pick-one
// groups, and the level-wide lock pass.
#include <gtest/gtest.h>

#include <algorithm>

#include "generation/areas.h"
#include "generation/contents.h"
#include "generation/locations.h"
#include "level_fixture.h"
#include "records/layout_dice.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "records/layout_parts.h"
#include "world/blank_records.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/tables.h"

namespace dravok {
namespace {

using namespace testing_levels;

constexpr int theme_group = 5;

// Four rooms of 7 x 7 cells and three contents of one theme, each placing a chest.
class Contents : public ::testing::Test {
  protected:
    void SetUp() override {
        use_temporary_error_log();
        random_seed = 9;
        start_blank_attempt(40);
        for (int i = 0; i < 4; ++i)
            carve_area(i + 1, 2 + 9 * i, 2, 8 + 9 * i, 8, area_room);
        areas.resize(5);
        contents.assign(4, tcontent{});
        for (int c = 1; c <= 3; ++c) {
            tcontent& k = contents[c];
            k.groups[0] = theme_group;
            k.area_requests[0] = blank_stuff;
            k.area_requests[0].area_kind = area_room;
            k.area_requests[0].max_exit_cells = 200;
            k.stuff[0] = row(fu_chest);
        }
    }
    void TearDown() override {
        contents.clear();
        restore_error_log();
    }
    static tdice fixed(int value) {
        tdice d{};
        d.bonus = int16_t(value);
        return d;
    }
    static tstuff row(int furniture) {
        tstuff r = blank_stuff;
        r.kind = request_furniture;
        r.object_id = uint16_t(furniture);
        r.count = fixed(1);
        r.chance = fixed(100);
        r.max_exit_cells = 200;
        return r;
    }
    static std::vector<int> area_contents() {
        std::vector<int> list;
        for (int a = 1; a <= area_high_index(); ++a)
            list.push_back(areas[a].content);
        return list;
    }
    static int count_furniture(int furniture) {
        int n = 0;
        for (int x = 1; x <= map_size; ++x)
            for (int y = 1; y <= map_size; ++y)
                n += get_furniture(x, y) == furniture;
        return n;
    }
};

TEST_F(Contents, ThemesDrawEligibleContentsIntoFreeAreas) {
    // Content 1 at most once a level, drawn by a theme that rolls five.
    contents[1].max_per_level = 1;
    contents[2].groups[0] = 0;
    contents[3].groups[0] = 0;
    level.theme(1).group = theme_group;
    level.theme(1).count = fixed(5);
    set_level_themes(1);
    EXPECT_EQ(contents[1].count_level, 1);
    EXPECT_EQ(count_furniture(fu_chest), 1);

    // A theme with the all flag: every eligible content once, in index order, one area each.
    SetUp();
    level.theme(1).group = theme_group;
    level.theme(1).count = tdice{};
    level.theme(1).count.all_flag = 1;
    set_level_themes(1);
    std::vector<int> placed = area_contents();
    std::sort(placed.begin(), placed.end());
    EXPECT_EQ(placed, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(count_furniture(fu_chest), 3) << "each content's row furnished its own area";
}

TEST_F(Contents, AForcedContentWithoutAnAreaStopsThePass) {
    contents[1].area_requests[0].area_kind = area_cave;
    level.forced_contents[0] = 1;
    level.forced_contents[1] = 2;
    add_forced_contents(1);
    EXPECT_EQ(area_contents(), (std::vector<int>{0, 0, 0, 0}));

    level.forced_contents[0] = 2;
    level.forced_contents[1] = 3;
    add_forced_contents(1);
    std::vector<int> placed = area_contents();
    EXPECT_EQ(std::count(placed.begin(), placed.end(), 2), 1);
    EXPECT_EQ(std::count(placed.begin(), placed.end(), 3), 1);
}

TEST_F(Contents, APickOneGroupPlacesOneRow) {
    const int furniture[3] = {fu_barrel, fu_crate, fu_table};
    for (int round = 0; round < 10; ++round) {
        SetUp();
        tcontent& k = contents[1];
        for (int i = 0; i < 3; ++i) {
            k.stuff[i] = row(furniture[i]);
            k.stuff[i].group_member = 1;
        }
        k.stuff[0].group_first = 1;
        k.stuff[2].group_last = 1;
        tstuff request = blank_stuff;
        request.area = 2;
        add_content_stuff(1, request, 1);
        EXPECT_EQ(count_furniture(fu_barrel) + count_furniture(fu_crate) + count_furniture(fu_table), 1);
        EXPECT_EQ(areas[2].content, 1);
    }
}

TEST_F(Contents, LockingTakesEveryUnlockedLockableDoor) {
    const int doors[3][2] = {{8, 4}, {8, 6}, {17, 4}};
    for (const auto& d : doors)
        add_furniture(d[0], d[1], fu_door_lockable);
    cell_at(8, 6).lock = 7;
    tdice lock = fixed(12);
    lock_area_furniture(0, 100, fu_door_lockable, lock, 3, 1);
    EXPECT_EQ(cell_at(8, 4).lock, 12);
    EXPECT_EQ(cell_at(8, 4).key_item, 3);
    EXPECT_EQ(cell_at(17, 4).lock, 12);
    EXPECT_EQ(cell_at(8, 6).lock, 7) << "a door with a lock keeps it";
    EXPECT_EQ(cell_at(8, 6).key_item, 0);
}

} // namespace
} // namespace dravok
