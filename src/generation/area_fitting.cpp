#include "generation/area_fitting.h"

#include <algorithm>

#include "generation/areas.h"
#include "world/level_areas.h"

namespace dravok {

void fit_area_to_cell(int area, int x, int y) {
    if (!is_area_ok(area)) return;
    tarea& a = areas[area];
    if (x >= a.x1 && x <= a.x2 && y >= a.y1 && y <= a.y2) return;
    a.x1 = std::min(a.x1, x);
    a.y1 = std::min(a.y1, y);
    a.x2 = std::max(a.x2, x);
    a.y2 = std::max(a.y2, y);
    a.width = a.x2 - a.x1 + 1;
    a.height = a.y2 - a.y1 + 1;
    a.cells = a.width * a.height;
}

} // namespace dravok
