#include <gtest/gtest.h>

#include "generation/areas.h"
#include "generation/corridors.h"
#include "generation/dig.h"
#include "generation/doorways.h"
#include "generation/grids.h"
#include "generation/marks.h"
#include "generation/rooms.h"
#include "generation/round_areas.h"
#include "generation/shapes.h"
#include "level_fixture.h"
#include "records/layout_dice.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "rules/being_creation.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/random.h"
#include "world/rounding.h"

namespace dravok {
namespace {

using namespace testing_levels;

class Builders : public ::testing::Test {
  protected:
    void SetUp() override {
        use_temporary_error_log();
        random_seed = 11;
        start_blank_attempt(64);
    }
    void TearDown() override { restore_error_log(); }
    static void fixed_room_size(int size) {
        dungeon.area_size = tdice{};
        dungeon.area_size.bonus = static_cast<int16_t>(size);
    }
};

TEST_F(Builders, NarrowCorridorsAreThreeWideAndEightToThirteenLong) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SetUp();
        random_seed = seed;
        carve_area(1, 20, 50, 30, 58, area_room); // the corridor grows north from its wall
        dungeon.origin_kind = area_room;
        dungeon.branch_chance = 0;
        ASSERT_TRUE(create_corridor(25, 50, 1, 1));
        const tarea& c = areas[2];
        EXPECT_EQ(c.kind, area_corridor);
        EXPECT_EQ(c.width, 3);
        EXPECT_GE(c.height, 8);
        EXPECT_LE(c.height, 13);
        EXPECT_EQ(c.y2, 50);
        EXPECT_EQ(c.x1, 24); // a single lane over the mark
        EXPECT_EQ(cell_at(25, c.y1).area, 2);
        EXPECT_EQ(grid_at(corridor_end_grid, 25, c.y1), 1);                 // the far end is a corridor end
        EXPECT_TRUE(is_floor(25, 50, 0) || get_furniture(25, 50, 0) == 11); // the doorway
        EXPECT_EQ(dungeon.kind_created[area_corridor - 1], 1);
    }
}

TEST_F(Builders, ACorridorThatCannotReachSevenCellsFails) {
    carve_area(1, 20, 10, 30, 18, area_room);
    carve_area(2, 20, 2, 30, 5, area_room); // only 4 free rows north of the wall at y = 10
    dungeon.origin_kind = area_room;
    EXPECT_FALSE(create_corridor(25, 10, 1, 1));
    EXPECT_EQ(dungeon.next_area, 3u);
}

TEST_F(Builders, TheFirstCorridorGetsAMarkAtEachEndAndSideMarks) {
    dungeon.branch_chance = 100;
    ASSERT_TRUE(create_corridor(32, 40, 1, 1));
    const tarea& c = areas[1];
    EXPECT_EQ(grid_at(corridor_end_grid, 32, c.y1), 1);
    EXPECT_EQ(grid_at(corridor_end_grid, 32, c.y2), 3);
    EXPECT_GE(find_mark(32, c.y1), 0);
    EXPECT_GE(find_mark(32, c.y2), 0);
    EXPECT_EQ(open_marks.size(), 4u); // both ends and one mark on each long side
}

TEST_F(Builders, ACorridorFromACorridorNeverBranches) {
    carve_area(1, 30, 40, 32, 52, area_corridor);
    dungeon.origin_kind = area_corridor;
    dungeon.branch_chance = 100;
    random_seed = 5;
    ASSERT_TRUE(create_corridor(31, 40, 1, 1));
    EXPECT_EQ(dungeon.next_area, 3u); // no branch corridors were built at once
    EXPECT_EQ(open_marks.size(), 3u);
}

TEST_F(Builders, RoomsOfWidthFiveAreCentredAndNarrowRoomsHaveImpenetrableWalls) {
    carve_area(1, 20, 40, 40, 50, area_room);
    dungeon.origin_kind = area_room;
    fixed_room_size(5);
    ASSERT_TRUE(create_room(30, 40, 1, 1));
    const tarea& r = areas[2];
    EXPECT_EQ(r.x1, 28);
    EXPECT_EQ(r.x2, 32);
    EXPECT_EQ(r.y1, 36);
    EXPECT_EQ(r.cells, 25);
    EXPECT_TRUE(is_impenetrable_wall(28, 37, 0));

    fixed_room_size(7);
    ASSERT_TRUE(create_room(20, 45, 4, 1)); // 7 x 7 westward from the big room
    const tarea& big = areas[3];
    EXPECT_EQ(big.width, 7);
    EXPECT_FALSE(is_impenetrable_wall(big.x1, big.y1 + 1, 0));
    fixed_room_size(6);
    random_seed = 3;
    ASSERT_TRUE(create_room(35, 50, 3, 1));
    EXPECT_TRUE(is_impenetrable_wall(areas[4].x1, areas[4].y1 + 2, 0));
}

