#include "generation/locations.h"
#include "records/layout_being.h"
#include "records/layout_level.h"
#include "records/layout_parts.h"

#include <array>
#include <string>
#include <vector>

#include "generation/areas.h"
#include "records/layout_plans.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/item_record.h"
#include "world/level_areas.h"
#include "world/level_items.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok {

namespace {

constexpr int tries_per_cell = 10;
constexpr int nest_tries = 31;
constexpr int container_keep = 20;
constexpr int bones_keep = 10;
constexpr int door_keep = 20;
constexpr int portal_near_divisor = 6;
constexpr int content_row_count = 150;

struct offset {
    int dx, dy;
};

// The centre's neighbours in the order the centre pattern tries them.
constexpr offset centre_order[9] = {{0, 0},  {-1, 0}, {1, 0},  {0, -1}, {0, 1},
                                    {1, -1}, {1, 1},  {-1, 1}, {-1, -1}};

// The nest: the centre four times, then the 5 x 5 square without its corners and centre.
constexpr offset nest_offsets[24] = {{0, 0},  {0, 0},   {0, 0},   {0, 0},  {-1, -2}, {0, -2},
                                     {1, -2}, {-2, -1}, {-1, -1}, {0, -1}, {1, -1},  {2, -1},
                                     {-2, 0}, {-1, 0},  {1, 0},   {2, 0},  {-2, 1},  {-1, 1},
                                     {0, 1},  {1, 1},   {2, 1},   {-1, 2}, {0, 2},   {1, 2}};

struct shape {
    int length;
    offset steps[8];
};

// Shapes by pattern 6..23, offsets from the centre in step order.
constexpr shape shapes[18] = {
    {5, {{0, -3}, {-2, -2}, {2, -2}, {-3, 0}, {3, 0}}},                            // arc
    {5, {{0, -4}, {-3, -3}, {3, -3}, {-4, 0}, {4, 0}}},                            // arc_big
    {5, {{0, -4}, {-2, -2}, {2, -2}, {-4, 0}, {4, 0}}},                            // arrow
    {4, {{-2, -2}, {2, -2}, {-2, 2}, {2, 2}}},                                     // corners
    {4, {{-3, -3}, {3, -3}, {-3, 3}, {3, 3}}},                                     // corners_big
    {4, {{0, -2}, {-2, 0}, {2, 0}, {0, 2}}},                                       // cross
    {4, {{3, 0}, {-3, 0}, {0, -3}, {0, 3}}},                                       // cross_big
    {8, {{0, -4}, {-2, -2}, {2, -2}, {-4, 0}, {4, 0}, {-2, 2}, {2, 2}, {0, 4}}},   // diamond
    {6, {{-3, -2}, {0, -2}, {3, -2}, {-3, 2}, {0, 2}, {3, 2}}},                    // horizontal
    {6, {{-3, -3}, {0, -3}, {3, -3}, {-3, 3}, {0, 3}, {3, 3}}},                    // horizontal_big
    {8, {{-1, -3}, {1, -3}, {-3, -1}, {3, -1}, {-3, 1}, {3, 1}, {-1, 3}, {1, 3}}}, // paired
    {8, {{0, -3}, {-2, -2}, {2, -2}, {-3, 0}, {3, 0}, {-2, 2}, {2, 2}, {0, 3}}},   // ring
    {8, {{0, -4}, {-3, -3}, {3, -3}, {-4, 0}, {4, 0}, {-3, 3}, {3, 3}, {0, 4}}},   // ring_big
    {8, {{-3, -3}, {0, -3}, {3, -3}, {-3, 0}, {3, 0}, {-3, 3}, {0, 3}, {3, 3}}},   // square
    {3, {{0, -2}, {-2, 2}, {2, 2}}},                                               // triangle
    {3, {{0, -3}, {-3, 2}, {3, 2}}},                                               // triangle_big
    {6, {{-2, -3}, {2, -3}, {-2, 0}, {2, 0}, {-2, 3}, {2, 3}}},                    // vertical
    {6, {{-3, -3}, {3, -3}, {-3, 0}, {3, 0}, {-3, 3}, {3, 3}}},                    // vertical_big
};

bool places_being(const tstuff& r) {
    return r.kind == request_being || r.kind == request_random_being;
}

bool places_item(const tstuff& r) {
    return r.kind == request_item || r.kind == request_random_item;
}

bool places_trap(const tstuff& r) {
    return r.kind == request_trap || r.kind == request_random_trap;
}

bool is_portal_furniture(int f) {
    return f >= fu_stairs_down && f <= fu_teleporter;
}

bool is_container(int f) {
    return f >= fu_chest && f <= fu_cauldron;
}

// Furniture that may still go next to other furniture once a search relaxes.
bool placed_when_relaxed(int f) {
    return is_portal_furniture(f) || is_container(f) || f == fu_switch;
}

const tcontent* content_of(int c) {
    return c >= 1 && c < static_cast<int>(contents.size()) ? &contents[c] : nullptr;
}

bool owner_flag(const tstuff& r, uint8_t tcontent::*flag) {
    const tcontent* c = content_of(r.owner_content);
    return c != nullptr && c->*flag != 0;
}

bool being_in_area(int area) {
    for (std::size_t b = 1; b < beings.size(); ++b)
        if (beings[b].present != 0 && beings[b].area == area) return true;
    return false;
}

bool has_zone(const tarea& a, int z) {
    return z >= 1 && z <= zone_count && a.zone(z).x != 0;
}

int neighbours_where(int x, int y, auto test) {
    int n = 0;
    for (int d = 1; d <= 8; ++d)
        if (test(x + compass_dx[d], y + compass_dy[d])) ++n;
    return n;
}

bool wall_around(int x, int y) {
    return neighbours_where(x, y, [](int nx, int ny) { return is_wall(nx, ny, 0); }) > 0;
}

bool furniture_around(int x, int y) {
    return neighbours_where(x, y, [](int nx, int ny) { return get_furniture(nx, ny, 0) != 0; }) > 0;
}

bool being_around(int x, int y) {
    if (cell_at(x, y).being != 0) return true;
    return neighbours_where(x, y,
                            [](int nx, int ny) { return on_map(nx, ny) && cell_at(nx, ny).being != 0; }) > 0;
}

bool secret_door_around(int x, int y) {
    return neighbours_where(x, y, [](int nx, int ny) { return is_secret_door(nx, ny, 0) != 0; }) > 0;
}

// The search rectangle and centre of a spot search; zone 0 means any cell of the area.
struct search_box {
    int x, y, width, height, centre_x, centre_y, zone;
};

bool free_for(const tstuff& r, int x, int y, int depth) {
    depth = trace_enter(depth, trace_free_for);
    return is_free_floor(x, y, r.width, depth, r.object_id, r.kind, r.height);
}

bool in_area_and_zone(const tstuff& r, const search_box& box, int x, int y) {
    if (!on_map(x, y)) return false;
    const tcell& c = cell_at(x, y);
    return c.area == r.area && (box.zone == 0 || c.vault_zone == box.zone);
}

bool set_result(tstuff& r, int x, int y) {
    r.result_x = static_cast<uint8_t>(x);
    r.result_y = static_cast<uint8_t>(y);
    return true;
}

// Category: the first item flag 1..9; class: the first of 10..58.
void item_category_and_class(int plan, int& category, int& klass) {
    category = klass = 0;
    if (plan < 1 || plan >= static_cast<int>(item_plans.size())) return;
    const titem_plan& p = item_plans[plan];
    for (int f = if_wearable; f <= 9 && category == 0; ++f)
        if (p.flags[f] != 0) category = f;
    for (int f = if_armor; f <= 58 && klass == 0; ++f)
        if (p.flags[f] != 0) klass = f;
}

bool in(int f, int low, int high) {
    return f >= low && f <= high;
}

bool chest_or_coffin(int f) {
    return in(f, fu_chest, fu_chest_shop) || in(f, fu_coffin, fu_sarcophagus);
}

bool table_like(int f) {
    return in(f, fu_table, fu_pedestal);
}

bool container_accepts(int pass, int klass, int category, int x, int y, bool trap) {
    const tcell& c = cell_at(x, y);
    const int f = c.furniture;
    if (f < 1 || f > furniture_kind_count) return false;
    if (c.hidden_creature != 0 && f != fu_coffin && f != fu_sarcophagus) return false;
    if (trap) return c.trap == 0 && (in(f, fu_chest, fu_sarcophagus) || c.held_items != 0);
    const bool armour = klass == if_armor || category == if_shield;
    const bool weapon = category == if_weapon || category == if_ammunition;
    const bool writing = klass == if_book || klass == if_scroll;
    const bool gear = category == if_device || category == if_tool;
    const bool treasure = category == if_jewellery || category == if_valuable;
    const bool remains = klass == if_corpse || klass == if_bones;
    const bool books = in(f, fu_bookcase, fu_bookcase_shop);
    switch (pass) {
    case 1:
        if (armour) return in(f, fu_armorstand, fu_armorstand_shop);
        if (category == if_wearable) return chest_or_coffin(f) || table_like(f);
        if (weapon) return in(f, fu_weaponrack, fu_weaponrack_shop);
        if (writing) return books;
        if (klass == if_potion) return chest_or_coffin(f) || f == fu_barrel || table_like(f);
        if (gear) return chest_or_coffin(f) || table_like(f);
        if (treasure) return chest_or_coffin(f);
        if (remains) return in(f, fu_coffin, fu_sarcophagus);
        return false;
    case 2:
        if (armour || weapon) return chest_or_coffin(f);
        if (category == if_wearable || klass == if_potion || gear) return books;
        if (writing) return chest_or_coffin(f) || table_like(f);
        if (treasure) return table_like(f);
        if (remains) return f == fu_altar || f == fu_cauldron;
        return false;
    default:
        if (armour || weapon) return table_like(f);
        if (category == if_wearable || writing || klass == if_potion) return false;
        if (treasure && books) return true;
        if (remains) return f == fu_barrel;
        return (treasure || gear) && f == fu_barrel;
    }
}

bool place_in_container(tstuff& r, const search_box& box) {
    const bool trap = places_trap(r);
    int category = 0, klass = 0;
    if (!trap) {
        if (r.object_id < 1 || r.object_id >= item_plans.size()) return false;
        item_category_and_class(r.object_id, category, klass);
    }
    for (int pass = 1; pass <= 3; ++pass) {
        std::vector<offset> found;
        for (int x = box.x; x < box.x + box.width; ++x)
            for (int y = box.y; y < box.y + box.height; ++y) {
                if (!in_area_and_zone(r, box, x, y) || !is_container(cell_at(x, y).furniture)) continue;
                if (!container_accepts(pass, klass, category, x, y, trap)) continue;
                if (cell_at(x, y).held_items == 0) return set_result(r, x, y);
                if (static_cast<int>(found.size()) < container_keep) found.push_back({x, y});
            }
        if (!found.empty()) {
            const int pick = random(static_cast<int>(found.size()));
            return set_result(r, found[pick].dx, found[pick].dy);
        }
    }
    return false;
}

bool place_with_bones(tstuff& r, const search_box& box) {
    std::vector<offset> found;
    for (std::size_t i = 1; i < level_items.size() && static_cast<int>(found.size()) < bones_keep; ++i) {
        const titem& item = level_items[i];
        if (item.plan == 0 || !has_item_flag(item, if_bones)) continue;
        const int x = item.x, y = item.y;
        if (x < box.x || x >= box.x + box.width || y < box.y || y >= box.y + box.height) continue;
        if (in_area_and_zone(r, box, x, y)) found.push_back({x, y});
    }
    if (found.empty()) return false;
    const int pick = random(static_cast<int>(found.size()));
    return set_result(r, found[pick].dx, found[pick].dy);
}

bool random_cell_fits(const tstuff& r, const search_box& box, int x, int y, int limit, int tries, int depth) {
    depth = trace_enter(depth, trace_random_cell_fits);
    return in_area_and_zone(r, box, x, y) && free_for(r, x, y, depth) &&
           spot_fits_request(r, x, y, limit, tries);
}

bool search_random(tstuff& r, const search_box& box, bool circular, int depth) {
    depth = trace_enter(depth, trace_search_random);
    const int total = box.width * box.height * tries_per_cell;
    const int limit = total / tries_per_cell;
    const int radius = box.width / 2;
    for (int t = 0; t < total; ++t) {
        int x = 0, y = 0;
        if (circular) {
            const int ax = random(radius);
            const int bx = random(radius);
            const int ay = random(radius);
            const int by = random(radius);
            x = box.centre_x + ax - bx;
            y = box.centre_y + ay - by;
        } else {
            const int dx = random(box.width + 1);
            const int dy = random(box.height + 1);
            x = box.x + dx;
            y = box.y + dy;
        }
        if (random_cell_fits(r, box, x, y, limit, total - t, depth)) return set_result(r, x, y);
    }
    return false;
}

bool search_full_area(tstuff& r, int depth) {
    depth = trace_enter(depth, trace_search_full_area);
    const tarea& a = areas[r.area];
    const int width = a.x2 - a.x1 + 1, height = a.y2 - a.y1 + 1;
    const int total = width * height * tries_per_cell;
    const int limit = total / tries_per_cell;
    for (int t = 0; t < total; ++t) {
        const int dx = random(width - 1);
        const int dy = random(height - 1);
        const int x = a.x1 + 1 + dx, y = a.y1 + 1 + dy;
        if (!on_map(x, y) || cell_at(x, y).area != r.area) continue;
        if (free_for(r, x, y, depth) && spot_fits_request(r, x, y, limit, total - t))
            return set_result(r, x, y);
    }
    return false;
}

bool search_center(tstuff& r, const search_box& box, int depth) {
    depth = trace_enter(depth, trace_search_center);
    const int start_y = box.centre_y + (r.kind == request_furniture && r.object_id == fu_text ? 1 : 0);
    for (const offset& o : centre_order) {
        const int x = box.centre_x + o.dx, y = start_y + o.dy;
        if (in_area_and_zone(r, box, x, y) && free_for(r, x, y, depth)) return set_result(r, x, y);
    }
    return false;
}

bool search_nest(tstuff& r, const search_box& box, int depth) {
    depth = trace_enter(depth, trace_search_nest);
    for (int t = 0; t < nest_tries; ++t) {
        const offset& o = nest_offsets[random(24)];
        const int x = box.centre_x + o.dx, y = box.centre_y + o.dy;
        if (random_cell_fits(r, box, x, y, 0, nest_tries - t, depth)) return set_result(r, x, y);
    }
    return false;
}

bool search_wall(tstuff& r, const search_box& box) {
    const int y = box.y - 1;
    for (int k = 0; k <= box.width / 2; ++k)
        for (int side : {1, -1}) {
            if (k == 0 && side < 0) continue;
            const int x = box.centre_x + side * k;
            if (x < box.x || x >= box.x + box.width) continue;
            if (is_free_wall(x, y, 0) && is_free_wall(x - 1, y, 0) && is_free_wall(x + 1, y, 0))
                return set_result(r, x, y);
        }
    return false;
}

bool search_shape(tstuff& r, const search_box& box, int depth) {
    depth = trace_enter(depth, trace_search_shape);
    const shape& s = shapes[r.pattern - pattern_first_shape];
    const int step = ++r.shape_step;
    if (step > s.length) return false;
    const int x = box.centre_x + s.steps[step - 1].dx, y = box.centre_y + s.steps[step - 1].dy;
    if (!in_area_and_zone(r, box, x, y) || !free_for(r, x, y, depth)) return false;
    if (r.kind == request_furniture && !is_free_of_furniture_around(x, y, r.object_id)) return false;
    return set_result(r, x, y);
}

bool door_trap_candidate(int area, int x, int y) {
    if (!on_map(x, y)) return false;
    const tcell& c = cell_at(x, y);
    if ((!is_door(x, y, 0, 0) && c.secret_door == 0) || c.trap != 0) return false;
    if (c.area == area) return true;
    for (int d = 1; d <= 4; ++d) {
        const int nx = x + dir_dx[d], ny = y + dir_dy[d];
        if (is_floor(nx, ny, 0) && cell_at(nx, ny).area == area) return true;
    }
    return false;
}

} // namespace

