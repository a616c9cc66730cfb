#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "world/geometry.h"

namespace dravok {
namespace {

std::vector<std::pair<int, int>> traced(int x1, int y1, int x2, int y2) {
    trace_line(x1, y1, x2, y2);
    std::vector<std::pair<int, int>> points;
    for (int i = 1; i <= line_length && i <= line_capacity; ++i)
        points.emplace_back(line_points[i].x, line_points[i].y);
    return points;
}

using pts = std::vector<std::pair<int, int>>;

TEST(Geometry, DistanceRoundsTheEuclideanLength) {
    struct row {
        int x1, y1, x2, y2, d;
    };
    const row rows[] = {
        {1, 1, 1, 1, 0}, {1, 1, 2, 2, 1}, {1, 1, 3, 3, 3}, {0, 0, 3, 4, 5},
        {0, 0, 1, 2, 2}, {0, 0, 2, 3, 4}, {5, 5, 1, 5, 4}, {1, 1, 128, 128, 180},
    };
    for (const row& r : rows)
        EXPECT_EQ(get_distance(r.x1, r.y1, r.x2, r.y2), r.d) << r.x2 << "," << r.y2;
}

TEST(Geometry, DirectionFollowsTheSignsOfTheOffsets) {
    struct row {
        int dx, dy, direction;
    };
    const row rows[] = {{0, -1, 1}, {1, -1, 2},  {1, 0, 3}, {1, 1, 4},  {0, 1, 5},  {-1, 1, 6},
                        {-1, 0, 7}, {-1, -1, 8}, {0, 0, 0}, {5, -1, 2}, {-1, 7, 6}, {0, -9, 1}};
    for (const row& r : rows) {
        EXPECT_EQ(get_direction(10, 10, 10 + r.dx, 10 + r.dy), r.direction) << r.dx << "," << r.dy;
        if (r.direction != 0 && (std::abs(r.dx) <= 1 && std::abs(r.dy) <= 1)) {
            EXPECT_EQ(direction_steps[r.direction].dx, r.dx);
            EXPECT_EQ(direction_steps[r.direction].dy, r.dy);
        }
    }
    EXPECT_EQ(direction_offsets[2].dx, 1);  // east
    EXPECT_EQ(direction_offsets[4].dx, -1); // west
}

TEST(Geometry, SnapDirectionTurnsNearlyStraightDiagonals) {
    EXPECT_EQ(get_angle(0, 0, 5, 0), 90);
    EXPECT_EQ(get_angle(0, 0, 1, -5), 11);
    EXPECT_EQ(snap_direction(0, 0, 1, -5, 15), 1);
    EXPECT_EQ(snap_direction(0, 0, 5, -1, 15), 3);
    EXPECT_EQ(snap_direction(0, 0, 3, -3, 15), 2);
    EXPECT_EQ(snap_direction(0, 0, -1, 5, 15), 5);
    EXPECT_EQ(snap_direction(0, 0, -5, -1, 15), 7);
    EXPECT_EQ(snap_direction(0, 0, 0, 4, 15), 5);
    EXPECT_EQ(snap_direction(0, 0, 0, 0, 15), 0);
}

TEST(Geometry, TraceLineStepsLikeTheLineAlgorithm) {
    EXPECT_EQ(traced(0, 0, 5, 2), (pts{{1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
    EXPECT_EQ(line_points[6].x, 0);
    EXPECT_EQ(line_points[6].y, 0);
    EXPECT_EQ(traced(3, 3, 2, 7), (pts{{3, 4}, {2, 5}, {2, 6}, {2, 7}})); // y major
    EXPECT_EQ(traced(1, 1, 4, 4), (pts{{2, 2}, {3, 3}, {4, 4}}));         // equal extents: x major
    EXPECT_EQ(traced(5, 5, 1, 4), (pts{{4, 5}, {3, 4}, {2, 4}, {1, 4}}));
    line_points[1] = {7, 7};
    trace_line(1, 1, 1, 1);
    EXPECT_EQ(line_length, 0);
    EXPECT_EQ(line_points[1].x, 0); // the end mark sits in entry 1
}

TEST(Geometry, TraceLineStoresAtMostTwoHundredPoints) {
    trace_line(0, 0, 250, 0);
    EXPECT_EQ(line_length, 200);
    EXPECT_EQ(line_points[199].x, 199);
    EXPECT_EQ(line_points[200].x, 0); // the end mark replaces the 200th point
    EXPECT_EQ(line_points[200].y, 0);

    trace_line(0, 0, 0, -199);
    EXPECT_EQ(line_length, 199);
    EXPECT_EQ(line_points[199].y, -199);
    EXPECT_EQ(line_points[200].y, 0);
}

TEST(Geometry, RayTables) {
    build_ray_endpoints();
    build_sight_rays();
    // Radius 1 walks round the square once and meets its first endpoint again.
    ASSERT_EQ(sight_ray_counts[1], 9u);
    const std::pair<int, int> ring1[] = {{1, 0},   {1, 1},  {0, 1},  {-1, 1}, {-1, 0},
                                         {-1, -1}, {0, -1}, {1, -1}, {1, 0}};
    for (int k = 1; k <= 9; ++k) {
        EXPECT_EQ(ray_endpoints[1][k].dx, ring1[k - 1].first) << k;
        EXPECT_EQ(ray_endpoints[1][k].dy, ring1[k - 1].second) << k;
    }
    // The extra endpoints of radius 15 close its list; radius 18 has none.
    const uint32_t n15 = sight_ray_counts[15];
    EXPECT_EQ(ray_endpoints[15][n15 - 7].dx, 9);
    EXPECT_EQ(ray_endpoints[15][n15 - 7].dy, -11);
    EXPECT_EQ(ray_endpoints[15][n15].dx, -9);
    EXPECT_EQ(ray_endpoints[15][n15].dy, -11);
    for (int r = 1; r <= max_ray_radius; ++r) {
        EXPECT_LE(sight_ray_counts[r], 160u);
        for (uint32_t k = 1; k <= sight_ray_counts[r]; ++k) {
            // Each ray runs from the origin's neighbour to its endpoint.
            const tray_point end = ray_endpoints[r][k];
            const int steps = std::max(std::abs(end.dx), std::abs(end.dy));
            ASSERT_GE(steps, 1);
            EXPECT_EQ(sight_rays[r][k][steps].dx, end.dx) << r << "/" << k;
            EXPECT_EQ(sight_rays[r][k][steps].dy, end.dy) << r << "/" << k;
            EXPECT_LE(std::max(std::abs(sight_rays[r][k][1].dx), std::abs(sight_rays[r][k][1].dy)), 1);
            if (steps < max_ray_points) {
                EXPECT_EQ(sight_rays[r][k][steps + 1].dx, 0);
            }
        }
        EXPECT_EQ(sight_rays[r][0][1].dx, 0); // ray 0 stays empty
    }
}

} // namespace
} // namespace dravok
