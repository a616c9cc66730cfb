#include "world/directions.h"
#include "records/layout_game.h"

#include <cmath>
#include <cstdlib>

#include "world/map.h"
#include "world/map_grid.h"
#include "world/rounding.h"

namespace dravok {

ring_cell ring_list[ring_list_capacity + 1];

int add_ring_cell(int n, int x, int y) {
    if (n > ring_list_capacity - 1 || !on_map(x, y, 0)) return n;
    ring_list[n] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    return n + 1;
}

int build_ring_list(int x, int y, int r) {
    int n = 0;
    ring_list[n++] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    for (int d = 1; d <= r; ++d) {
        for (int i = -d; i <= d; ++i)
            n = add_ring_cell(n, x + i, y - d); // north row, west to east
        for (int i = -d + 1; i <= d; ++i)
            n = add_ring_cell(n, x + d, y + i); // east column southward
        for (int i = d - 1; i >= -d; --i)
            n = add_ring_cell(n, x + i, y + d); // south row westward
        for (int i = d - 1; i >= -d + 1; --i)
            n = add_ring_cell(n, x - d, y + i); // west column northward
    }
    ring_list[n] = {0, 0};
    return n;
}

int find_in_ring_list(int x, int y) {
    for (int i = 1; i < ring_list_capacity; ++i) {
        const ring_cell c = ring_list[i];
        if (c.x == 0 && c.y == 0) break;
        if (c.x == x && c.y == y) return i;
    }
    return 0;
}

int get_direction(int x1, int y1, int x2, int y2) {
    const int sx = (x2 > x1) - (x2 < x1), sy = (y2 > y1) - (y2 < y1);
    for (int d = 1; d <= 8; ++d)
        if (compass_dx[d] == sx && compass_dy[d] == sy) return d;
    return 0;
}

int get_angle(int x1, int y1, int x2, int y2) {
    const double ax = std::abs(x2 - x1);
    double ay = std::abs(y2 - y1);
    if (ay == 0) ay = 0.000001;
    return round_half_even(std::atan(ax / ay) * 180.0 / M_PI);
}

int snap_direction(int x1, int y1, int x2, int y2, int tolerance) {
    const int d = get_direction(x1, y1, x2, y2);
    if (d == 0 || d % 2 == 1) return d;
    const int angle = get_angle(x1, y1, x2, y2);
    const bool near_vertical = angle <= tolerance, near_horizontal = angle >= 90 - tolerance;
    switch (d) {
    case 2:
        return near_vertical ? 1 : near_horizontal ? 3 : d;
    case 4:
        return near_vertical ? 5 : near_horizontal ? 3 : d;
    case 6:
        return near_vertical ? 5 : near_horizontal ? 7 : d;
    default:
        return near_vertical ? 1 : near_horizontal ? 7 : d;
    }
}

int distance_to_edge(int x, int y, int direction) {
    switch (direction) {
    case 1:
        return y;
    case 2:
        return map_size - x + 1;
    case 3:
        return map_size - y + 1;
    case 4:
        return x;
    default:
        return 0;
    }
}

} // namespace dravok