bool area_fits_request(const tstuff& r, int area) {
    if (!is_area_ok(area)) return false;
    const tarea& a = areas[area];
    if (a.search != 0) return false;
    const bool beings_placed = places_being(r);
    if (a.no_creatures != 0 &&
        (beings_placed || (r.kind == request_furniture && is_portal_furniture(r.object_id))))
        return false;
    if (r.vault != 0) {
        if (a.vault != r.vault) return false;
    } else if (r.area_kind >= area_corridor && r.area_kind <= area_vault) {
        if (a.kind != r.area_kind) return false;
    } else if (a.kind == area_corridor && r.kind >= request_furniture && r.kind <= request_random_trap) {
        return false;
    }
    if (r.content != 0 && a.content != 0) return false;
    if (r.content_required != 0 && a.content != r.content_required) return false;
    if (r.no_content != 0 && a.content != 0) return false;
    if (r.no_being != 0 && being_in_area(area)) return false;
    if (r.no_floor_symbol != 0 && a.symbol != 0) return false;
    if (r.min_cells != 0 && a.cells < r.min_cells) return false;
    if (r.max_cells != 0 && a.cells > r.max_cells) return false;
    if (r.min_exit_cells != 0 && a.exit_cells < r.min_exit_cells) return false;
    if (r.max_exit_cells == 0 ? a.exit_cells != 0 : a.exit_cells > r.max_exit_cells) return false;
    if (r.passable_exits != 0 && a.passable_exits == 0) return false;
    if (r.no_portal_near != 0 &&
        (area_has_portal(area) || portal_near(a.centre_x, a.centre_y, map_size / portal_near_divisor)))
        return false;
    const tcontent* own = content_of(a.content);
    if (own != nullptr && own->no_population != 0 && r.population_row != 0 && beings_placed) return false;
    if (a.kind == area_corridor && r.max_exit_cells == 0 && a.touching != 1) return false;
    if (a.kind == area_polygon && !has_zone(a, vz_main)) return false;
    const tcontent* placed = content_of(r.content);
    if (a.kind >= area_special && placed == nullptr && !has_zone(a, r.zone)) return false;
    if ((r.area_kind == area_special || r.area_kind == area_vault || r.vault != 0) && placed != nullptr)
        for (int i = 1; i <= content_row_count; ++i) {
            const tstuff& row = placed->stuff[i - 1];
            if (row.kind != 0 && row.zone >= 1 && row.zone <= zone_count && !has_zone(a, row.zone))
                return false;
        }
    return true;
}

