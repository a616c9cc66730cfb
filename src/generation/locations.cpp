#include "generation/locations.h"

#include "generation/areas.h"
#include "world/globals.h"
#include "world/map.h"
#include "world/random.h"

namespace dravok {

void find_location(const tstuff& request, int depth, tstuff& out) {
    // not built yet: the area filters of a placement request (content, exits, cell counts, zones)
    out = request;
    out.area = 0;
    out.result_x = out.result_y = 0;
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
    // not built yet: the placement patterns but random, the zones and the strictness of late tries
    out = request;
    out.result_x = out.result_y = 0;
    if (!is_area_ok(request.area)) return;
    const tarea& a = areas[request.area];
    const int width = a.x2 - a.x1 + 1, height = a.y2 - a.y1 + 1;
    const int tries = width * height * 10;
    for (int n = 0; n < tries; ++n) {
        const int dx = random(width);
        const int dy = random(height);
        const int x = a.x1 + dx, y = a.y1 + dy;
        if (!on_map(x, y, depth) || cell_at(x, y).area != request.area) continue;
        if (!is_free_floor(x, y, request.width, depth, request.object_id, request.kind, request.height))
            continue;
        out.result_x = uint8_t(x);
        out.result_y = uint8_t(y);
        return;
    }
}

} // namespace dravok
