#include "world/geometry.h"
#include "records/layout_being.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "platform/memory.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/rounding.h"

namespace dravok {

std::array<tline_point, line_capacity + 1> line_points{};
int32_t line_length = 0;
std::array<std::array<tray_point, max_rays + 1>, max_ray_radius + 1> ray_endpoints{};
std::array<uint32_t, max_ray_radius + 1> sight_ray_counts{};
std::array<std::array<tray_plan, max_rays + 1>, max_ray_radius + 1> sight_ray_plans{};
std::array<std::array<tray_box, max_ray_points + 1>, max_rays + 1> sight_ray_boxes{};
std::array<std::array<std::array<tray_point, max_ray_points + 1>, max_rays + 1>, max_ray_radius + 1>
    sight_rays{};

namespace {

int sign(int v) {
    return (v > 0) - (v < 0);
}

} // namespace

int get_distance(int x1, int y1, int x2, int y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    return round_half_even(std::sqrt(dx * dx + dy * dy));
}

int get_being_distance(int a, int b) {
    if (!is_being_ok(a, 0) || !is_being_ok(b, 0)) return 0;
    const tbeing& p = beings[a];
    const tbeing& q = beings[b];
    if (p.width == 1 && p.height == 1 && q.width == 1 && q.height == 1)
        return get_distance(p.x, p.y, q.x, q.y);
    int best = -1;
    for (int ax = p.x; ax < p.x + p.width; ++ax) {
        for (int ay = p.y; ay < p.y + p.height; ++ay) {
            for (int bx = q.x; bx < q.x + q.width; ++bx) {
                for (int by = q.y; by < q.y + q.height; ++by) {
                    const int d = get_distance(ax, ay, bx, by);
                    if (best < 0 || d < best) best = d;
                    if (best <= 1) return best;
                }
            }
        }
    }
    return best < 0 ? 0 : best;
}

void trace_line(int x1, int y1, int x2, int y2) {
    const int dx = x2 - x1, dy = y2 - y1;
    const int sx = sign(dx), sy = sign(dy);
    const int ax = std::abs(dx), ay = std::abs(dy);
    int x = x1, y = y1, n = 0;
    if (ay > ax) {
        int error = ay / 2;
        for (int i = 0; i < ay && n < line_capacity; ++i) {
            error += ax;
            if (error >= ay) {
                error -= ay;
                x += sx;
            }
            y += sy;
            line_points[++n] = {x, y};
        }
    } else {
        int error = ax / 2;
        for (int i = 0; i < ax && n < line_capacity; ++i) {
            error += ay;
            if (error >= ax) {
                error -= ax;
                y += sy;
            }
            x += sx;
            line_points[++n] = {x, y};
        }
    }
    line_length = n;
    // The end mark follows the last point; a full buffer gives up its last point to it.
    line_points[n < line_capacity ? n + 1 : line_capacity] = {0, 0};
}

void build_ray_endpoints() {
    static constexpr tray_point extra[21][8] = {
        {},
        {},
        {},
        {},
        {},
        {},
        {},
        {},
        {},
        {},
        {},
        {},
        {},
        {},
        {},
        {{9, -11}, {11, -9}, {11, 9}, {9, 11}, {-9, 11}, {-11, 9}, {-11, -9}, {-9, -11}},
        {{8, -13}, {13, -8}, {13, 8}, {8, 13}, {-8, 13}, {-13, 8}, {-13, -8}, {-8, -13}},
        {{11, -12}, {12, -11}, {12, 11}, {11, 12}, {-11, 12}, {-12, 11}, {-12, -11}, {-11, -12}},
        {},
        {{9, -16}, {16, -9}, {16, 9}, {9, 16}, {-9, 16}, {-16, 9}, {-9, -16}, {-16, -9}},
        {{7, -17}, {17, -7}, {17, 7}, {7, 17}, {-7, 17}, {-17, 7}, {-17, -7}, {-7, -17}},
    };
    for (int r = 1; r <= max_ray_radius; ++r) {
        auto& ends = ray_endpoints[r];
        ends = {};
        int n = 0;
        for (int a = 1; a <= 360; ++a) {
            const double angle = a * std::numbers::pi / 180.0;
            const int x = round_half_even(std::cos(angle) * r);
            const int y = round_half_even(std::sin(angle) * r);
            const bool same = n > 0 && ends[n].dx == x && ends[n].dy == y;
            if (!same && n < max_rays) ends[++n] = {int16_t(x), int16_t(y)};
        }
        if (r >= 15) {
            for (const tray_point& e : extra[r]) {
                if ((e.dx != 0 || e.dy != 0) && n < max_rays) ends[++n] = e;
            }
        }
        sight_ray_counts[r] = uint32_t(n);
    }
}

namespace {

void build_sight_ray_plans(int r) {
    const auto& rays = sight_rays[r];
    const int count = int(sight_ray_counts[r]);
    auto& plans = sight_ray_plans[size_t(r)];
    plans = {};
    for (int k = 1; k <= count && k <= max_rays; ++k) {
        tray_plan& plan = plans[size_t(k)];
        tray_box box{0, 0, 0, 0};
        int length = 0;
        while (length < max_ray_points && (rays[k][length + 1].dx != 0 || rays[k][length + 1].dy != 0)) {
            ++length;
            const tray_point& q = rays[k][length];
            box.x1 = int8_t(std::min<int>(box.x1, q.dx)), box.y1 = int8_t(std::min<int>(box.y1, q.dy));
            box.x2 = int8_t(std::max<int>(box.x2, q.dx)), box.y2 = int8_t(std::max<int>(box.y2, q.dy));
            if (r == max_ray_radius) sight_ray_boxes[size_t(k)][size_t(length)] = box;
        }
        plan.length = int16_t(length);
        plan.whole = box;
        for (int j = 1; j < k; ++j) {
            int same = 0;
            while (same < length && same < plans[size_t(j)].length &&
                   rays[j][same + 1].dx == rays[k][same + 1].dx &&
                   rays[j][same + 1].dy == rays[k][same + 1].dy)
                ++same;
            if (same > plan.shared) plan.parent = int16_t(j), plan.shared = int16_t(same);
        }
    }
}

} // namespace

void build_sight_rays() {
    // Hundreds of kilobytes, all written here at start-up.
    prepare_to_fill(&sight_rays, sizeof(sight_rays));
    for (int r = 1; r <= max_ray_radius; ++r) {
        for (int k = 0; k <= max_rays; ++k)
            sight_rays[r][k] = {};
        for (uint32_t k = 1; k <= sight_ray_counts[r]; ++k) {
            trace_line(0, 0, ray_endpoints[r][k].dx, ray_endpoints[r][k].dy);
            for (int i = 1; i <= max_ray_points && i <= line_capacity; ++i) {
                if (line_points[i].x == 0 && line_points[i].y == 0) break;
                sight_rays[r][k][i] = {int16_t(line_points[i].x), int16_t(line_points[i].y)};
            }
        }
    }
    sight_ray_boxes = {};
    for (int r = 1; r <= max_ray_radius; ++r)
        build_sight_ray_plans(r);
}

int get_direction_between_beings(int a, int b) {
    if (!is_being_ok(a, 0) || !is_being_ok(b, 0)) return 0;
    return get_direction(beings[a].x, beings[a].y, beings[b].x, beings[b].y);
}

} // namespace dravok