void find_location(const tstuff& request, int, tstuff& out) {
    tstuff r = request;
    r.vault = r.area_kind > area_vault ? static_cast<uint16_t>(r.area_kind - area_vault) : 0;
    r.area = 0;
    r.result_x = r.result_y = 0;
    r.result_vault = 0;
    const int high = area_high_index();
    int result = 0;
    switch (r.area_choice) {
    case choose_first:
    case choose_last: {
        const bool up = r.area_choice == choose_first;
        for (int i = 1; i <= high && result == 0; ++i) {
            const int a = up ? i : high + 1 - i;
            if (areas[a].search != 0) continue;
            if (area_fits_request(r, a))
                result = a;
            else
                areas[a].search = 1;
        }
        break;
    }
    case choose_largest:
        for (int a = 1; a <= high; ++a)
            if (area_fits_request(r, a) && (result == 0 || areas[a].cells > areas[result].cells)) result = a;
        break;
    default: {
        int n = 0;
        for (int a = 1; a <= high; ++a)
            areas[a].scratch = 0;
        for (int a = 1; a <= high; ++a) {
            if (area_fits_request(r, a))
                areas[a].scratch = static_cast<uint32_t>(++n);
            else
                areas[a].search = 1;
        }
        if (n > 0) {
            const int pick = random(n) + 1;
            for (int a = 1; a <= high && result == 0; ++a)
                if (areas[a].scratch == static_cast<uint32_t>(pick)) result = a;
        }
        break;
    }
    }
    if (result != 0) {
        tarea& a = areas[result];
        a.search = 1;
        r.area = static_cast<uint16_t>(result);
        r.result_id = static_cast<uint16_t>(a.vault != 0 ? a.vault + area_vault : a.kind);
        r.result_vault = static_cast<uint16_t>(a.vault);
    }
    out = r;
}

