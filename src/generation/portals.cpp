#include "generation/portals.h"

#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "records/layout_parts.h"
#include "world/error_log.h"
#include "world/map.h"
#include "world/random.h"

namespace dravok {

void set_portals(int) {
    // not built yet: placing the stairs and teleporters of a new level
}

namespace {

bool on_current_level(const tportal& p) {
    return p.level == level.index && on_map(p.x, p.y);
}

} // namespace

tportal get_portal(int x, int y, int) {
    tportal result{};
    if (!on_map(x, y)) return result;
    for (std::size_t i = 1; i < portals.size() && result.level == 0; ++i) {
        const tportal& p = portals[i];
        if (p.x != x || p.y != y || p.level != level.index) continue;
        if (p.return_flag != 0 && p.return_level != game.came_from_level) continue;
        result = p;
    }
    return result;
}

tportal get_destination_portal(int x, int y, int depth) {
    depth = trace_enter(depth, trace_get_destination_portal);
    const tportal from = get_portal(x, y, depth);
    if (from.destination == 0 || from.destination >= portals.size()) return tportal{};
    return portals[from.destination];
}

int pick_spawn_portal(const std::vector<int>& kinds) {
    auto number_portals = [](int kind) {
        int n = 0;
        for (std::size_t i = 1; i < portals.size(); ++i) {
            tportal& p = portals[i];
            const bool fits = on_current_level(p) && (kind == 0 ? cell_at(p.x, p.y).furniture != 0
                                                                : cell_at(p.x, p.y).furniture == kind);
            p.spawn_ordinal = fits ? static_cast<uint16_t>(++n) : 0;
        }
        return n;
    };
    int n = 0;
    if (kinds.empty()) n = number_portals(0);
    for (int kind : kinds) {
        n = number_portals(kind);
        if (n > 0) break;
    }
    if (n == 0) return 0;
    const int pick = random(n) + 1;
    for (std::size_t i = 1; i < portals.size(); ++i)
        if (portals[i].spawn_ordinal == pick) return static_cast<int>(i);
    return 0;
}

bool portal_at(int x, int y) {
    for (std::size_t i = 1; i < portals.size(); ++i) {
        const tportal& p = portals[i];
        if (p.return_flag != 0 && p.x == x && p.y == y && on_current_level(p)) return true;
    }
    return false;
}

} // namespace dravok
