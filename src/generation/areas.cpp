#include "generation/areas.h"

#include <algorithm>
#include <cstring>

#include "generation/grids.h"
#include "generation/marks.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/vocabulary.h"
#include "world/being.h"
#include "world/directions.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map_grid.h"
#include "world/tables.h"

namespace dravok {

const char* const door_state_names[5] = {"-", "empty", "opened", "closed", "locked"};

void area_kind_name(int id, int area, std::string& out) {
    out = "-";
    const int v = vault_template_count();
    if (id >= 1) {
        if (id <= 9)
            out.assign(vocab::area_kinds[std::size_t(id)]);
        else if (id <= 9 + v)
            out = vaults[id - 9].identifier.str();
        else if (id <= 69 + v)
            out.assign(vocab::template_groups[std::size_t(id - 9 - v)]);
        return;
    }
    if (!is_area_ok(area)) return;
    const tarea& a = areas[area];
    if (a.vault >= 1 && a.vault <= v)
        out = vaults[a.vault].identifier.str();
    else if (a.kind >= 0 && a.kind <= 9)
        out.assign(vocab::area_kinds[std::size_t(a.kind)]);
}

void add_to_areas(int area, int origin_x, int origin_y, int direction, int x1, int y1, int x2, int y2,
                  int kind, int cell_count, int vault_template) {
    if (area < 1) return;
    while (area >= static_cast<int>(areas.size()))
        areas.resize(areas.size() + 100, tarea{});
    tarea& r = areas[area];
    r.origin_x = origin_x;
    r.origin_y = origin_y;
    r.direction = direction;
    r.x1 = x1;
    r.y1 = y1;
    r.x2 = x2;
    r.y2 = y2;
    r.width = x2 - x1 + 1;
    r.height = y2 - y1 + 1;
    r.parent = static_cast<int32_t>(dungeon.parent_area);
    if (kind != area_special && kind != area_vault) {
        r.centre_x = x1 + r.width / 2;
        r.centre_y = y1 + r.height / 2;
        if (kind == area_tunnel || kind == area_cave) {
            auto own_floor = [&](int x, int y) {
                return on_map(x, y, 0) && is_floor(x, y, 0) && cell_at(x, y).area == area;
            };
            if (!own_floor(r.centre_x, r.centre_y)) {
                const int n = build_ring_list(r.centre_x, r.centre_y, 10);
                bool found = false;
                for (int i = 0; i < n && i < ring_list_capacity; ++i) {
                    const ring_cell c = ring_list[i];
                    if (c.x == 0 && c.y == 0) break;
                    if (own_floor(c.x, c.y)) {
                        r.centre_x = c.x;
                        r.centre_y = c.y;
                        found = true;
                        break;
                    }
                }
                if (!found && direction >= 1 && direction <= 4) {
                    r.centre_x = origin_x + dir_dx[direction];
                    r.centre_y = origin_y + dir_dy[direction];
                }
            }
        }
    }
    r.kind = kind;
    r.cells = cell_count;
    r.vault = vault_template;
    if (vault_template >= 1 && vault_template <= vault_template_count())
        r.vault_group = vaults[vault_template].impenetrable;
    if (area == 1)
        for (int d = 1; d <= 4; ++d)
            if (outer_marks[d].x > 0) ++outer_marks_left;
}

// The exit cell (x, y) is not kept: the lists count exits per neighbour, not where they are.
void add_area_connection(int a, int b, [[maybe_unused]] int x, [[maybe_unused]] int y) {
    if (!is_area_ok(a) || !is_area_ok(b)) return;
    tarea& r = areas[a];
    const bool b_corridor = areas[b].kind == area_corridor;
    int empty = -1, corridor = -1;
    // The list is kept without gaps (entries are only ever appended or swapped), so the first
    // empty slot ends it.
    for (int j = 0; j < 100; ++j) {
        const int n = r.exit_neighbours[j];
        if (n == b) {
            ++r.exit_count[j];
            return;
        }
        if (n == 0) {
            empty = j;
            break;
        }
        if (!b_corridor && corridor < 0 && is_area_ok(n) && areas[n].kind == area_corridor) corridor = j;
    }
    int slot;
    if (corridor >= 0 && empty >= 0) {
        r.exit_neighbours[empty] = r.exit_neighbours[corridor];
        r.neighbour_kind[empty] = r.neighbour_kind[corridor];
        r.exit_count[empty] = r.exit_count[corridor];
        slot = corridor;
    } else if (empty >= 0) {
        slot = empty;
    } else {
        return;
    }
    r.exit_neighbours[slot] = static_cast<uint16_t>(b);
    r.neighbour_kind[slot] = static_cast<uint8_t>(areas[b].kind);
    r.exit_count[slot] = 1;
    ++r.exits;
    if (!b_corridor) ++r.non_corridor_neighbours;
}

void add_touching_area(int a, int b) {
    if (!is_area_ok(a) || !is_area_ok(b)) return;
    tarea& r = areas[a];
    for (int j = 0; j < 100; ++j)
        if (r.touching_areas[j] == b) return;
    for (int j = 0; j < 100; ++j)
        if (r.touching_areas[j] == 0) {
            r.touching_areas[j] = static_cast<uint16_t>(b);
            ++r.touching;
            return;
        }
}

static void set_one_side(int a, int b, int door) {
    if (!is_area_ok(a)) return;
    tarea& r = areas[a];
    for (int j = 0; j < 100; ++j)
        if (r.exit_neighbours[j] == b) {
            if (r.door_state[j] != door_empty && (r.exit_count[j] == 1 || r.door_state[j] > door))
                r.door_state[j] = static_cast<uint8_t>(door);
            return;
        }
}

void set_connection_door_state(int a, int b, int state_) {
    if (a == 0 || b == 0 || state_ == 0) return;
    set_one_side(a, b, state_);
    set_one_side(b, a, state_);
}

namespace {

// Every area on a chain of two-exit areas behind a one-exit area knows that area as its root.
void mark_dead_end_chains() {
    const int high = area_high_index();
    for (int a = 1; a <= high; ++a)
        areas[a].dead_end_root = 0;
    for (int a = 1; a <= high; ++a) {
        if (areas[a].exits != 1) continue;
        int previous = a, next = areas[a].exit_neighbours[0];
        // Neighbour lists need not be symmetric, so the walk is bounded by the number of areas.
        for (int steps = 0; steps < high && is_area_ok(next) && areas[next].exits == 2; ++steps) {
            tarea& r = areas[next];
            r.dead_end_root = a;
            const int onward = r.exit_neighbours[0] == previous ? r.exit_neighbours[1] : r.exit_neighbours[0];
            previous = next;
            next = onward;
        }
    }
}

} // namespace

namespace {

// One area's exit lists as the whole-map count leaves them.
struct texit_lists {
    int32_t exits = 0, non_corridor_neighbours = 0, exit_cells = 0;
    uint16_t exit_neighbours[area_neighbour_count] = {};
    uint8_t neighbour_kind[area_neighbour_count] = {};
    uint8_t exit_count[area_neighbour_count] = {};
};

// The compact (floor flag, area) plane of the map, [x][y] with a one-cell frame.
using texits_plane = uint16_t[max_map_size + 2][max_map_size + 2];
constexpr uint16_t floor_flag = 0x100;

// Everything the count reads (the map size, the number of areas and their kinds, the plane)
// and what it wrote. The passes between two counts often change no floor and no area; the
// count is then the same and is copied back instead of being redone.
struct texits_memo {
    bool valid = false;
    int n = 0, high = 0;
    std::vector<int32_t> kinds;
    std::vector<texit_lists> lists;
};

void fill_exits_plane(texits_plane& plane, int n) {
    for (int x = 1; x <= n; ++x) {
        const tcell* column = &cell_at(x, 1);
        for (int y = 1; y <= n; ++y) {
            const tcell& c = column[y - 1];
            plane[x][y] = static_cast<uint16_t>((c.block >= first_floor_block ? floor_flag : 0) | c.area);
        }
    }
}

bool same_exits_inputs(const texits_memo& memo, const texits_plane& plane, const texits_plane& last, int n,
                       int high) {
    if (!memo.valid || memo.n != n || memo.high != high) return false;
    for (int a = 1; a <= high; ++a)
        if (memo.kinds[a] != areas[a].kind) return false;
    for (int x = 1; x <= n; ++x)
        if (std::memcmp(&plane[x][1], &last[x][1], sizeof(uint16_t) * n) != 0) return false;
    return true;
}

// The fields an exit count writes, between an area and its memo in either direction.
template <class To, class From> void copy_exit_fields(To& to, const From& from) {
    to.exits = from.exits;
    to.non_corridor_neighbours = from.non_corridor_neighbours;
    to.exit_cells = from.exit_cells;
    std::memcpy(to.exit_neighbours, from.exit_neighbours, sizeof to.exit_neighbours);
    std::memcpy(to.neighbour_kind, from.neighbour_kind, sizeof to.neighbour_kind);
    std::memcpy(to.exit_count, from.exit_count, sizeof to.exit_count);
}

void save_exit_lists(texits_memo& memo, int n, int high) {
    memo.valid = true;
    memo.n = n;
    memo.high = high;
    memo.kinds.resize(high + 1);
    memo.lists.resize(high + 1);
    for (int a = 1; a <= high; ++a) {
        memo.kinds[a] = areas[a].kind;
        copy_exit_fields(memo.lists[a], areas[a]);
    }
}

void restore_exit_lists(const texits_memo& memo, int high) {
    for (int a = 1; a <= high; ++a) {
        copy_exit_fields(areas[a], memo.lists[a]);
        std::memset(areas[a].door_state, 0, sizeof areas[a].door_state);
    }
}

} // namespace

void calculate_area_exits() {
    const int high = area_high_index();
    const int n = map_size;
    // One pass over the map: a compact plane of (floor flag, area) per cell, and the floor
    // cells of each area in scan order (x outer, y inner), so that each area is examined over
    // its own cells instead of the whole map. The passes after every new connection call this
    // often, so it must stay cheap. The two planes alternate: the other one is the last count's.
    static texits_plane planes[2];
    static int current = 0;
    static texits_memo memo;
    texits_plane& plane = planes[current];
    fill_exits_plane(plane, n);
    if (same_exits_inputs(memo, plane, planes[1 - current], n, high)) {
        restore_exit_lists(memo, high);
        mark_dead_end_chains();
        return;
    }
    current = 1 - current;
    static std::vector<std::vector<uint16_t>> cells_of_area;
    if (static_cast<int>(cells_of_area.size()) < high + 1) cells_of_area.resize(high + 1);
    for (int a = 1; a <= high; ++a)
        cells_of_area[a].clear();
    // Only a floor cell with a floor neighbour of another area can add an exit: the others,
    // most of every area, are left out of the lists.
    for (int x = 2; x <= n - 1; ++x)
        for (int y = 2; y <= n - 1; ++y) {
            const uint16_t v = plane[x][y];
            const int area = v & 0xff;
            if (!(v & floor_flag) || area < 1 || area > high) continue;
            bool border = false;
            for (int d = 1; d <= 4 && !border; ++d) {
                const uint16_t w = plane[x + dir_dx[d]][y + dir_dy[d]];
                border = (w & floor_flag) && (w & 0xff) != area;
            }
            if (border) cells_of_area[area].push_back(static_cast<uint16_t>((x << 8) | y));
        }

    static uint32_t visited_stamp[max_map_size][max_map_size];
    static uint32_t stamp = 0;
    for (int a = 1; a <= high; ++a) {
        tarea& r = areas[a];
        r.exit_cells = 0;
        if (++stamp == 0) {
            std::memset(visited_stamp, 0, sizeof visited_stamp);
            stamp = 1;
        }
        r.exits = 0;
        r.non_corridor_neighbours = 0;
        std::memset(r.exit_neighbours, 0, sizeof r.exit_neighbours);
        std::memset(r.neighbour_kind, 0, sizeof r.neighbour_kind);
        std::memset(r.door_state, 0, sizeof r.door_state);
        std::memset(r.exit_count, 0, sizeof r.exit_count);
        for (const uint16_t cell : cells_of_area[a]) {
            const int x = cell >> 8, y = cell & 0xff;
            for (int d = 1; d <= 4; ++d) {
                const int nx = x + dir_dx[d], ny = y + dir_dy[d];
                const uint16_t v = plane[nx][ny];
                if (!(v & floor_flag) || (v & 0xff) == a || visited_stamp[nx - 1][ny - 1] == stamp) continue;
                visited_stamp[nx - 1][ny - 1] = stamp;
                ++r.exit_cells;
                add_area_connection(a, v & 0xff, x, y);
            }
        }
    }
    save_exit_lists(memo, n, high);
    mark_dead_end_chains();
}

void update_area_exits_near(int x, int y, const texits_snapshot& before) {
    const int high = area_high_index();
    const int n = map_size;
    // The areas whose exits may have changed: those of the changed cells, before and after,
    // and of the cells beside them. Every other area's cells and neighbours are as they were.
    std::vector<int> touched;
    auto touch = [&](int a) {
        if (a >= 1 && a <= high && std::find(touched.begin(), touched.end(), a) == touched.end())
            touched.push_back(a);
    };
    bool changed = false;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            const int cx = x + dx, cy = y + dy;
            if (!on_map(cx, cy, 0)) continue;
            const tcell& c = cell_at(cx, cy);
            const texits_snapshot::cell was = before.cells[dx + 1][dy + 1];
            if (was.floor == (c.block >= first_floor_block) && was.area == c.area) continue;
            changed = true;
            touch(was.area);
            touch(c.area);
            for (int d = 1; d <= 4; ++d)
                if (on_map(cx + dir_dx[d], cy + dir_dy[d], 0))
                    touch(cell_at(cx + dir_dx[d], cy + dir_dy[d]).area);
        }
    if (!changed) return;
    static uint32_t visited_stamp[max_map_size][max_map_size];
    static uint32_t stamp = 0;
    std::sort(touched.begin(), touched.end());
    for (const int a : touched) {
        tarea& r = areas[a];
        if (++stamp == 0) {
            std::memset(visited_stamp, 0, sizeof visited_stamp);
            stamp = 1;
        }
        r.exit_cells = r.exits = r.non_corridor_neighbours = 0;
        std::memset(r.exit_neighbours, 0, sizeof r.exit_neighbours);
        std::memset(r.neighbour_kind, 0, sizeof r.neighbour_kind);
        std::memset(r.door_state, 0, sizeof r.door_state);
        std::memset(r.exit_count, 0, sizeof r.exit_count);
        // The area's cells lie inside its rectangle, met in the order of the whole-map count.
        const int x1 = std::max(2, r.x1), x2 = std::min(n - 1, r.x2);
        const int y1 = std::max(2, r.y1), y2 = std::min(n - 1, r.y2);
        for (int cx = x1; cx <= x2; ++cx)
            for (int cy = y1; cy <= y2; ++cy) {
                const tcell& c = cell_at(cx, cy);
                if (c.area != a || c.block < first_floor_block) continue;
                for (int d = 1; d <= 4; ++d) {
                    const int nx = cx + dir_dx[d], ny = cy + dir_dy[d];
                    const tcell& o = cell_at(nx, ny);
                    if (o.block < first_floor_block || o.area == a || visited_stamp[nx - 1][ny - 1] == stamp)
                        continue;
                    visited_stamp[nx - 1][ny - 1] = stamp;
                    ++r.exit_cells;
                    add_area_connection(a, o.area, cx, cy);
                }
            }
    }
    mark_dead_end_chains();
}