bool spot_fits_request(const tstuff& r, int x, int y, int limit, int tries) {
    const bool strict = tries > limit;
    const tcell& c = cell_at(x, y);
    const int object = r.object_id;
    const bool near_furniture = owner_flag(r, &tcontent::near_furniture);
    if ((c.shape == area_tunnel || c.shape == area_cave) && wall_around(x, y) &&
        !(places_being(r) && near_furniture))
        return false;
    if ((c.shape == area_special || c.shape == area_vault) && c.vault_zone >= vz_first_cell &&
        c.vault_zone <= vz_last_cell && (r.kind == request_furniture || places_being(r)) &&
        r.pattern == pattern_full_area)
        return false;
    if (r.kind == request_furniture) {
        if (wall_around(x, y)) return false;
        if (strict) {
            if (furniture_around(x, y)) return false;
            if (owner_flag(r, &tcontent::keep_clear) && c.placement != 0) return false;
        } else if (!placed_when_relaxed(object) || count_furniture_neighbours(x, y) > 1) {
            return false;
        }
    }
    if (places_item(r) && c.top_item != 0) return false;
    if (places_being(r) &&
        (plan_has_type_flag(object, tf_immobile) || plan_has_type_flag(object, tf_inactive))) {
        if (!near_furniture) {
            if (wall_around(x, y) || furniture_around(x, y) || being_around(x, y)) return false;
        } else {
            if (is_near_doorway(x, y, false, 0) != 0) return false;
            if (plan_has_type_flag(object, tf_inactive) && secret_door_around(x, y)) return false;
        }
    }
    if (r.kind == request_splash) {
        if (c.splash == object) return false;
        if (neighbours_where(x, y, [object](int nx, int ny) {
                return on_map(nx, ny) && cell_at(nx, ny).splash == object;
            }) > 0)
            return false;
    }
    if (r.zone_below != 0) {
        if (!on_map(x, y + 1) || !is_floor(x, y + 1, 0) || get_furniture(x, y + 1, 0) != 0) return false;
    }
    return true;
}

