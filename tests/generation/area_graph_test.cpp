#include <gtest/gtest.h>

#include "fixtures/small_world.h"
#include "generation/areas.h"
#include "generation/contents.h"
#include "generation/grids.h"
#include "level_fixture.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "rules/being_creation.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/random.h"
#include "world/rounding.h"
#include "world/tables.h"

namespace dravok {
namespace {

using namespace testing_levels;

class AreaGraph : public ::testing::Test {
  protected:
    void SetUp() override {
        use_temporary_error_log();
        random_seed = 1;
        start_blank_attempt(64);
    }
    void TearDown() override { restore_error_log(); }
    // Area n with kind `kind`, registered without cells.
    static void register_area(int n, int kind) { add_to_areas(n, 1, 1, 1, 1, 1, 3, 3, kind, 9, 0); }
    // Opens the shared wall cell (x, y) between two carved areas as a doorway of area `area`.
    static void open_doorway(int x, int y, int area) {
        set_block(x, y, 63, 0, false, area, areas[area].kind);
    }
};

TEST_F(AreaGraph, NonCorridorNeighboursGoAheadOfCorridorsUntilTheListIsFull) {
    register_area(1, area_room);
    register_area(2, area_corridor);
    register_area(3, area_room);
    add_area_connection(1, 2, 0, 0);
    add_area_connection(1, 3, 0, 0);
    const tarea& a = areas[1];
    EXPECT_EQ(a.exit_neighbours[0], 3);
    EXPECT_EQ(a.exit_neighbours[1], 2);
    EXPECT_EQ(a.neighbour_kind[1], area_corridor);
    EXPECT_EQ(a.exits, 2);
    EXPECT_EQ(a.non_corridor_neighbours, 1);
    add_area_connection(1, 3, 0, 0);
    EXPECT_EQ(a.exit_count[0], 2);
    EXPECT_EQ(a.exits, 2);

    // A full list: 100 neighbours, the last ones corridors; the 101st area is dropped.
    for (int n = 4; n <= 103; ++n)
        register_area(n, n <= 100 ? area_room : area_corridor);
    for (int n = 4; n <= 101; ++n)
        add_area_connection(1, n, 0, 0);
    EXPECT_EQ(areas[1].exits, 100);
    add_area_connection(1, 102, 0, 0);
    add_area_connection(1, 103, 0, 0);
    EXPECT_EQ(areas[1].exits, 100);
    EXPECT_FALSE(areas_connected(1, 102));
    EXPECT_FALSE(areas_connected(1, 103));
}

TEST_F(AreaGraph, ExitCellsCountNeighbourCellsOnceAndBuildDeadEndChains) {
    // Room 1 | corridor 2 | room 3 in a row, joined through doorways; a lone room 4.
    carve_area(1, 10, 10, 16, 16, area_room);
    carve_area(2, 16, 12, 24, 14, area_corridor);
    carve_area(3, 24, 10, 30, 16, area_room);
    carve_area(4, 40, 40, 45, 45, area_room);
    open_doorway(16, 13, 2);
    open_doorway(24, 13, 2);
    calculate_area_exits();
    // The doorway cell (16, 13) belongs to the corridor: room 1 sees it once.
    EXPECT_EQ(areas[1].exit_cells, 1);
    EXPECT_EQ(areas[2].exit_cells, 2);
    EXPECT_EQ(areas[1].exits, 1);
    EXPECT_EQ(areas[2].exits, 2);
    EXPECT_EQ(areas[2].dead_end_root, 3); // the walk from room 3 comes last
    EXPECT_EQ(areas[1].dead_end_root, 0);
    EXPECT_EQ(areas[4].exits, 0);
    EXPECT_FALSE(areas_connected_2(1, 2)); // a direct neighbour only
    EXPECT_TRUE(areas_connected_2(1, 3));

    number_areas_from(4, false, false);
    EXPECT_EQ(areas[4].ordinal, 1);
    EXPECT_EQ(areas[1].ordinal, 0);
    number_areas_from(1, false, false);
    EXPECT_EQ(areas[1].ordinal, 1);
    EXPECT_EQ(areas[2].ordinal, 2);
    EXPECT_EQ(areas[3].ordinal, 3);
    EXPECT_EQ(areas[4].ordinal, 0);
}

TEST_F(AreaGraph, TwoCellsOfOneNeighbourNextToTheSameCellCountOnce) {
    carve_area(1, 10, 10, 14, 14, area_room);
    carve_area(2, 14, 10, 18, 14, area_room);
    // Open two cells of the shared wall: room 1's floor cell (13, 12) sees (14, 12) and
    // (13, 11) sees nothing new; room 2's cells (14, 11) and (14, 12) are distinct exit cells.
    open_doorway(14, 11, 2);
    open_doorway(14, 12, 2);
    calculate_area_exits();
    EXPECT_EQ(areas[1].exit_cells, 2);
    EXPECT_EQ(areas[1].exit_count[0], 2);
    EXPECT_EQ(areas[2].exit_cells, 2);
}

TEST_F(AreaGraph, DoorStatesFollowTheDoorsAndAnOpenDoorwayWins) {
    carve_area(1, 10, 10, 16, 16, area_room);
    carve_area(2, 16, 10, 22, 16, area_room);
    carve_area(3, 10, 16, 16, 22, area_room);
    open_doorway(16, 12, 2); // a plain doorway between 1 and 2
    open_doorway(16, 14, 2); // and a door between the same two
    add_furniture(16, 14, 8, 0);
    open_doorway(13, 16, 3); // a closed lockable door between 1 and 3
    add_furniture(13, 16, 9, 0);
    calculate_area_exits();
    update_area_door_states();
    EXPECT_EQ(areas[1].door_state[0] == door_empty || areas[1].door_state[1] == door_empty, true);
    auto state_between = [](int a, int b) {
        for (int j = 0; j < 100; ++j)
            if (areas[a].exit_neighbours[j] == b) return static_cast<int>(areas[a].door_state[j]);
        return -1;
    };
    EXPECT_EQ(state_between(1, 2), door_empty);
    EXPECT_EQ(state_between(2, 1), door_empty);
    EXPECT_EQ(state_between(1, 3), door_locked);
    EXPECT_EQ(areas[1].locked_doors, 1);
    EXPECT_EQ(areas[1].closed_doors, 1);
    EXPECT_EQ(areas[1].door_cells, 2);
    EXPECT_EQ(areas[1].openings, areas[1].exit_cells - 2);

    // Opening the lockable door: the rules account it with toggled set.
    cell_at(13, 16).furniture_state = 1;
    update_area_door_state(13, 16, true);
    EXPECT_EQ(areas[1].opened_doors, 1);
    EXPECT_EQ(areas[3].closed_doors, 0);
    EXPECT_EQ(state_between(1, 3), door_opened);
    EXPECT_EQ(areas[1].passable_exits, areas[1].openings + 1);
}

TEST_F(AreaGraph, SecretDoorsMakeAreasTouchAndNamesFollowKindsAndGroups) {
    carve_area(1, 10, 10, 16, 16, area_room);
    carve_area(2, 16, 10, 22, 16, area_room);
    add_furniture(16, 13, 11, 0);
    update_area_door_states();
    EXPECT_TRUE(areas_touching(1, 2));
    EXPECT_TRUE(areas_touching(2, 1));
    EXPECT_EQ(areas[1].touching, 1);
    std::string name;
    area_kind_name(4, 0, name);
    EXPECT_EQ(name, "ellipse");
    area_kind_name(10, 0, name); // no templates: group 1
    EXPECT_EQ(name, "sg_all");
    area_kind_name(69, 0, name);
    EXPECT_EQ(name, "vo_base_blocks");
    area_kind_name(70, 0, name);
    EXPECT_EQ(name, "-");
    area_kind_name(0, 2, name);
    EXPECT_EQ(name, "room");
    area_kind_name(0, 99, name);
    EXPECT_EQ(name, "-");
}

TEST_F(AreaGraph, MostConnectedAreaKeepsTheEarlierOfEqualCounts) {
    for (int n = 1; n <= 3; ++n)
        register_area(n, area_room);
    areas[1].exits = 2;
    areas[2].exits = 3;
    areas[3].exits = 3;
    const int list[] = {0, 1, 99, 2, 3};
    EXPECT_EQ(most_connected_area(list, 4), 3);
    const int none[] = {0, 500}; // beyond the array
    EXPECT_EQ(most_connected_area(none, 1), 0);
}

} // namespace
} // namespace dravok

