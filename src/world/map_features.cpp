#include "world/map_features.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "records/being_flags.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/directions.h"
#include "world/geometry.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/random.h"
#include "world/sprite_lookup.h"
#include "world/text_database.h"

namespace dravok {

namespace {

constexpr int splash_kinds = 8;
constexpr int blood_pool = 1, slime_pool = 4, remains_pool = 6;
constexpr int spreading_damage = 10;
constexpr int splash_redraws = 99;
// Chances (out of 100) of a walker carrying a splash along.
constexpr int pool_spreads = 61, pool_leaves_trail = 11;
constexpr int trail_wiped = 31, trail_spreads = 6, trail_changes = 60;

bool is_pool(int kind) {
    return kind == blood_pool || kind == slime_pool || kind == remains_pool;
}

bool is_trail(int kind) {
    return kind == blood_pool + 1 || kind == slime_pool + 1 || kind == remains_pool + 1;
}

bool takes_splash(int x, int y) {
    return on_map(x, y) && is_floor(x, y) && get_furniture(x, y) == 0;
}

void set_splash(int x, int y, int kind) {
    tcell& c = cell_at(x, y);
    c.splash = static_cast<uint8_t>(kind);
    c.splash_variant = static_cast<uint8_t>(pick_splash_image(kind));
}

// A trail of the kind with a variant drawn without regard to the last one.
void set_random_trail(int x, int y, int kind) {
    tcell& c = cell_at(x, y);
    c.splash = static_cast<uint8_t>(kind);
    c.splash_variant =
        static_cast<uint8_t>(random(std::max<int>(sprite_info(sprites_splash, kind).variants, 1)));
}

int splash_of_being(int being, int kind) {
    if (being < 1 || being >= static_cast<int>(beings.size())) return kind;
    const tbeing& b = beings[being];
    if (has_type_flag(b, tf_leaves_slime_trail) || b.category == tf_ooze || b.category == tf_flora ||
        b.category == tf_insect)
        return slime_pool;
    if (b.category == tf_construct || b.category == tf_elemental || b.category == tf_undead)
        return remains_pool;
    return kind;
}

} // namespace

int32_t splash_last_image[splash_kinds + 1] = {};

int pick_splash_image(int kind) {
    const int count = std::max<int>(sprite_info(sprites_splash, kind).variants, 1);
    int pick = random(count);
    const bool in_range = kind >= 1 && kind <= splash_kinds;
    if (in_range && count > 1 && splash_last_image[kind] > 0)
        for (int i = 0; i < splash_redraws && pick == splash_last_image[kind]; ++i)
            pick = random(count);
    if (in_range) splash_last_image[kind] = pick;
    return pick;
}

void smear_splashes(int being, int x, int y, int) {
    if (!is_being_ok(being) || !on_map(x, y)) return;
    const tbeing& b = beings[being];
    if (!on_map(b.x, b.y) || cell_at(x, y).splash != 0) return;
    const int s = cell_at(b.x, b.y).splash;
    if (is_pool(s)) {
        if (random(100) >= pool_spreads) return;
        if (takes_splash(x, y)) set_random_trail(x, y, s + 1);
        if (random(100) < pool_leaves_trail) set_random_trail(b.x, b.y, s + 1);
    } else if (is_trail(s)) {
        if (random(100) < trail_wiped) {
            cell_at(b.x, b.y).splash = 0;
            cell_at(b.x, b.y).splash_variant = 0;
        } else if (random(100) < trail_spreads && takes_splash(x, y)) {
            set_random_trail(x, y, s);
        } else if (random(100) <= trail_changes) {
            set_random_trail(b.x, b.y, s);
        }
    }
}

void add_splash(int x, int y, int being, int damage, int kind, int direction) {
    if (!on_map(x, y)) return;
    kind = splash_of_being(being, kind);
    if (takes_splash(x, y)) set_splash(x, y, kind == 0 ? blood_pool : kind);
    if (damage >= spreading_damage && direction >= 1 && direction <= 8) {
        const int nx = x + direction_steps[direction].dx, ny = y + direction_steps[direction].dy;
        if (takes_splash(nx, ny)) set_splash(nx, ny, kind == 0 ? blood_pool + 1 : kind + 1);
    }
}

void get_cell_text(int x, int y, bool once, std::string& out) {
    out.clear();
    if (!on_map(x, y)) return;
    const tcell& c = cell_at(x, y);
    const int a = c.area;
    if (a < 1 || a >= static_cast<int>(areas.size())) return;
    tarea& r = areas[a];
    const bool keep = c.furniture == fu_text;
    const int zone = c.vault_zone;
    if (zone >= 1 && zone <= zone_count && r.zone_text[zone - 1] > 0) {
        get_section_text(r.zone_text[zone - 1], {}, r.zone_entry[zone - 1], out);
        if (once && !keep) r.zone_text[zone - 1] = 0;
        return;
    }
    if (r.text <= 0) return;
    get_section_text(r.text, {}, r.text_entry, out);
    if (once && !keep) r.text = 0;
}

std::string area_discovery_text(int area) {
    if (area < 1 || area >= static_cast<int>(areas.size()) || areas[area].report <= 0) return {};
    std::string out;
    get_section_text(areas[area].report, {}, -1, out);
    return out;
}

void refloor_connected_cells(int x, int y, int block) {
    static uint8_t visited[max_map_size][max_map_size];
    static ring_cell queue[max_map_size * max_map_size];
    std::memset(visited, 0, sizeof visited);
    auto natural_floor = [](int cx, int cy) {
        return on_map(cx, cy) && is_floor(cx, cy) &&
               (cell_at(cx, cy).shape == 6 || cell_at(cx, cy).shape == 7);
    };
    if (!natural_floor(x, y)) return;
    int head = 0, tail = 0;
    visited[x - 1][y - 1] = 1;
    cell_at(x, y).block = static_cast<uint8_t>(block);
    queue[tail++] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    while (head < tail) {
        const ring_cell c = queue[head++];
        for (int d = 1; d <= 4; ++d) {
            const int nx = c.x + dir_dx[d], ny = c.y + dir_dy[d];
            if (!natural_floor(nx, ny) || visited[nx - 1][ny - 1]) continue;
            visited[nx - 1][ny - 1] = 1;
            cell_at(nx, ny).block = static_cast<uint8_t>(block);
            queue[tail++] = {static_cast<uint8_t>(nx), static_cast<uint8_t>(ny)};
        }
    }
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
