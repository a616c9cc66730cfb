// Placement locations.
#include "generation/placement.h"

#include "generation/areas.h"
#include "world/error_log.h"
#include "world/globals.h"
#include "world/map.h"
#include "world/random.h"

namespace dravok {

namespace {

constexpr int pattern_center = 3;
constexpr int tries_per_cell = 10;

bool fits(const tstuff& r, int x, int y, int depth) {
    depth = trace_enter(depth, trace_fits);
    return on_map(x, y) && cell_at(x, y).area == r.area &&
           is_free_floor(x, y, r.width, depth, 0, r.kind, r.height);
}

} // namespace

void find_location(const tstuff& request, int, tstuff& out) {
    // not built yet: the area filters of a placement request (content, exits, cell counts, zones)
    out = request;
    out.area = 0;
    out.result_x = 0;
    out.result_y = 0;
    int fitting = 0;
    for (int a = 1; a <= area_high_index(); ++a)
        if (!areas[a].search && areas[a].kind != area_corridor) ++fitting;
    if (fitting == 0) return;
    const int pick = random(fitting);
    for (int a = 1, seen = 0; a <= area_high_index(); ++a) {
        if (areas[a].search || areas[a].kind == area_corridor) continue;
        if (seen++ != pick) continue;
        areas[a].search = 1;
        out.area = uint16_t(a);
        return;
    }
}

void find_location_spot(const tstuff& request, int depth, tstuff& out) {
    depth = trace_enter(depth, trace_find_location_spot);
    // not built yet: the spot patterns beyond a random cell and the centre of an area
    out = request;
    out.result_x = 0;
    out.result_y = 0;
    if (request.area < 1 || request.area >= int(areas.size())) return;
    const tarea& a = areas[request.area];
    if (request.pattern == pattern_center) {
        static constexpr int offsets[9][2] = {{0, 0},  {-1, 0}, {1, 0},  {0, -1}, {0, 1},
                                              {1, -1}, {1, 1},  {-1, 1}, {-1, -1}};
        for (const auto& o : offsets) {
            const int x = a.centre_x + o[0], y = a.centre_y + o[1];
            if (fits(request, x, y, depth)) {
                out.result_x = uint8_t(x);
                out.result_y = uint8_t(y);
                return;
            }
        }
        return;
    }
    const int width = a.x2 - a.x1 + 1, height = a.y2 - a.y1 + 1;
    if (width < 1 || height < 1) return;
    const int tries = width * height * tries_per_cell;
    for (int t = 0; t < tries; ++t) {
        const int dx = random(width);
        const int dy = random(height);
        const int x = a.x1 + dx, y = a.y1 + dy;
        if (fits(request, x, y, depth)) {
            out.result_x = uint8_t(x);
            out.result_y = uint8_t(y);
            return;
        }
    }
}

} // namespace dravok