namespace dravok {
namespace {

// Two rooms joined by a closed door (6, 6); a goblin stands in room 1.
class NeighbourPick : public ::testing::Test {
  protected:
    void SetUp() override {
        world = fixtures::build_small_world();
        calculate_area_exits();
        update_area_door_states();
        beings[world.goblin].area =
            static_cast<uint16_t>(cell_at(beings[world.goblin].x, beings[world.goblin].y).area);
    }
    fixtures::small_world world;
};

TEST_F(NeighbourPick, ClosedAndLockedDoorsAndSearchMarksRuleOutNeighbours) {
    const int goblin = world.goblin;
    const int home = beings[goblin].area;
    const int other = home == 1 ? 2 : 1;
    EXPECT_EQ(pick_neighbour_area(goblin, 1, true, true, false), other);
    EXPECT_EQ(pick_neighbour_area(goblin, 2, true, true, false), 0);
    EXPECT_EQ(pick_neighbour_area(goblin, -1, true, true, false), other);
    beings[goblin].type_flags[tf_can_open_doors] = 0;
    beings[goblin].type_flags[tf_can_close_doors] = 0;
    EXPECT_EQ(pick_neighbour_area(goblin, 1, true, true, true), 0); // closed, and it cannot open doors
    beings[goblin].type_flags[tf_can_open_doors] = 1;
    EXPECT_EQ(pick_neighbour_area(goblin, 1, true, true, true), other);
    areas[other].search = 1;
    EXPECT_EQ(pick_neighbour_area(goblin, 1, true, true, false), 0);
    areas[other].search = 0;
    cell_at(fixtures::door_x, fixtures::door_y).furniture = 9; // a lockable door, closed: locked
    update_area_door_states();
    EXPECT_EQ(pick_neighbour_area(goblin, 1, true, true, false), 0);
    EXPECT_EQ(pick_neighbour_area(0, 1, true, true, false), 0);
}

TEST(ContentRanking, EligibleContentsOfAGroupAreNumberedInIndexOrder) {
    contents.assign(4, tcontent{});
    contents[1].groups[0] = 5;
    contents[2].groups[0] = 7;
    contents[2].groups[1] = 5;
    contents[3].groups[0] = 5;
    contents[3].max_per_level = 1;
    contents[3].count_level = 1;
    EXPECT_EQ(rank_content_templates(5, false), 2);
    EXPECT_EQ(contents[1].ordinal, 1);
    EXPECT_EQ(contents[2].ordinal, 2);
    EXPECT_EQ(contents[3].ordinal, 0);
    contents[1].used = 1;
    EXPECT_EQ(rank_content_templates(0, true), 0); // the reset clears counts and used marks
    EXPECT_EQ(contents[3].count_level, 0);
    EXPECT_EQ(rank_content_templates(5, false), 3);
    contents.clear();
}

} // namespace
} // namespace dravok
