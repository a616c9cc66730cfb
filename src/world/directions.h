// Small geometry shared by the generator, the rules, the AI and path finding: the four main
// directions and their sides, the ring list of cells around a centre, compass directions and
// angles between cells, and distances to the map edge.
#pragma once
#include <cstdint>

namespace dravok {

// Main directions 1..4 (north, east, south, west); index 0 is no step.
constexpr int dir_dx[5] = {0, 0, 1, 0, -1};
constexpr int dir_dy[5] = {0, -1, 0, 1, 0};
constexpr int opposite_direction[5] = {0, 3, 4, 1, 2};
// The two sides of a main direction, in order: north: west, east; east: north, south; ...
constexpr int side_direction[5][2] = {{0, 0}, {4, 2}, {1, 3}, {2, 4}, {3, 1}};
// Compass directions 1..8 clockwise from north.
constexpr int compass_dx[9] = {0, 0, 1, 1, 1, 0, -1, -1, -1};
constexpr int compass_dy[9] = {0, -1, -1, 0, 1, 1, 1, 0, -1};

constexpr int ring_list_capacity = 16386;
// One more entry than the list can fill, so the terminator always has room.
struct ring_cell {
    uint8_t x, y;
};
extern ring_cell ring_list[ring_list_capacity + 1];

int add_ring_cell(int n, int x, int y);
int build_ring_list(int x, int y, int r);
int find_in_ring_list(int x, int y);

int get_direction(int x1, int y1, int x2, int y2);
int get_angle(int x1, int y1, int x2, int y2);
int snap_direction(int x1, int y1, int x2, int y2, int tolerance);
int distance_to_edge(int x, int y, int direction);

} // namespace dravok
