// The finishing and connection passes on small maps carved by hand: the door check, secret
// doors, extra corridors between large rooms, doors through single walls, hallways toward
// other areas, dead ends opened into the floor ahead and natural areas smoothed.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "generation/areas.h"
#include "generation/connections.h"
#include "generation/dead_ends.h"
#include "generation/finishing.h"
#include "generation/grids.h"
#include "generation/hallways.h"
#include "generation/level_creation.h"
#include "level_fixture.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/random.h"

namespace dravok {
namespace {

using namespace testing_levels;

constexpr int floor_block = 63, wall_block = 14;

class Finishing : public ::testing::Test {
  protected:
    void SetUp() override {
        use_temporary_error_log();
        random_seed = 1;
        start_blank_attempt(64);
    }
    void TearDown() override { restore_error_log(); }
    static void open(int x, int y, int area) {
        set_block(x, y, floor_block, 0, false, area, areas[area].kind);
    }
    // The area records, cut to the areas built as a finished level's are, agree with the cells.
    static void expect_sound_records() {
        areas.resize(dungeon.next_area);
        EXPECT_EQ(area_record_faults(), "");
    }
    static void door(int x, int y, int area, int furniture) {
        open(x, y, area);
        add_furniture(x, y, furniture);
    }
};

TEST_F(Finishing, TheDoorCheckKeepsDoorsInWallsAndWallsUpDoorsStandingInOpenFloor) {
    // Two rooms side by side: a door in the shared wall stays.
    carve_area(1, 10, 10, 16, 16, area_room);
    carve_area(2, 16, 10, 22, 16, area_room);
    door(16, 13, 2, fu_door);
    EXPECT_TRUE(fix_door(16, 13));
    EXPECT_EQ(get_furniture(16, 13), fu_door);

    // A door at the end of a one-cell wall stub in a large room stands in open floor.
    carve_area(3, 30, 30, 50, 50, area_room);
    set_block(40, 39, wall_block, 0, false, 3, area_room);
    door(40, 40, 3, fu_door);
    EXPECT_FALSE(fix_door(40, 40));
    EXPECT_EQ(get_furniture(40, 40), 0);
    EXPECT_TRUE(is_wall(40, 40));
    EXPECT_EQ(cell_at(40, 40).area, 3);

    // The door at a corridor's origin is left to the corridor.
    carve_area(4, 30, 10, 40, 12, area_corridor);
    door(30, 10, 4, fu_door);
    EXPECT_FALSE(fix_door(30, 10));
    EXPECT_EQ(get_furniture(30, 10), fu_door);
}

TEST_F(Finishing, DoorsIntoSmallOneExitRoomsBecomeSecretButCellDoorsNever) {
    struct row {
        int furniture;
        int x2; // the room's east wall: 5 x 6 = 30 cells, 7 x 6 = 42 cells
        int expected;
    };
    for (const row r : {row{fu_door_lockable, 14, fu_door_secret}, row{fu_door, 14, fu_door_secret},
                        row{fu_door_cell, 14, fu_door_cell}, row{fu_door_lockable, 16, fu_door_lockable}}) {
        start_blank_attempt(64);
        dungeon.secret_conversion_chance = 0;
        carve_area(2, r.x2, 11, r.x2 + 6, 13, area_corridor);
        carve_area(1, 10, 10, r.x2, 15, area_room);
        door(r.x2, 12, 1, r.furniture);
        calculate_area_exits();
        ASSERT_EQ(areas[1].exit_cells, 1);
        doors_to_secret_doors(0);
        EXPECT_EQ(get_furniture(r.x2, 12), r.expected)
            << r.furniture << " into " << areas[1].cells << " cells";
    }
}

TEST_F(Finishing, DoorsThroughSingleWallsOnlyJoinAreasNotYetJoined) {
    carve_area(1, 10, 10, 16, 16, area_room);
    carve_area(2, 16, 10, 22, 16, area_room);
    auto doors_in_shared_wall = [] {
        int n = 0;
        for (int y = 11; y <= 15; ++y)
            n += get_furniture(16, y) != 0 || is_floor(16, y);
        return n;
    };
    // Neither has a connection: one secret door, and they count as touching.
    connect_areas_through_walls(0);
    EXPECT_EQ(doors_in_shared_wall(), 1);
    EXPECT_EQ(get_furniture(16, 11), fu_door_secret);
    EXPECT_TRUE(areas_touching(1, 2));

    // Both joined to a third area: no door.
    start_blank_attempt(64);
    carve_area(1, 10, 10, 16, 16, area_room);
    carve_area(2, 16, 10, 22, 16, area_room);
    carve_area(3, 30, 30, 36, 36, area_room);
    for (int a : {1, 2}) {
        add_area_connection(a, 3, 0, 0);
        add_area_connection(3, a, 0, 0);
    }
    connect_areas_through_walls(0);
    EXPECT_EQ(doors_in_shared_wall(), 0);

    // Both joined elsewhere, but not to each other: a doorway, recorded both ways.
    start_blank_attempt(64);
    carve_area(1, 10, 10, 16, 16, area_room);
    carve_area(2, 16, 10, 22, 16, area_room);
    carve_area(3, 30, 30, 36, 36, area_room);
    carve_area(4, 40, 40, 46, 46, area_room);
    add_area_connection(1, 3, 0, 0);
    add_area_connection(2, 4, 0, 0);
    connect_areas_through_walls(0);
    EXPECT_EQ(doors_in_shared_wall(), 1);
    EXPECT_TRUE(areas_connected(1, 2));
    EXPECT_TRUE(areas_connected(2, 1));
    expect_sound_records();
}

TEST_F(Finishing, AOneExitRoomOfFortyNineCellsGetsAnExtraCorridorAndOneOfFortyEightNone) {
    struct row {
        int x2, y2;
        bool corridor;
    };
    for (const row r : {row{26, 36, true}, row{27, 35, false}}) {
        start_blank_attempt(64);
        // The large room to the north, grown from another area.
        carve_area(2, 18, 20, 30, 27, area_room);
        areas[2].parent = 9;
        // The room below it with its one exit into a corridor to the south.
        carve_area(1, 20, 30, r.x2, r.y2, area_room);
        carve_area(3, 21, r.y2, 25, r.y2 + 6, area_corridor);
        open(23, r.y2, 3);
        calculate_area_exits();
        ASSERT_EQ(areas[1].exit_cells, 1);
        const int start_x = 20 + (r.x2 - 20 + 1) / 2;
        connect_areas_with_corridors(0);
        EXPECT_EQ(dungeon.next_area, r.corridor ? 5u : 4u) << areas[1].cells << " cells";
        if (!r.corridor) continue;
        // Four cells long: both ends are plain openings into the new corridor.
        EXPECT_EQ(areas[4].kind, area_corridor);
        for (int y : {30, 27}) {
            EXPECT_TRUE(is_floor(start_x, y)) << y;
            EXPECT_EQ(get_furniture(start_x, y), 0);
            EXPECT_EQ(cell_at(start_x, y).area, 4);
        }
        EXPECT_TRUE(areas_connected(1, 4));
        EXPECT_TRUE(areas_connected(2, 4));
        expect_sound_records();
    }
}

TEST_F(Finishing, AHallwayIsDugTowardAnotherAreaButNeverIntoOneOfTwentyFiveCells) {
    struct row {
        int x2; // the target's east wall: 5 x 5 or 6 x 5 cells
        bool dug;
    };
    for (const row r : {row{14, false}, row{15, true}}) {
        start_blank_attempt(64);
        carve_area(1, 10, 10, 16, 16, area_room);
        carve_area(2, 10, 2, r.x2, 6, area_room);
        EXPECT_EQ(continue_hallway(13, 10, 1, 0, false), r.dug);
        for (int y = 6; y <= 10; ++y)
            EXPECT_EQ(is_floor(13, y), r.dug) << y;
        if (r.dug) {
            EXPECT_EQ(cell_at(13, 8).area, 1);
            expect_sound_records();
        }
    }
}

TEST_F(Finishing, ADeadEndOpensIntoTheFloorAheadAndWideStyleMakesNoMarkDoorways) {
    // A corridor ends against a room's wall: the end and the wall both open into the room.
    carve_area(1, 10, 10, 12, 20, area_corridor);
    carve_area(2, 8, 21, 16, 28, area_room);
    ASSERT_TRUE(deadend_to_floor(11, 20, 3, 0));
    EXPECT_TRUE(is_floor(11, 20));
    EXPECT_TRUE(is_floor(11, 21));
    EXPECT_EQ(cell_at(11, 20).area, 1);
    EXPECT_EQ(cell_at(11, 21).area, 2);
    EXPECT_EQ(cell_at(11, 21).shape, area_room);
    // Two walls ahead: nothing.
    EXPECT_FALSE(deadend_to_floor(11, 10, 1, 0));

    start_blank_attempt(64);
    carve_area(1, 10, 10, 16, 16, area_room);
    carve_area(2, 16, 10, 22, 16, area_room);
    tmark m;
    m.x = 16;
    m.y = 13;
    m.direction = 2;
    m.origin_kind = area_room;
    m.origin_area = 1;
    dungeon.corridor_style = 2;
    mark_to_doorway(m, 0);
    EXPECT_TRUE(is_wall(16, 13));
    dungeon.corridor_style = 1;
    mark_to_doorway(m, 0);
    EXPECT_TRUE(is_floor(16, 13) || get_furniture(16, 13) == fu_door_secret);
}

TEST_F(Finishing, WallsBetweenTwoCavesAndWallsAmidCaveFloorOpen) {
    carve_area(1, 10, 10, 16, 16, area_cave);
    carve_area(2, 16, 10, 22, 16, area_cave);
    // A lone pillar inside cave 1.
    set_block(13, 13, 5, 0, false, 1, area_cave);
    dungeon.natural_floor_block = 47;
    dungeon.natural_refloor_chance = 0;
    fix_naturals(0);
    for (int y = 11; y <= 15; ++y)
        EXPECT_EQ(cell_at(16, y).block, 47) << y;
    EXPECT_EQ(cell_at(13, 13).block, 47);
    EXPECT_TRUE(is_wall(16, 10)) << "the corner stays";
    EXPECT_TRUE(is_wall(10, 13)) << "the outer wall stays";
}

// The doorways that rooms open side by side are recounted round the doorway only: the same
// records as counting the whole map again.
TEST(AreaExits, RecountingRoundADoorwayAgreesWithCountingTheWholeMap) {
    use_temporary_error_log();
    int opened = 0;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        make_test_level({.map_size = 64});
        random_seed = seed * 7919u;
        create_level(1);
        ASSERT_FALSE(quit_requested()) << last_logged_message();
        // As the room pass finds them: freshly counted (the finished level has door states set).
        calculate_area_exits();
        for (int x = 2; x < map_size && opened < int(seed) * 10; ++x)
            for (int y = 2; y < map_size && opened < int(seed) * 10; ++y) {
                const tcell& c = cell_at(x, y);
                const bool between = (is_floor(x - 1, y) && is_floor(x + 1, y) &&
                                      cell_at(x - 1, y).area != cell_at(x + 1, y).area) ||
                                     (is_floor(x, y - 1) && is_floor(x, y + 1) &&
                                      cell_at(x, y - 1).area != cell_at(x, y + 1).area);
                if (!is_wall(x, y) || c.area == 0 || !between) continue;
                const texits_snapshot before = take_exits_snapshot(x, y);
                set_block(x, y, floor_block, 0, false, c.area, c.shape);
                update_area_exits_near(x, y, before);
                const std::vector<tarea> recounted = areas;
                calculate_area_exits();
                ASSERT_EQ(std::memcmp(recounted.data(), areas.data(), recounted.size() * sizeof(tarea)), 0)
                    << "seed " << seed << " at " << x << "," << y;
                ++opened;
            }
    }
    restore_error_log();
    EXPECT_GT(opened, 100);
}

} // namespace
} // namespace dravok