TEST_F(Builders, RoomMarksSkipTheSideFacingBack) {
    carve_area(1, 20, 40, 40, 50, area_room);
    dungeon.origin_kind = area_room;
    fixed_room_size(9);
    ASSERT_TRUE(create_room(30, 40, 1, 1));
    ASSERT_EQ(open_marks.size(), 3u);
    for (const tmark& m : open_marks) {
        EXPECT_NE(m.direction, 3);
        EXPECT_EQ(m.origin_kind, area_room);
        EXPECT_EQ(m.origin_area, 2);
    }
}

TEST_F(Builders, DoorwaysBetweenSmallRoomsAreNeverWidened) {
    for (int side : {6, 7}) {
        SetUp();
        carve_area(1, 10, 10, 10 + side - 1, 10 + side - 1, area_room);
        carve_area(2, 10 + side - 1, 10, 10 + 2 * side - 2, 10 + side - 1, area_room);
        const int wall_x = 10 + side - 1, door_y = 13;
        set_block(wall_x, door_y, 63, 0, false, 2, area_room);
        const bool widened = widen_doorway(wall_x, door_y, 2, 1, true, 2, area_room, area_room);
        EXPECT_EQ(widened, side == 7) << "rooms of " << side * side << " cells";
        EXPECT_EQ(is_floor(wall_x, door_y - 1, 0), side == 7);
    }
}

TEST_F(Builders, ADoorwayBesideASecretDoorStaysWall) {
    carve_area(1, 10, 10, 16, 16, area_room);
    carve_area(2, 16, 10, 22, 16, area_room);
    dungeon.next_area = 3;
    cell_at(16, 12).secret_door = 9;
    create_doorway(16, 13, 2, 1, 2, area_room, area_room);
    EXPECT_TRUE(is_wall(16, 13, 0));
    cell_at(16, 12).secret_door = 0;
    dungeon.secret_doorway_chance = 0;
    create_doorway(16, 13, 2, 1, 2, area_room, area_room);
    EXPECT_TRUE(is_floor(16, 13, 0));
    EXPECT_EQ(cell_at(16, 13).block, 63);
}

TEST_F(Builders, MergingOpensWallsBetweenRoomsOnlyWithTheChance) {
    carve_area(1, 10, 10, 20, 20, area_room);
    carve_area(2, 20, 10, 30, 20, area_room);
    shape_bounds b;
    b.x1 = 20;
    b.y1 = 10;
    b.x2 = 30;
    b.y2 = 20;
    dungeon.merge_rooms = 0;
    merge_rooms(b, 2, 1);
    EXPECT_TRUE(is_wall(20, 15, 0));
    dungeon.merge_rooms = 100;
    merge_rooms(b, 2, 1);
    EXPECT_TRUE(is_floor(20, 15, 0));
    EXPECT_EQ(cell_at(20, 15).area, 2);
    EXPECT_TRUE(is_wall(20, 10, 0)); // corners stay
}

TEST_F(Builders, ParallelCorridorsAndSpaceBeyondACorridor) {
    carve_area(1, 30, 20, 32, 35, area_corridor);
    areas[1].direction = 1;
    EXPECT_TRUE(near_area_wall(34, 40, 1, 2));  // two cells to the side of a north-south corridor
    EXPECT_FALSE(near_area_wall(36, 40, 1, 2)); // four cells away
    areas[1].direction = 2;
    EXPECT_FALSE(near_area_wall(34, 40, 1, 2)); // a corridor on the other axis
    // Beyond a corridor's far end: min of the size formula (5) free cells make room.
    dungeon.area_size.count = 0;
    dungeon.area_size.bonus = 5;
    EXPECT_TRUE(scan_corridor_space(10, 50, 1, 1, 8));
    carve_area(2, 8, 36, 12, 38, area_room); // a wall after four free cells: room enough
    EXPECT_TRUE(scan_corridor_space(10, 50, 1, 1, 8));
    EXPECT_FALSE(scan_corridor_space(30, 12, 1, 1, 8)); // the run leaves the map
}

// A cell holds its area number in one byte, so area 256 is never built.
TEST_F(Builders, NoAreaIsNumberedBeyond255) {
    carve_area(1, 20, 40, 40, 50, area_room);
    dungeon.origin_kind = area_room;
    fixed_room_size(7);
    dungeon.next_area = 256;
    EXPECT_FALSE(create_room(30, 40, 1, 1));
    EXPECT_FALSE(create_corridor(30, 40, 1, 1));
    dungeon.next_area = 255;
    ASSERT_TRUE(create_room(30, 40, 1, 1));
    EXPECT_EQ(cell_at(30, 38).area, 255);
}

class DigLoop : public Builders {};

