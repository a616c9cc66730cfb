#include "world/map_features.h"

#include <cstdint>

#include "world/globals.h"
#include "world/map.h"

namespace dravok {

void smear_splashes(int, int, int, int) {
    // not built yet: splashes carried along by a moving being
}

void add_splash(int x, int y, int, int, int kind, int) {
    // not built yet: splash sizes, directions and mixing; the cell takes the kind
    if (on_map(x, y)) cell_at(x, y).splash = uint8_t(kind);
}

void get_cell_text(int, int, bool, std::string& out) {
    // not built yet: texts written on cells
    out.clear();
}

std::string area_discovery_text(int) {
    // not built yet: areas tell nothing when they are discovered
    return {};
}

static bool valid_area(int a) {
    return a >= 1 && a < static_cast<int>(areas.size());
}

void get_area_edge_point(int area, const tarea& fallback, int& out_x, int& out_y) {
    const tarea& r = valid_area(area) ? areas[area] : fallback;
    switch (r.direction) {
    case 1:
        out_x = r.x1 + 1;
        out_y = r.y1;
        break;
    case 2:
        out_x = r.x2;
        out_y = r.y1 + 1;
        break;
    case 3:
        out_x = r.x1 + 1;
        out_y = r.y2;
        break;
    case 4:
        out_x = r.x1;
        out_y = r.y1 + 1;
        break;
    default:
        break;
    }
}

bool is_area_edge_point(int x, int y) {
    if (!on_map(x, y, 0)) return false;
    int a = cell_at(x, y).area;
    if (!valid_area(a)) return false;
    if (areas[a].kind != 1) a = areas[a].parent;
    if (!valid_area(a) || areas[a].kind != 1) return false;
    int ex = 0, ey = 0;
    get_area_edge_point(a, areas[a], ex, ey);
    return ex == x && ey == y;
}

bool reaches_area_straight(int x, int y, int area, int steps, int direction) {
    static const int dx[5] = {0, 0, 1, 0, -1};
    static const int dy[5] = {0, -1, 0, 1, 0};
    if (direction < 1 || direction > 4) return false;
    for (int i = 1; i <= steps; ++i) {
        x += dx[direction];
        y += dy[direction];
        if (!on_map(x, y, 0)) return false;
        const int a = cell_at(x, y).area;
        if (a == area) return true;
        if (a != 0) return false;
    }
    return false;
}

} // namespace dravok