texits_snapshot take_exits_snapshot(int x, int y) {
    texits_snapshot s;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (on_map(x + dx, y + dy, 0)) {
                const tcell& c = cell_at(x + dx, y + dy);
                s.cells[dx + 1][dy + 1] = {c.block >= first_floor_block, c.area};
            }
    return s;
}

void update_area_door_states() {
    const int high = area_high_index();
    const int n = map_size;
    for (int a = 1; a <= high; ++a) {
        tarea& r = areas[a];
        r.door_cells = r.openings = r.opened_doors = r.closed_doors = r.locked_doors = 0;
        r.passable_exits = r.touching = 0;
        std::memset(r.touching_areas, 0, sizeof r.touching_areas);
    }
    // The doorway and secret-door tests of the map, read straight off the cells: every cell
    // looked at here lies inside the map's border, so its neighbours are on the map.
    auto floor_at = [](int x, int y) { return cell_at(x, y).block >= first_floor_block; };
    auto door_at = [](const tcell& c) { return c.furniture >= fu_door && c.furniture <= fu_door_cell; };
    auto doorway_at = [&](int x, int y, bool no_door) {
        const tcell& c = cell_at(x, y);
        if (c.block < first_floor_block) return 0;
        const bool west_east_floor = floor_at(x - 1, y) && floor_at(x + 1, y);
        const bool north_south_floor = floor_at(x, y - 1) && floor_at(x, y + 1);
        if (door_at(c)) return west_east_floor ? 1 : north_south_floor ? 2 : 0;
        if (no_door) return 0;
        if (!floor_at(x, y - 1) && !floor_at(x, y + 1) && west_east_floor) return 1;
        if (!floor_at(x - 1, y) && !floor_at(x + 1, y) && north_south_floor) return 2;
        return 0;
    };
    auto secret_door_at = [&](int x, int y) {
        if (cell_at(x, y).furniture != fu_door_secret) return 0;
        if (floor_at(x - 1, y) && floor_at(x + 1, y)) return 1;
        if (floor_at(x, y - 1) && floor_at(x, y + 1)) return 2;
        return 0;
    };
    for (int x = 2; x <= n - 1; ++x)
        for (int y = 2; y <= n - 1; ++y) {
            // Only a floor cell can be a doorway and only a secret door on a wall can join two
            // areas through it: plain walls, most of the map, are passed over at once.
            const tcell& cell = cell_at(x, y);
            if (cell.block < first_floor_block && cell.furniture != fu_door_secret) continue;
            const int doorway = doorway_at(x, y, true);
            if (doorway != 0) {
                const int a = doorway == 1 ? cell_at(x - 1, y).area : cell_at(x, y - 1).area;
                const int b = doorway == 1 ? cell_at(x + 1, y).area : cell_at(x, y + 1).area;
                if (a != b) {
                    if (is_area_ok(a)) ++areas[a].door_cells;
                    if (is_area_ok(b)) ++areas[b].door_cells;
                }
                continue;
            }
            const int secret = secret_door_at(x, y);
            if (secret != 0) {
                const int a = secret == 1 ? cell_at(x - 1, y).area : cell_at(x, y - 1).area;
                const int b = secret == 1 ? cell_at(x + 1, y).area : cell_at(x, y + 1).area;
                if (a != b) {
                    add_touching_area(a, b);
                    add_touching_area(b, a);
                }
                continue;
            }
            const int plain = doorway_at(x, y, false);
            if (plain != 0 && cell_at(x, y).furniture == 0) {
                const int a = plain == 1 ? cell_at(x - 1, y).area : cell_at(x, y - 1).area;
                const int b = plain == 1 ? cell_at(x + 1, y).area : cell_at(x, y + 1).area;
                if (a != b) set_connection_door_state(a, b, door_empty);
            }
        }
    for (int x = 1; x <= n; ++x)
        for (int y = 1; y <= n; ++y) {
            const int furniture = cell_at(x, y).furniture;
            if (furniture >= 8 && furniture <= 10) update_area_door_state(x, y, false);
        }
    for (int a = 1; a <= high; ++a) {
        tarea& r = areas[a];
        r.openings = r.exit_cells - r.door_cells;
        r.passable_exits = r.openings + r.opened_doors;
        for (int j = 0; j < 100; ++j)
            if (r.exit_neighbours[j] != 0 && r.door_state[j] == door_unset) r.door_state[j] = door_empty;
    }
}

