// Directions, distances, straight lines and the precomputed sight rays of the map grid.
// x runs west to east and y north to south, both from 1. Used by every subsystem that moves,
// aims or looks; the ray tables are built once at start-up and read by sight.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "world/directions.h" // get_direction, get_angle, snap_direction, the ring list

namespace dravok {

struct tstep {
    int dx;
    int dy;
};

// Game directions 1..8 = N, NE, E, SE, S, SW, W, NW; entry 0 is (0, 0).
inline constexpr std::array<tstep, 9> direction_steps{
    {{0, 0}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}}};
// The main directions 1..4 = N, E, S, W; entry 0 is (0, 0).
inline constexpr std::array<tstep, 5> direction_offsets{{{0, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}}};

struct tline_point {
    int32_t x;
    int32_t y;
};

constexpr int line_capacity = 200;
// Filled by trace_line: points 1..line_length, the start cell not included.
extern std::array<tline_point, line_capacity + 1> line_points;
extern int32_t line_length;

struct tray_point {
    int16_t dx;
    int16_t dy;
};

constexpr int max_ray_radius = 20;
constexpr int max_rays = 160;
constexpr int max_ray_points = 40;
// Endpoints 1..sight_ray_counts[r] of the rays of radius r = 1..20.
extern std::array<std::array<tray_point, max_rays + 1>, max_ray_radius + 1> ray_endpoints;
extern std::array<uint32_t, max_ray_radius + 1> sight_ray_counts;
// The cells of ray k of radius r from index 1, ended by (0, 0) or by the 40th point.
extern std::array<std::array<std::array<tray_point, max_ray_points + 1>, max_rays + 1>, max_ray_radius + 1>
    sight_rays;

// What the sight and light passes know of each ray before they cast it: its length, the box of
// its cells, and an earlier ray of the radius that starts along the same cells (0 none) with how
// many cells they share; for the last radius also the box of the first s cells. Rebuilt with
// the rays.
struct tray_box {
    int8_t x1, y1, x2, y2;
};
struct tray_plan {
    int16_t length;
    int16_t parent;
    int16_t shared;
    tray_box whole;
};
extern std::array<std::array<tray_plan, max_rays + 1>, max_ray_radius + 1> sight_ray_plans;
extern std::array<std::array<tray_box, max_ray_points + 1>, max_rays + 1> sight_ray_boxes;

// Where each ray of one pass stopped, by ray number.
using tray_stops = std::array<int, max_rays + 1>;
// The step ray k of a pass walks from: past the cells it shares with its parent ray, which that
// ray walked already. 0 when the parent stopped among them: this ray stops at the same step.
inline int first_unshared_step(const tray_plan& plan, tray_stops& stops, int k) {
    if (plan.parent == 0) return 1;
    const int parent_stop = stops[std::size_t(plan.parent)];
    if (parent_stop <= plan.shared) {
        stops[std::size_t(k)] = parent_stop;
        return 0;
    }
    return plan.shared + 1;
}

// Euclidean distance rounded half to even.
int get_distance(int x1, int y1, int x2, int y2);
// The least distance between the two footprints; 0 when either being is not valid.
int get_being_distance(int a, int b);
void trace_line(int x1, int y1, int x2, int y2);
void build_ray_endpoints();
void build_sight_rays();

// get_direction between two beings' positions; 0 when either is not valid.
int get_direction_between_beings(int a, int b);

} // namespace dravok