TEST_F(DigLoop, WithEveryWeightZeroEachStepKeepsItsMarkAsFailed) {
    level.generator.kind_weight[0] = level.generator.kind_weight[1] = 0;
    random_seed = 8;
    create_dungeon(1);
    ASSERT_EQ(open_marks.size(), 1u);
    dungeon.dig_step = 1;
    dig_dungeon(1);
    EXPECT_TRUE(open_marks.empty());
    EXPECT_EQ(failed_marks.size(), 1u);
    EXPECT_EQ(dungeon.next_area, 1u);
}

TEST_F(DigLoop, AForcedKindInSlotOneBuildsTheFirstAreaAndIsNeverPending) {
    level.generator.kind_weight[1] = 0; // rooms only when forced
    level.generator.forced_kind[0] = area_room;
    level.generator.forced_count[0].bonus = 1;
    random_seed = 21;
    create_dungeon(1);
    EXPECT_EQ(first_pending_force_area(), 0);
    EXPECT_EQ(open_marks[0].forced_kind, area_room);
    dungeon.dig_step = 1;
    dig_dungeon(1);
    ASSERT_EQ(dungeon.next_area, 2u);
    EXPECT_EQ(areas[1].kind, area_room);
    // The first area sits at the map's centre.
    EXPECT_LE(std::abs((areas[1].x1 + areas[1].x2) / 2 - 32), 1);
    EXPECT_GT(outer_marks_left, 0);
}

TEST_F(DigLoop, CorridorsAreNotChosenByWeightNearTheEdgeAhead) {
    level.generator.kind_weight[1] = 0; // corridors only
    for (int y : {14, 16}) {
        SetUp();
        level.generator.kind_weight[1] = 0;
        static_cast<tdungeon&>(dungeon) = level.generator;
        dungeon.next_area = 2;
        carve_area(1, 26, y, 38, y + 8, area_room);
        dungeon.dig_step = 5;
        add_mark(32, y, 1, 0, 0, area_room);
        dig_dungeon(1);
        EXPECT_EQ(dungeon.next_area, y == 14 ? 2u : 3u) << "mark at y = " << y;
    }
}

// A circle grown north from (64, 64) is centred its radius north of the mark, has no mark on
// the point facing back, and an ellipse never has equal radii.
TEST_F(Builders, CirclesFaceAwayFromTheirMarkAndEllipsesAreNeverRound) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        start_blank_attempt(128);
        random_seed = seed;
        carve_area(1, 60, 64, 68, 72, area_room);
        dungeon.origin_kind = area_room;
        ASSERT_TRUE(create_circular(64, 64, 1, 1));
        const tarea& c = areas[2];
        const int r = (c.width - 1) / 2;
        EXPECT_GE(r, 4);
        EXPECT_LE(r, 7);
        EXPECT_EQ(c.kind, area_circular);
        EXPECT_EQ(c.x1 + r, 64);
        EXPECT_EQ(c.y2, 64) << "the mark is the circle's south point";
        EXPECT_EQ(cell_at(64, 64 - r).area, 2) << "the centre";
        EXPECT_EQ(find_mark(64, 64), -1) << "no mark facing back";
        EXPECT_GE(find_mark(64, 64 - 2 * r), 0) << "a mark at the north point";

        start_blank_attempt(128);
        random_seed = seed;
        carve_area(1, 60, 64, 68, 72, area_room);
        ASSERT_TRUE(create_ellipse(64, 64, 1, 1));
        const tarea& e = areas[2];
        EXPECT_EQ(e.kind, area_ellipse);
        EXPECT_GE(std::abs(e.width - e.height), 2 * 3) << "radii three or more apart";
        EXPECT_EQ(e.y2, 64);
    }
}

// A natural walker keeps three cells from the map's edge; a tunnel and a cave grow from a room.
TEST_F(Builders, NaturalAreasGrowAwayFromTheEdge) {
    clear_shape_grid();
    EXPECT_FALSE(natural_step(3, 30, 47));
    EXPECT_FALSE(natural_step(30, 62, 47));
    for (int kind : {area_tunnel, area_cave}) {
        SCOPED_TRACE(kind);
        int built = 0;
        for (uint32_t seed = 1; seed <= 10; ++seed) {
            start_blank_attempt(64);
            random_seed = seed;
            carve_area(1, 26, 50, 36, 58, area_room);
            dungeon.origin_kind = area_room;
            if (!create_natural(31, 50, 1, 1, kind)) continue;
            ++built;
            areas.resize(dungeon.next_area);
            EXPECT_EQ(areas[2].kind, kind);
            EXPECT_EQ(unreachable_floor_cells(), 0);
            EXPECT_EQ(area_record_faults(), "");
        }
        EXPECT_GT(built, 5);
    }
}

} // namespace
} // namespace dravok