void update_area_door_state(int x, int y, bool toggled) {
    if (!is_door(x, y, -1, 0)) return;
    const int a = cell_at(x, y).area;
    int b = 0;
    if (is_floor(x - 1, y, 0) && is_floor(x + 1, y, 0)) {
        b = cell_at(x - 1, y).area;
        if (b == a) b = cell_at(x + 1, y).area;
    } else if (is_floor(x, y - 1, 0) && is_floor(x, y + 1, 0)) {
        b = cell_at(x, y - 1).area;
        if (b == a) b = cell_at(x, y + 1).area;
    }
    if (b == a || b == 0 || !is_area_ok(a) || !is_area_ok(b)) return;
    tarea& ra = areas[a];
    tarea& rb = areas[b];
    const tcell& c = cell_at(x, y);
    if (c.furniture_state == 1) {
        ++ra.opened_doors;
        ++rb.opened_doors;
        if (toggled) {
            ra.closed_doors = std::max(0, ra.closed_doors - 1);
            rb.closed_doors = std::max(0, rb.closed_doors - 1);
        }
        set_connection_door_state(a, b, door_opened);
    } else if (c.furniture_state == 0) {
        if (toggled) {
            ra.opened_doors = std::max(0, ra.opened_doors - 1);
            rb.opened_doors = std::max(0, rb.opened_doors - 1);
        }
        if (c.furniture == 9) {
            set_connection_door_state(a, b, door_locked);
            ++ra.locked_doors;
            ++rb.locked_doors;
        } else {
            set_connection_door_state(a, b, door_closed);
            ++ra.closed_doors;
            ++rb.closed_doors;
        }
    }
    ra.passable_exits = ra.openings + ra.opened_doors;
    rb.passable_exits = rb.openings + rb.opened_doors;
}

