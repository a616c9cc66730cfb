#include <gtest/gtest.h>

#include "generation/free_run.h"
#include "generation/grids.h"
#include "generation/marks.h"
#include "generation/shapes.h"
#include "level_fixture.h"
#include "rules/being_creation.h"
#include "world/dice.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/random.h"
#include "world/rounding.h"

namespace dravok {
namespace {

using namespace testing_levels;

class MarksAndShapes : public ::testing::Test {
  protected:
    void SetUp() override {
        use_temporary_error_log();
        random_seed = 1;
        start_blank_attempt(64);
        clear_shape_grid();
    }
    void TearDown() override { restore_error_log(); }
};

TEST_F(MarksAndShapes, AddMarkRefusesCellsNearTheEdgeItFacesAndTakenCells) {
    EXPECT_EQ(add_mark(4, 30, 4, 0, 0, 0), -1);
    EXPECT_EQ(add_mark(5, 30, 4, 0, 0, 0), 0);
    EXPECT_EQ(add_mark(5, 30, 2, 0, 0, 0), -1); // a mark already lies there
    EXPECT_EQ(add_mark(30, 4, 1, 0, 0, 0), -1);
    EXPECT_EQ(add_mark(30, 61, 3, 0, 0, 0), -1); // y > N - 4
    EXPECT_EQ(add_mark(60, 30, 2, 0, 0, 0), 1);  // x = N - 4
    set_block(40, 40, 63, 0, false, 1, 2);
    EXPECT_EQ(add_mark(40, 40, 1, 0, 0, 0), -1); // dug floor
    cell_at(41, 41).secret_door = 7;
    EXPECT_EQ(add_mark(41, 41, 1, 0, 0, 0), -1); // a secret-door field
    dungeon.no_more_marks = 1;
    EXPECT_EQ(add_mark(20, 20, 1, 0, 0, 0), -1);
    EXPECT_EQ(open_marks.size(), 2u);
}

TEST_F(MarksAndShapes, GetMarkTakesTheMarkOutAndSetsTheOriginOfTheStep) {
    dungeon.next_area = 7;
    add_mark(10, 10, 1, 0, 3, 2);
    ASSERT_EQ(forced_marks_open, 1);
    tmark m;
    get_mark(0, m);
    EXPECT_EQ(m.x, 10);
    EXPECT_EQ(m.origin_area, 7);
    EXPECT_EQ(dungeon.origin_kind, static_cast<uint32_t>(2));
    EXPECT_EQ(dungeon.parent_area, 7u);
    EXPECT_EQ(grid_at(mark_grid, 10, 10), 0);
    EXPECT_EQ(forced_marks_open, 0);
    EXPECT_EQ(find_mark(10, 10), -1);
    get_mark(5, m); // out of range: blank
    EXPECT_EQ(m.x, 0);
}

TEST_F(MarksAndShapes, RingListRunsClockwiseFromTheNorthWestCorner) {
    EXPECT_EQ(build_ring_list(10, 10, 0), 1);
    EXPECT_EQ(ring_list[1].x, 0);
    EXPECT_EQ(build_ring_list(10, 10, 1), 9);
    const int expected[9][2] = {{10, 10}, {9, 9},   {10, 9}, {11, 9}, {11, 10},
                                {11, 11}, {10, 11}, {9, 11}, {9, 10}};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(ring_list[i].x, expected[i][0]) << i;
        EXPECT_EQ(ring_list[i].y, expected[i][1]) << i;
    }
    EXPECT_EQ(find_in_ring_list(10, 10), 0);
    EXPECT_EQ(find_in_ring_list(30, 30), 0);
    EXPECT_EQ(find_in_ring_list(9, 10), 8);
    EXPECT_EQ(build_ring_list(1, 1, 1), 4); // off-map cells are skipped
}

TEST_F(MarksAndShapes, DirectionsAnglesAndEdges) {
    EXPECT_EQ(get_angle(5, 5, 9, 5), 90);
    EXPECT_EQ(get_angle(5, 5, 5, 1), 0);
    EXPECT_EQ(get_angle(5, 5, 6, 6), 45);
    EXPECT_EQ(get_direction(5, 5, 5, 5), 0);
    EXPECT_EQ(get_direction(5, 5, 6, 4), 2);
    EXPECT_EQ(get_direction(5, 5, 4, 5), 7);
    EXPECT_EQ(snap_direction(5, 5, 6, 1, 20), 1); // 14 degrees off north
    EXPECT_EQ(snap_direction(5, 5, 9, 6, 20), 3); // 76 degrees: east
    EXPECT_EQ(snap_direction(5, 5, 7, 7, 20), 4);
    EXPECT_EQ(distance_to_edge(10, 20, 1), 20);
    EXPECT_EQ(distance_to_edge(10, 20, 2), 55);
    EXPECT_EQ(distance_to_edge(10, 20, 3), 45);
    EXPECT_EQ(distance_to_edge(10, 20, 4), 10);
    set_block(10, 15, 63, 0, false, 1, 2);
    EXPECT_EQ(get_free_run(10, 20, 1), 5);
    EXPECT_EQ(get_free_run(10, 20, 4), 10);
}

TEST_F(MarksAndShapes, RotationOfPointsRectanglesAndDirections) {
    map_size = 128;
    int x = 0, y = 0;
    rotate_point(1, 1, 2, x, y, false);
    EXPECT_EQ(x, 128);
    EXPECT_EQ(y, 1);
    rotate_point(1, 1, 4, x, y, true);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 1);
    rotate_point(3, 5, 3, x, y, false);
    EXPECT_EQ(x, 126);
    EXPECT_EQ(y, 124);
    rotate_point(0, 5, 1, x, y, false);
    EXPECT_EQ(x, 0);
    mark_rect r;
    rotate_rect(20, 30, 2, r, false, 4, 6); // east swaps the sides and grows west
    EXPECT_EQ(r.x1, 15);
    EXPECT_EQ(r.y1, 30);
    EXPECT_EQ(r.x2, 20);
    EXPECT_EQ(r.y2, 33);
    EXPECT_EQ(rotate_direction(2, 1, false), 2);
    EXPECT_EQ(rotate_direction(3, 2, false), 4);
    EXPECT_EQ(rotate_direction(2, 2, true), 1);
    EXPECT_EQ(rotate_direction(4, 3, true), 2);
}

