#include "rules/noted_items.h"
#include "records/layout_being.h"

#include "rules/equipment.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/map.h"
#include "world/player.h"

namespace dravok {

namespace {

constexpr int animate_reach = 4; // an animator notes corpses closer than this

bool wished(const tbeing& b, const titem& item) {
    for (int f = 1; f <= last_item_flag; ++f) {
        if (b.wish[f - 1] != 0 && has_item_flag(item, f)) return true;
    }
    return false;
}

} // namespace

void forget_noted_items(int being, int x, int y, int serial) {
    if (being < 1 || being >= int(beings.size())) return;
    for (tnoted_item& n : beings[being].noted_items) {
        const bool cell = x == 0 || (n.x == x && n.y == y);
        const bool same = serial == 0 || n.serial == uint32_t(serial);
        if (cell && same) n = tnoted_item{};
    }
}

int free_noted_slot(int being) {
    const tbeing& b = beings[being];
    int farthest = 1;
    for (int j = 1; j <= noted_item_count; ++j) {
        if (at1(b.noted_items, j).x == 0) return j;
        if (at1(b.noted_items, j).distance > at1(b.noted_items, farthest).distance) farthest = j;
    }
    return farthest;
}

void note_seen_items(int being, int x, int y) {
    if (!is_being_ok(being) || being == player || !on_map(x, y)) return;
    forget_noted_items(being, x, y, 0);
    tbeing& b = beings[being];
    const bool animator = being_status(b, st_animate) != 0 || being_status(b, st_device_animate) != 0;
    for (std::size_t i = 1; i < level_items.size(); ++i) {
        const titem& it = level_items[i];
        if (it.serial == 0 || it.plan == 0 || it.x != x || it.y != y) continue;
        const int distance = get_distance(b.x, b.y, x, y);
        if (animator && distance < animate_reach &&
            (has_item_flag(it, if_corpse) || has_item_flag(it, if_bones)) && has_item_flag(it, if_humanoid)) {
            b.corpse_in_reach = 1;
            if (b.uses_items == 0) return;
        }
        if (b.uses_items == 0 || has_item_flag(it, if_ignore) || !wished(b, it) ||
            !meets_ability_requirements(being, it))
            continue;
        tnoted_item& n = at1(b.noted_items, free_noted_slot(being));
        n = tnoted_item{};
        n.x = uint8_t(x);
        n.y = uint8_t(y);
        n.serial = uint32_t(it.serial);
        n.item = uint16_t(i);
        n.distance = uint16_t(distance);
    }
}

bool noted_item_present(int being, int entry) {
    tnoted_item& n = at1(beings[being].noted_items, entry);
    const bool present = on_map(n.x, n.y) && n.item >= 1 && n.item < level_items.size() &&
                         level_items[n.item].x == n.x && level_items[n.item].y == n.y &&
                         uint32_t(level_items[n.item].serial) == n.serial;
    if (!present) n = tnoted_item{};
    return present;
}

int get_nearest_noted_item(int being, int depth, int& distance) {
    depth = trace_enter(depth, trace_get_nearest_noted_item);
    distance = -1;
    if (!is_being_ok(being, depth)) return 0;
    tbeing& b = beings[being];
    int best = 0;
    for (int j = 1; j <= noted_item_count; ++j) {
        tnoted_item& n = at1(b.noted_items, j);
        if (n.x == 0 || n.skip != 0 || !noted_item_present(being, j)) continue;
        const int other = cell_at(n.x, n.y).being;
        if (other != 0 && other != being) continue;
        n.distance = uint16_t(get_distance(b.x, b.y, n.x, n.y));
        if (best == 0 || n.distance < at1(b.noted_items, best).distance) best = j;
    }
    if (best != 0) distance = at1(b.noted_items, best).distance;
    return best;
}

} // namespace dravok