namespace {

// Whether b is in one of the area's neighbour lists (its exits' or its touching areas).
bool listed_in(const uint16_t (&list)[area_neighbour_count], int b) {
    return std::find(std::begin(list), std::end(list), b) != std::end(list);
}

} // namespace

bool areas_connected(int a, int b) {
    return is_area_ok(a) && is_area_ok(b) && listed_in(areas[a].exit_neighbours, b);
}

bool areas_touching(int a, int b) {
    return is_area_ok(a) && is_area_ok(b) && listed_in(areas[a].touching_areas, b);
}

bool areas_connected_2(int a, int b) {
    if (!is_area_ok(a) || !is_area_ok(b)) return false;
    const tarea& r = areas[a];
    for (int j = 0; j < 100; ++j) {
        const int n = r.exit_neighbours[j];
        if (n != 0 && areas_connected(n, b)) return true;
    }
    for (int j = 0; j < 100; ++j) {
        const int t = r.touching_areas[j];
        if (t != 0 && areas_touching(t, b)) return true;
    }
    return false;
}

int usable_vault_zone(int area, int template_index) {
    if (!is_area_ok(area) || areas[area].vault == 0) return vz_main;
    for (int z = 3; z <= 22; ++z) {
        const tzone_rect& zone = areas[area].zone(z);
        if (zone.x == 0) continue;
        if (is_free_floor(zone.x, zone.y, 1, 0, template_index, 1, 1)) return z;
    }
    return vz_main;
}