void find_door_for_trap(const tstuff& request, int, tstuff& out) {
    tstuff r = request;
    r.result_x = r.result_y = 0;
    if (is_area_ok(r.area)) {
        const tarea& a = areas[r.area];
        std::vector<offset> found;
        for (int x = a.x1; x <= a.x2; ++x)
            for (int y = a.y1; y <= a.y2 && static_cast<int>(found.size()) < door_keep; ++y)
                if (door_trap_candidate(r.area, x, y)) found.push_back({x, y});
        if (!found.empty()) {
            const int pick = random(static_cast<int>(found.size()));
            set_result(r, found[pick].dx, found[pick].dy);
        }
    }
    out = r;
}

void find_location_spot(const tstuff& request, int depth, tstuff& out) {
    depth = trace_enter(depth, trace_find_location_spot);
    tstuff r = request;
    if (r.width == 0 || r.height == 0) {
        error_log(depth, "No width or height specified!", true);
        out = r;
        return;
    }
    if (r.pattern == 0) r.pattern = pattern_random;
    r.result_x = r.result_y = 0;
    if (!is_area_ok(r.area)) {
        error_log(depth,
                  "Illegal area-index " + std::to_string(r.area) +
                      " (areas: " + std::to_string(area_high_index()) + ")!",
                  true);
        out = r;
        return;
    }
    const tarea& a = areas[r.area];
    // A corridor holds furniture and items at its far end; a taken end cell leaves it empty.
    if (a.kind == area_corridor && r.kind >= request_furniture && r.kind <= request_random_item) {
        const int x = a.direction == 1 ? a.x1 + 1 : a.direction == 2 ? a.x2 - 1 : a.x1 + 1;
        const int y = a.direction == 1 || a.direction == 2 ? a.y1 + 1 : a.y2 - 1;
        if (free_for(r, x, y, depth)) set_result(r, x, y);
        out = r;
        return;
    }
    search_box box{};
    const bool zoned = a.kind == area_polygon || a.kind == area_special || a.kind == area_vault;
    if (zoned) {
        box.zone = r.zone != 0 ? r.zone : vz_main;
        const tzone_rect& z = a.zone(box.zone);
        box.x = z.x;
        box.y = z.y;
        box.width = z.width;
        box.height = z.height;
        box.centre_x = z.x + z.width / 2;
        box.centre_y = z.y + z.height / 2;
        if (!on_map(z.x, z.y) && r.pattern != pattern_full_area) {
            out = r;
            return;
        }
        if (z.width == 1 && z.height == 1 && free_for(r, z.x, z.y, depth)) {
            set_result(r, z.x, z.y);
            out = r;
            return;
        }
    } else {
        box = {a.x1 + 1, a.y1 + 1, a.x2 - a.x1 - 1, a.y2 - a.y1 - 1, a.centre_x, a.centre_y, 0};
    }

    if (places_item(r)) {
        const int to_container = d100();
        if (to_container > r.container_threshold && a.doors > 0 && place_in_container(r, box)) {
            out = r;
            return;
        }
        const int to_bones = d100();
        if (to_bones <= r.bones_chance && place_with_bones(r, box)) {
            out = r;
            return;
        }
    }
    if (places_trap(r)) {
        if (r.trap_onto_door != 0) {
            find_door_for_trap(r, depth, out);
            return;
        }
        if (r.trap_into_container != 0 && a.doors > 0) {
            place_in_container(r, box);
            out = r;
            return;
        }
    }

    switch (r.pattern) {
    case pattern_random:
        if (!search_random(r, box, a.kind == area_circular, depth) && a.kind == area_vault &&
            r.kind == request_furniture && (is_container(r.object_id) || r.object_id == fu_switch))
            search_full_area(r, depth);
        break;
    case pattern_center:
        search_center(r, box, depth);
        break;
    case pattern_nest:
        search_nest(r, box, depth);
        break;
    case pattern_wall:
        search_wall(r, box);
        break;
    case pattern_full_area:
        search_full_area(r, depth);
        break;
    default:
        if (r.pattern >= pattern_first_shape && r.pattern <= pattern_last_shape) search_shape(r, box, depth);
        break;
    }
    out = r;
}

} // namespace dravok
