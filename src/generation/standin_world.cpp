#include "generation/standin_world.h"

#include <cmath>
#include <cstring>

#include "generation/grids.h"

namespace dravok {

tcell map_cells[max_map_size][max_map_size];
int32_t map_size = max_map_size;
std::vector<tarea> areas(1);
tlevel level;
std::vector<tlevel> levels(1);
std::vector<tvault> vaults(1);
tstate_level state;
uint32_t game_clock = 0;
uint8_t impenetrable_walls[max_map_size][max_map_size];

bool on_map(int x, int y, int depth) {
    if (x >= 1 && x <= map_size && y >= 1 && y <= map_size) return true;
    if (depth > 0) {
        char text[80];
        std::snprintf(text, sizeof text, "Coordinates (%3.3d,%3.3d) are outside of the map!", x, y);
        error_log(depth, text, true);
    }
    return false;
}

bool is_wall(int x, int y, int depth) { return on_map(x, y, depth) && cell_at(x, y).block < 41; }
bool is_floor(int x, int y, int depth) { return on_map(x, y, depth) && cell_at(x, y).block >= 41; }
bool is_impenetrable_wall(int x, int y, int depth) {
    return on_map(x, y, depth) && impenetrable_walls[x - 1][y - 1] != 0;
}
int get_area(int x, int y, int depth) { return on_map(x, y, depth) ? cell_at(x, y).area : 0; }
int get_area_kind(int x, int y) { return on_map(x, y, 0) ? cell_at(x, y).shape : 0; }

bool set_block(int x, int y, int block, int depth, bool make_impenetrable, int area, int shape_kind) {
    if (!on_map(x, y, depth)) return false;
    tcell& c = cell_at(x, y);
    const bool same_base = (c.block < 41) == (block < 41);
    if (!(c.area != 0 && same_base)) c.block = static_cast<uint8_t>(block);
    if (block < 41 && make_impenetrable) impenetrable_walls[x - 1][y - 1] = 1;
    if (c.area == 0 && area > 0) ++dungeon.area_cells;
    c.shape = static_cast<uint8_t>(shape_kind);
    c.area = static_cast<uint8_t>(area);
    return mark_dug_cell(x, y);
}

int get_furniture(int x, int y, int depth) {
    if (!on_map(x, y, depth)) return 0;
    const int f = cell_at(x, y).furniture;
    return f >= 61 ? 0 : f;
}
bool is_furniture(int x, int y, int furniture, int depth, int state_) {
    return get_furniture(x, y, depth) == furniture && (state_ == -1 || cell_at(x, y).furniture_state == state_);
}
bool is_door(int x, int y, int state_, int depth) {
    const int f = get_furniture(x, y, depth);
    return f >= 8 && f <= 10 && (state_ == -1 || cell_at(x, y).furniture_state == state_);
}

void add_furniture(int x, int y, int furniture, int depth) {
    if (!on_map(x, y, depth)) return;
    tcell& c = cell_at(x, y);
    c.furniture = static_cast<uint8_t>(furniture);
    c.splash = 0;
    c.splash_variant = 0;
    if (c.area >= 1 && c.area < static_cast<int>(areas.size()) && furniture >= 12 && furniture <= 30)
        ++areas[c.area].doors;
}

void remove_furniture(int x, int y, bool with_hidden_creature, int depth) {
    if (!on_map(x, y, depth)) return;
    tcell& c = cell_at(x, y);
    c.furniture = c.furniture_variant = c.furniture_state = 0;
    c.furniture_value = 0;
    c.lock = 0;
    c.key_item = 0;
    c.noticed = 0;
    if (with_hidden_creature) c.hidden_creature = 0;
}

int is_doorway(int x, int y, bool no_door, int depth) {
    if (!is_floor(x, y, depth)) return 0;
    const int f = get_furniture(x, y, 0);
    if (f >= 8 && f <= 10) {
        if (is_floor(x - 1, y, 0) && is_floor(x + 1, y, 0)) return 1;
        if (is_floor(x, y - 1, 0) && is_floor(x, y + 1, 0)) return 2;
        return 0;
    }
    if (no_door) return 0;
    if (is_wall(x, y - 1, 0) && is_wall(x, y + 1, 0) && is_floor(x - 1, y, 0) && is_floor(x + 1, y, 0)) return 1;
    if (is_wall(x - 1, y, 0) && is_wall(x + 1, y, 0) && is_floor(x, y - 1, 0) && is_floor(x, y + 1, 0)) return 2;
    return 0;
}

int is_secret_door(int x, int y, int depth) {
    if (get_furniture(x, y, depth) != 11) return 0;
    if (is_floor(x - 1, y, 0) && is_floor(x + 1, y, 0)) return 1;
    if (is_floor(x, y - 1, 0) && is_floor(x, y + 1, 0)) return 2;
    return 0;
}

int most_common_neighbour_floor(int x, int y) {
    static const int dx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    static const int dy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
    int counts[91] = {};
    int best = 0, best_count = 0;
    for (int i = 0; i < 8; ++i) {
        const int nx = x + dx[i], ny = y + dy[i];
        if (!is_floor(nx, ny, 0)) continue;
        const int k = cell_at(nx, ny).block;
        if (k > 90) continue;
        if (++counts[k] > best_count) {
            best_count = counts[k];
            best = k;
        }
    }
    return best;
}

void create_secret_door(int x, int y, const tdice& difficulty, int depth) {
    if (!on_map(x, y, depth)) return;
    tcell& c = cell_at(x, y);
    c.block = mark_block_grid[x - 1][y - 1];
    const int roll = roll_dice(difficulty);
    c.secret_door = static_cast<uint8_t>(roll == 0 ? 20 : roll);
    add_furniture(x, y, 11, depth);
    c.furniture_state = 0;
    if (c.block == 0) {
        static const int dx[4] = {0, 1, 0, -1};
        static const int dy[4] = {-1, 0, 1, 0};
        for (int i = 0; i < 4; ++i) {
            const int nx = x + dx[i], ny = y + dy[i];
            if (is_wall(nx, ny, 0) && cell_at(nx, ny).block != 0) {
                c.block = cell_at(nx, ny).block;
                break;
            }
        }
    }
    c.block_variant = 0;
}

static bool valid_area(int a) { return a >= 1 && a < static_cast<int>(areas.size()); }

void get_area_edge_point(int area, const tarea& fallback, int& out_x, int& out_y) {
    const tarea& r = valid_area(area) ? areas[area] : fallback;
    switch (r.direction) {
    case 1: out_x = r.x1 + 1; out_y = r.y1; break;
    case 2: out_x = r.x2; out_y = r.y1 + 1; break;
    case 3: out_x = r.x1 + 1; out_y = r.y2; break;
    case 4: out_x = r.x1; out_y = r.y1 + 1; break;
    default: break;
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

void mark_vault_zone_cells(int area, int zone) {
    if (!valid_area(area) || zone < 1 || zone > 60) return;
    const tzone_rect& z = areas[area].zone(zone);
    if (z.x == 0) return;
    for (int x = z.x; x < z.x + z.width; ++x)
        for (int y = z.y; y < z.y + z.height; ++y)
            if (on_map(x, y, 0)) cell_at(x, y).vault_zone = static_cast<uint8_t>(zone);
}

bool grow_layer_step(int x1, int y1, int x2, int value, int neighbour_value, int y2) {
    static const int dx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    static const int dy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
    bool ok = true;
    for (int x = x1; x <= x2; ++x)
        for (int y = y1; y <= y2; ++y) {
            if (!on_map(x, y, 0) || shape_get(x, y) != 0) continue;
            for (int i = 0; i < 8; ++i) {
                const int nx = x + dx[i], ny = y + dy[i];
                if (on_map(nx, ny, 0) && shape_grid[nx - 1][ny - 1] == neighbour_value) {
                    shape_set(x, y, value);
                    if (dug_grid[x - 1][y - 1]) ok = false;
                    break;
                }
            }
        }
    return ok;
}

// Population, dressing and furniture variants belong to units that do not exist yet; on a
// freshly generated level they have nothing to do.
void clear_beings() {}
void place_level_furniture() {}
void place_bones() {}
void place_level_item_splashes() {}
void open_shop_containers() {}
void dress_area(int) {}
void level_up_recruitable_beings(int, int, int) {}

const radius_points& radius_table(int radius) {
    static radius_points table[21];
    static bool built = false;
    if (!built) {
        built = true;
        for (int r = 1; r <= 20; ++r) {
            radius_points& p = table[r];
            p.count = 0;
            int last_x = 1000, last_y = 1000;
            for (int a = 1; a <= 360 && p.count < 160; ++a) {
                const double rad = a * M_PI / 180.0;
                const int x = round_half_even(std::cos(rad) * r), y = round_half_even(std::sin(rad) * r);
                if (x == last_x && y == last_y) continue;
                p.dx[p.count] = static_cast<int8_t>(x);
                p.dy[p.count] = static_cast<int8_t>(y);
                ++p.count;
                last_x = x;
                last_y = y;
            }
        }
    }
    return table[radius < 1 ? 1 : radius > 20 ? 20 : radius];
}

} // namespace dravok