bool area_has_portal(int area) {
    if (!is_area_ok(area)) return false;
    for (std::size_t i = 1; i < portals.size(); ++i) {
        const tportal& p = portals[i];
        if (p.level != level.index || p.x == 0) continue;
        if (on_map(p.x, p.y, 0) && cell_at(p.x, p.y).area == area) return true;
    }
    return false;
}

bool portal_near(int x, int y, int r) {
    const int x1 = std::max(1, x - r), x2 = std::min(map_size, x + r);
    const int y1 = std::max(1, y - r), y2 = std::min(map_size, y + r);
    for (int cx = x1; cx <= x2; ++cx)
        for (int cy = y1; cy <= y2; ++cy) {
            const int f = cell_at(cx, cy).furniture;
            if (f >= fu_stairs_down && f <= fu_teleporter) return true;
        }
    return false;
}

void find_cell_zone_exits() {
    for (int a = 1; a <= area_high_index(); ++a) {
        tarea& r = areas[a];
        for (int z = 31; z <= 38; ++z) {
            const tzone_rect& zone = r.zone(z);
            if (zone.x == 0) continue;
            const int zx = zone.x, zy = zone.y, w = zone.width, h = zone.height;
            int fx = 0, fy = 0;
            for (int x = zx; x < zx + w && fx == 0; ++x) {
                if (get_furniture(x, zy - 1, 0) == 10)
                    fx = x, fy = zy - 1;
                else if (get_furniture(x, zy + h, 0) == 10)
                    fx = x, fy = zy + h;
            }
            for (int y = zy; y < zy + h && fx == 0; ++y) {
                if (get_furniture(zx - 1, y, 0) == 10)
                    fx = zx - 1, fy = y;
                else if (get_furniture(zx + w, y, 0) == 10)
                    fx = zx + w, fy = y;
            }
            if (fx != 0) {
                r.cell_zone_exit(z).x = static_cast<uint16_t>(fx);
                r.cell_zone_exit(z).y = static_cast<uint16_t>(fy);
            }
        }
    }
}

