// Switch wear.
#include "rules/area_switch.h"
#include "records/layout_map.h"

#include "world/level_areas.h"
#include "world/map.h"
#include "world/random.h"

namespace dravok {

bool break_area_switch(int area, int factor) {
    constexpr int fu_switch = 37;
    const uint32_t at = find_nth_area_furniture(area, 1, {fu_switch});
    const int x = int(at & 0xffff), y = int(at >> 16);
    if (at == 0 || !on_map(x, y)) return false;
    areas[area].switch_uses += 1;
    if (d100() <= 100 - areas[area].switch_uses * factor) return false;
    remove_furniture(x, y, true);
    return true;
}

} // namespace dravok