TEST_F(MarksAndShapes, RectanglesFromMarksPutTheMarkOnTheNearSide) {
    mark_rect r;
    for (int i = 0; i < 20; ++i) {
        get_rect_from_mark(20, 30, 1, r, false, 8, 3);
        EXPECT_EQ(r.x1, 19);
        EXPECT_EQ(r.x2, 21);
        EXPECT_EQ(r.y1, 23);
        EXPECT_EQ(r.y2, 30);
    }
    get_rect_from_mark(20, 30, 2, r, true, 5, 7); // centred: the mark 3 cells from the start
    EXPECT_EQ(r.x1, 20);
    EXPECT_EQ(r.x2, 24);
    EXPECT_EQ(r.y1, 27);
    EXPECT_EQ(r.y2, 33);
    for (int i = 0; i < 50; ++i) { // not centred: never at a corner
        get_rect_from_mark(20, 30, 3, r, false, 4, 6);
        EXPECT_GT(20, r.x1);
        EXPECT_LT(20, r.x2);
        EXPECT_EQ(r.y1, 30);
        EXPECT_EQ(r.y2, 33);
    }
}

TEST_F(MarksAndShapes, ShapesAreDrawnTestedMeasuredAndPlaced) {
    EXPECT_TRUE(draw_rect_shape(10, 10, 14, 13, 14, 63));
    EXPECT_TRUE(is_shape_in_one_piece()); // an outline and its inside
    shape_bounds b;
    get_shape_bounds(b);
    EXPECT_EQ(b.x1, 10);
    EXPECT_EQ(b.y2, 13);
    EXPECT_EQ(b.width, 5);
    EXPECT_EQ(b.height, 4);
    EXPECT_EQ(b.count, 20);
    EXPECT_EQ(b.north_x, 11);
    EXPECT_EQ(b.north_y, 11);
    EXPECT_EQ(b.east_x, 13);
    EXPECT_EQ(b.east_y, 11);
    EXPECT_EQ(b.south_y, 12);
    EXPECT_EQ(b.west_x, 11);
    shape_set(30, 30, 63);
    EXPECT_FALSE(is_shape_in_one_piece());
    EXPECT_EQ(shape_get(11, 11), 63); // the shape grid is restored

    set_block(12, 12, 63, 0, false, 1, 2);
    EXPECT_FALSE(shape_fits_map(1, 1, 64, 64, false));
    EXPECT_FALSE(draw_rect_shape(60, 60, 66, 62, 14, 63));
    EXPECT_EQ(shape_get(64, 61), 63); // on-map cells are written all the same

    clear_shape_grid();
    draw_rect_shape(3, 4, 7, 9, 14, 63);
    int dx = 0, dy = 0;
    center_shape(dx, dy);
    EXPECT_EQ(dx, (64 - 5) / 2 - 3);
    EXPECT_EQ(dy, (64 - 6) / 2 - 4);
    EXPECT_EQ(shape_get(29, 29), 14);
    EXPECT_EQ(shape_get(3, 4), 0);
}

TEST_F(MarksAndShapes, FloodFillStopsAtOtherValuesAndReportsDugNeighbours) {
    draw_rect_shape(20, 20, 26, 26, 14, 0);
    EXPECT_TRUE(flood_fill_shape(23, 23, 63));
    EXPECT_EQ(shape_get(21, 21), 63);
    EXPECT_EQ(shape_get(27, 27), 0);
    clear_shape_grid();
    set_block(30, 30, 63, 0, false, 1, 2);
    draw_rect_shape(31, 28, 35, 32, 14, 0);
    EXPECT_TRUE(flood_fill_shape(33, 30, 63));
    clear_shape_grid();
    draw_rect_shape(29, 28, 33, 32, 14, 0); // the dug cell lies inside
    EXPECT_FALSE(flood_fill_shape(31, 30, 63));
}

TEST_F(MarksAndShapes, PlacingAShapeHandsSharedWallsToTheLaterArea) {
    carve_area(1, 10, 10, 16, 16, 2);
    clear_shape_grid();
    draw_rect_shape(16, 10, 22, 16, 11, 57); // a different wall kind on the shared wall
    place_area(16, 10, 22, 16, 0, false, 2, 2);
    EXPECT_EQ(cell_at(16, 12).area, 2);
    EXPECT_EQ(cell_at(16, 12).block, 14); // the wall keeps its kind
    EXPECT_EQ(cell_at(20, 12).block, 57);
    EXPECT_EQ(grid_at(dug_grid, 20, 12), 1);
    EXPECT_EQ(grid_at(dug_grid, 16, 12), 0);
}

} // namespace
} // namespace dravok