void count_special_cells() {
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y) {
            const tcell& c = cell_at(x, y);
            if (c.block < first_floor_block) continue;
            ++level.floor_cells;
            if (is_area_ok(c.area)) ++areas[c.area].special_cells;
        }
}

void number_areas_from(int start, bool need_discovered, bool need_second_flag) {
    const int high = area_high_index();
    for (int a = 1; a <= high; ++a) {
        areas[a].ordinal = 0;
        areas[a].numbered = 0;
    }
    if (!is_area_ok(start)) return;
    areas[start].ordinal = 1;
    int next = 2, current = start;
    while (current != 0) {
        tarea& r = areas[current];
        r.numbered = 1;
        for (int j = 0; j < 100; ++j) {
            const int n = r.exit_neighbours[j];
            if (n == 0) break;
            if (is_area_ok(n) && areas[n].ordinal == 0) areas[n].ordinal = static_cast<uint16_t>(next++);
        }
        current = 0;
        int best = 0;
        for (int a = 1; a <= high; ++a) {
            const tarea& c = areas[a];
            if (c.numbered || c.ordinal == 0) continue;
            if (need_discovered && !c.discovered) continue;
            if (need_second_flag && !c.explored) continue;
            if (best == 0 || c.ordinal < best) {
                best = c.ordinal;
                current = a;
            }
        }
    }
    for (int a = 1; a <= high; ++a)
        areas[a].numbered = 0;
}

} // namespace dravok
