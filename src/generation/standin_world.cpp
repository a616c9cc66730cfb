#include "generation/standin_world.h"

#include <cmath>
#include <cstring>

#include "generation/grids.h"

namespace dravok {

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

// Shop containers, dressing and recruits belong to units that do not exist yet; on a
// freshly generated level they have nothing to do.
void open_shop_containers() {}
void dress_area(int) {}

} // namespace dravok
