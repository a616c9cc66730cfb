#include "world/map.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "records/being_flags.h"
#include "records/map_vocab.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map_grid.h"
#include "world/random.h"
#include "world/settings_record.h"
#include "world/sprite_lookup.h"

namespace dravok {

uint32_t cells_given_area = 0;
uint8_t dug_grid[max_map_size][max_map_size];

uint8_t impenetrable_walls[max_map_size][max_map_size];

namespace {

bool is_area_valid(int area) {
    return area >= 1 && area < int(areas.size());
}

bool in_list(const std::vector<int>& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

} // namespace

void report_off_map(int x, int y, int depth) {
    depth = trace_enter(depth, trace_report_off_map);
    char text[96];
    std::snprintf(text, sizeof text, "Coordinates (%3.3d,%3.3d) are outside of the map!", x, y);
    error_log(trace_enter(depth, trace_on_map), text, true);
}

bool is_inside_border(int x, int y) {
    return x >= 2 && x <= map_size - 1 && y >= 2 && y <= map_size - 1;
}

bool is_in_view(int x, int y) {
    return x >= settings.view_left && x <= settings.view_right && y >= settings.view_top &&
           y <= settings.view_bottom;
}

int get_offscreen_direction(int x, int y) {
    const bool above = y<settings.view_top, below = y> settings.view_bottom;
    const bool left = x<settings.view_left, right = x> settings.view_right;
    if (above) return right ? 2 : left ? 8 : 1;
    if (below) return right ? 4 : left ? 6 : 5;
    if (right) return 3;
    if (left) return 7;
    return 0;
}

bool on_explored_map(int x, int y, int depth) {
    depth = trace_enter(depth, trace_on_explored_map);
    if (!on_map(x, y, depth)) return false;
    return x >= level.explored_x1 && y >= level.explored_y1 && x <= level.explored_x2 &&
           y <= level.explored_y2;
}

int get_area(int x, int y, int depth) {
    depth = trace_enter(depth, trace_get_area);
    return on_map(x, y, depth) ? cell_at(x, y).area : 0;
}

int get_area_kind(int x, int y) {
    return on_map(x, y, 0) ? cell_at(x, y).shape : 0;
}

// ----- Blocks -----

bool mark_dug_cell(int x, int y) {
    if (!on_map(x, y, 0)) return false;
    if (cell_at(x, y).block >= first_floor_block) {
        dug_grid[x - 1][y - 1] = 1;
        impenetrable_walls[x - 1][y - 1] = 0;
    }
    return true;
}

bool set_block(int x, int y, int block, int depth, bool make_impenetrable, int area, int shape_kind) {
    depth = trace_enter(depth, trace_set_block);
    if (!on_map(x, y, 0)) return false;
    tcell& c = cell_at(x, y);
    const bool new_is_wall = block < first_floor_block;
    const bool old_is_wall = c.block < first_floor_block;
    // A cell that already belongs to an area keeps its kind when the base does not change.
    if (c.area == 0 || new_is_wall != old_is_wall) c.block = uint8_t(block);
    if (new_is_wall && make_impenetrable) impenetrable_walls[x - 1][y - 1] = 1;
    if (c.area == 0 && area > 0) ++cells_given_area;
    c.shape = uint8_t(shape_kind);
    c.area = uint8_t(area);
    return mark_dug_cell(x, y);
}

int get_block_base(int x, int y, int block, int depth) {
    depth = trace_enter(depth, trace_get_block_base);
    if (block >= 1 && block <= last_block) return block < first_floor_block ? base_wall : base_floor;
    if (!on_map(x, y, depth)) return base_none;
    return cell_at(x, y).block < first_floor_block ? base_wall : base_floor;
}

bool is_wall_traced(int x, int y, int depth) {
    depth = trace_enter(depth, trace_is_wall);
    return on_map(x, y, depth) && cell_at(x, y).block < first_floor_block;
}

bool is_floor_traced(int x, int y, int depth) {
    depth = trace_enter(depth, trace_is_floor);
    return on_map(x, y, depth) && cell_at(x, y).block >= first_floor_block;
}

bool is_free_wall(int x, int y, int depth) {
    depth = trace_enter(depth, trace_is_free_wall);
    return is_wall(x, y, depth) && get_furniture(x, y, 0) == 0;
}

bool is_impenetrable_wall_traced(int x, int y, int depth) {
    depth = trace_enter(depth, trace_is_impenetrable_wall);
    return on_map(x, y, depth) && impenetrable_walls[x - 1][y - 1] != 0;
}

bool is_wall_front_shown(int x, int y) {
    if (!on_map(x, y, 0) || cell_at(x, y).block >= first_floor_block) return false;
    if (y == map_size) return true;
    const tcell& south = cell_at(x, y + 1);
    if (south.explored == 0) return true;
    return south.block >= first_floor_block && !is_door(x, y + 1, -1, 0);
}

int count_matching_neighbours(int x, int y, int count, const std::vector<int>& areas_filter,
                              const std::vector<int>& shape_kinds, int base) {
    int matches = 0;
    const bool orthogonal = count == 4;
    for (int d = 1; d <= (orthogonal ? 4 : 8); ++d) {
        const tstep s = orthogonal ? direction_offsets[d] : direction_steps[d];
        const int nx = x + s.dx, ny = y + s.dy;
        if (!on_map(nx, ny, 0)) continue;
        const tcell& c = cell_at(nx, ny);
        if (base != 0 && get_block_base(nx, ny, 0, 0) != base) continue;
        if (!shape_kinds.empty() && !in_list(shape_kinds, c.shape)) continue;
        if (!areas_filter.empty() && !in_list(areas_filter, c.area)) continue;
        ++matches;
    }
    return matches;
}

int most_common_neighbour_floor(int x, int y) {
    int counts[last_block + 1] = {};
    int best = 0, best_count = 0;
    for (int d = 1; d <= 8; ++d) {
        const int nx = x + direction_steps[d].dx, ny = y + direction_steps[d].dy;
        if (!is_floor(nx, ny, 0)) continue;
        const int kind = cell_at(nx, ny).block;
        if (++counts[kind] > best_count) {
            best_count = counts[kind];
            best = kind;
        }
    }
    return best;
}

void add_trap(int setter, int x, int y, int depth, int extra_value, int difficulty, int trap_plan) {
    depth = trace_enter(depth, trace_add_trap);
    if (!on_map(x, y, depth)) return;
    tcell& c = cell_at(x, y);
    c.trap = uint16_t(trap_plan);
    c.trap_setter = setter >= 1 && setter < int(beings.size()) ? uint16_t(beings[setter].serial) : 0;
    c.trap_difficulty = int8_t(difficulty);
    c.trap_value = uint16_t(extra_value);
}

int get_area_floor_neighbour_kind(int x, int y) {
    if (!on_map(x, y)) return 0;
    const int area = cell_at(x, y).area;
    for (int d = 1; d <= 4; ++d) {
        const int nx = x + direction_offsets[d].dx, ny = y + direction_offsets[d].dy;
        if (!on_map(nx, ny)) continue;
        const tcell& c = cell_at(nx, ny);
        if (c.block >= first_floor_block && c.block <= last_block && c.area == area) return c.block;
    }
    return 0;
}

uint32_t find_nth_area_furniture(int area, int n, std::initializer_list<int> furniture) {
    if (area < 1 || area >= int(areas.size())) return 0;
    const tarea& a = areas[area];
    int seen = 0;
    for (int x = a.x1; x <= a.x2; ++x)
        for (int y = a.y1; y <= a.y2; ++y) {
            if (!on_map(x, y)) continue;
            const tcell& c = cell_at(x, y);
            if (c.area != area || c.furniture == 0) continue;
            if (furniture.size() != 0 &&
                std::find(furniture.begin(), furniture.end(), c.furniture) == furniture.end())
                continue;
            if (++seen >= std::max(n, 1)) return uint32_t(x) | (uint32_t(y) << 16);
        }
    return 0;
}

uint32_t find_floor_neighbour_in_area(int x, int y, int area, int depth) {
    depth = trace_enter(depth, trace_find_floor_neighbour_in_area);
    for (int d = 1; d <= 4; ++d) {
        const int nx = x + direction_offsets[d].dx, ny = y + direction_offsets[d].dy;
        if (is_floor(nx, ny, 0) && cell_at(nx, ny).area == area) return uint32_t(nx) | (uint32_t(ny) << 16);
    }
    return 0;
}

// ----- Furniture -----

void add_furniture(int x, int y, int furniture, int depth) {
    depth = trace_enter(depth, trace_add_furniture);
    if (!on_map(x, y, depth)) return;
    tcell& c = cell_at(x, y);
    c.furniture = uint8_t(furniture);
    const tsprite_info sprite = sprite_info(sprites_furniture, furniture);
    if (sprite.variants > 1) {
        const int variant = random(sprite.variants);
        c.furniture_variant = uint8_t(variant * sprite.images_per_variant);
    }
    c.splash = 0;
    c.splash_variant = 0;
    if (is_area_valid(c.area) && furniture >= fu_chest && furniture <= fu_cauldron)
        ++areas[c.area].doors; // the count of item-holding furniture
}

void remove_furniture(int x, int y, bool with_hidden_creature, int depth) {
    depth = trace_enter(depth, trace_remove_furniture);
    if (!on_map(x, y, depth)) return;
    tcell& c = cell_at(x, y);
    c.furniture = 0;
    c.furniture_variant = 0;
    c.furniture_state = 0;
    c.furniture_value = 0;
    c.lock = 0;
    c.key_item = 0;
    c.noticed = 0;
    if (with_hidden_creature) c.hidden_creature = 0;
}

int get_furniture_traced(int x, int y, int depth) {
    depth = trace_enter(depth, trace_get_furniture);
    if (!on_map(x, y, depth)) return 0;
    return furniture_of(cell_at(x, y));
}

bool is_furniture_traced(int x, int y, int furniture, int depth, int wanted_state) {
    depth = trace_enter(depth, trace_is_furniture);
    if (get_furniture(x, y, depth) != furniture) return false;
    return wanted_state == -1 || wanted_state == cell_at(x, y).furniture_state;
}

bool is_door_traced(int x, int y, int wanted_state, int depth) {
    depth = trace_enter(depth, trace_is_door);
    const int f = get_furniture(x, y, depth);
    if (f < fu_door || f > fu_door_cell) return false;
    return wanted_state == -1 || wanted_state == cell_at(x, y).furniture_state;
}

bool is_light(int x, int y, int wanted_state, int depth) {
    depth = trace_enter(depth, trace_is_light);
    const int f = get_furniture(x, y, depth);
    if (f < fu_light_torch || f > fu_light_campfire) return false;
    return wanted_state == -1 || wanted_state == cell_at(x, y).furniture_state;
}

int is_furniture_container(int x, int y, int depth) {
    depth = trace_enter(depth, trace_is_furniture_container);
    const int f = get_furniture(x, y, depth);
    return f >= fu_chest && f <= fu_cauldron ? f : 0;
}

bool is_closed_container_traced(int x, int y, int depth) {
    depth = trace_enter(depth, trace_is_closed_container);
    const int f = get_furniture(x, y, depth);
    return f >= fu_chest && f <= fu_sarcophagus && cell_at(x, y).furniture_state == 0;
}

bool is_shop_furniture(int furniture) {
    return furniture >= 1 && furniture <= furniture_kind_count &&
           furniture_names[furniture].find("shop") != std::string_view::npos;
}

void update_furniture_state(int x, int y, int depth) {
    depth = trace_enter(depth, trace_update_furniture_state);
    const int f = is_furniture_container(x, y, depth);
    if (f == 0 || is_closed_container(x, y, 0)) return;
    recount_cell_items(x, y);
    tcell& c = cell_at(x, y);
    if (f <= fu_sarcophagus) {
        if (c.held_items > 0) {
            c.furniture_state = 2;
        } else {
            c.furniture_state = 1;
            c.looted = 1;
        }
    } else {
        c.furniture_state = c.held_items > 0 ? 1 : 0;
    }
}

bool blocks_sight_furniture(int x, int y) {
    return on_map(x, y) && furniture_blocks_sight(cell_at(x, y));
}

bool blocks_effect_at(int x, int y) {
    if (!on_map(x, y, 0)) return false;
    const int f = get_furniture(x, y, 0);
    if ((f == fu_door || f == fu_door_lockable) && cell_at(x, y).furniture_state == 0) return true;
    switch (f) {
    case fu_bookcase:
    case fu_statue_gargoyle:
    case fu_statue_humanoid:
    case fu_statue_symbol:
    case fu_statue_other:
    case fu_statue_clonomancer:
    case fu_pillar:
    case fu_pillar_broken:
    case fu_totem:
    case fu_stalagmite:
    case fu_target_dummy:
    case fu_tube:
        return true;
    default:
        return false;
    }
}

void get_furniture_kind_name(int x, int y, std::string& out) {
    const int f = get_furniture(x, y, 0);
    if (f == fu_stairs_down || f == fu_stairs_up)
        out = "stairs";
    else if (f == fu_teleporter)
        out = "teleporter";
    else if (f >= fu_door && f <= fu_door_cell)
        out = "door";
    else if (f == fu_chest)
        out = "chest";
    else if (f == fu_coffin)
        out = "coffin";
    else if (f == fu_sarcophagus)
        out = "sarcophagus";
    else if (f >= fu_statue_gargoyle && f <= fu_statue_clonomancer)
        out = "statue";
    else
        out = std::string(furniture_display_name(f));
}

int count_furniture_neighbours(int x, int y) {
    int n = 0;
    for (int d = 1; d <= 8; ++d) {
        const int f = get_furniture(x + direction_steps[d].dx, y + direction_steps[d].dy, 0);
        if (f != 0 && f != fu_wall_disappearing) ++n;
    }
    return n;
}

namespace {
// Pedestals, statues, pillars and totems keep a cell of room around them.
bool is_spaced_furniture(int f) {
    return f == fu_pedestal || (f >= fu_statue_gargoyle && f <= fu_statue_clonomancer) ||
           (f >= fu_pillar && f <= fu_totem);
}
} // namespace

bool is_free_of_furniture_around(int x, int y, int furniture) {
    if (!is_spaced_furniture(furniture)) return true;
    for (int d = 1; d <= 8; ++d) {
        if (is_spaced_furniture(get_furniture(x + direction_steps[d].dx, y + direction_steps[d].dy, 0)))
            return false;
    }
    return true;
}

int is_doorway(int x, int y, bool no_door, int depth) {
    depth = trace_enter(depth, trace_is_doorway);
    if (!is_floor(x, y, depth)) return 0;
    const bool west_east_floor = is_floor(x - 1, y, 0) && is_floor(x + 1, y, 0);
    const bool north_south_floor = is_floor(x, y - 1, 0) && is_floor(x, y + 1, 0);
    if (is_door(x, y, -1, 0)) {
        if (west_east_floor) return 1;
        if (north_south_floor) return 2;
        return 0;
    }
    if (no_door) return 0;
    if (is_wall(x, y - 1, 0) && is_wall(x, y + 1, 0) && west_east_floor) return 1;
    if (is_wall(x - 1, y, 0) && is_wall(x + 1, y, 0) && north_south_floor) return 2;
    return 0;
}

int is_near_doorway(int x, int y, bool no_door, int depth) {
    depth = trace_enter(depth, trace_is_near_doorway);
    for (int d = 1; d <= 4; ++d) {
        const int r = is_doorway(x + direction_offsets[d].dx, y + direction_offsets[d].dy, no_door, 0);
        if (r != 0) return r;
    }
    return 0;
}

int is_secret_door(int x, int y, int depth) {
    depth = trace_enter(depth, trace_is_secret_door);
    if (get_furniture(x, y, depth) != fu_door_secret) return 0;
    if (is_floor(x - 1, y, 0) && is_floor(x + 1, y, 0)) return 1;
    if (is_floor(x, y - 1, 0) && is_floor(x, y + 1, 0)) return 2;
    return 0;
}

void place_level_furniture() {
    int list[51];
    for (int a = 1; a < int(areas.size()); ++a) {
        const int x1 = areas[a].x1, y1 = areas[a].y1, x2 = areas[a].x2, y2 = areas[a].y2;
        for (int f = 1; f <= furniture_kind_count; ++f) {
            const tsprite_info sprite = sprite_info(sprites_furniture, f);
            const int variants = sprite.variants;
            if (variants < 2 || variants > 50) continue;
            int used = variants; // forces a fresh shuffle before the first cell
            auto shuffle = [&] {
                for (int i = 0; i < variants; ++i)
                    list[i] = i * sprite.images_per_variant;
                for (int i = 0; i < variants; ++i) {
                    const int j = random(variants);
                    std::swap(list[i], list[j]);
                }
                used = 0;
            };
            bool shuffled = false;
            for (int x = x1; x <= x2; ++x) {
                for (int y = y1; y <= y2; ++y) {
                    if (!on_map(x, y, 0)) continue;
                    tcell& c = cell_at(x, y);
                    if (c.area != a || furniture_of(c) != f) continue;
                    if (!shuffled || used >= variants) {
                        shuffle();
                        shuffled = true;
                    }
                    c.furniture_variant = uint8_t(list[used++]);
                }
            }
        }
    }
}

// ----- Free floor -----

bool is_free_floor(int x, int y, int width, int depth, int being_plan, int mode, int height) {
    depth = trace_enter(depth, trace_is_free_floor);
    const bool needs_empty_cells = (mode == 4 || mode == 5) && plan_has_type_flag(being_plan, tf_immobile);
    for (int cx = x; cx < x + width; ++cx) {
        for (int cy = y; cy < y + height; ++cy) {
            if (!on_map(cx, cy, depth)) return false;
            const tcell& c = cell_at(cx, cy);
            if (c.block < first_floor_block || furniture_of(c) != 0 || c.being != 0) return false;
            if (c.trap != 0 && mode != 2 && mode != 3) return false;
            if (needs_empty_cells && c.loose_items != 0) return false;
            if (mode == 1) {
                if (c.loose_items != 0) return false;
                if (is_near_doorway(cx, cy, false, 0) != 0) return false;
                for (int d = 1; d <= 4; ++d) {
                    const int nx = cx + direction_offsets[d].dx, ny = cy + direction_offsets[d].dy;
                    if (on_map(nx, ny, 0) && cell_at(nx, ny).secret_door != 0) return false;
                }
            }
        }
    }
    return true;
}

bool is_free_zone_floor(int x, int y, int width, int zone, int area, int height) {
    if (!on_map(x, y, 0)) return false;
    const tcell& c = cell_at(x, y);
    if (c.area != area) return false;
    if (zone >= 1 ? c.vault_zone != zone : (c.vault_zone != 0 && c.vault_zone != vz_main)) return false;
    if (!is_free_floor(x, y, width, 0, 0, 0, height)) return false;
    return map_effect_grid(x, y).effect == 0;
}

void mark_vault_zone_cells(int area, int zone) {
    if (area < 1 || area >= static_cast<int>(areas.size()) || zone < 1 || zone > vault_zone_count) return;
    const tzone_rect& z = areas[area].zone(zone);
    if (z.x == 0) return;
    for (int x = z.x; x < z.x + z.width; ++x)
        for (int y = z.y; y < z.y + z.height; ++y)
            if (on_map(x, y, 0)) cell_at(x, y).vault_zone = static_cast<uint8_t>(zone);
}

void find_free_floor_for_being(int x, int y, int width, int& out_x, int& out_y, int depth, int height) {
    depth = trace_enter(depth, trace_find_free_floor_for_being);
    out_x = 0;
    out_y = 0;
    if (!on_map(x, y, depth)) return;
    build_ring_list(x, y, width < 2 && height < 2 ? 3 : 4);
    const tcell& start = cell_at(x, y);
    const int area = start.area;
    int zone = start.vault_zone;
    if (zone >= vz_first_spot && zone <= vz_last_spot) zone = 0;

    auto neighbour_pass = [&](int z) {
        for (int i = 0; i < 9; ++i) {
            const int d = random(8) + 1;
            const int nx = x + direction_steps[d].dx, ny = y + direction_steps[d].dy;
            if (is_free_zone_floor(nx, ny, width, z, area, height)) {
                out_x = nx;
                out_y = ny;
                return true;
            }
        }
        for (int d = 1; d <= 8; ++d) {
            const int nx = x + direction_steps[d].dx, ny = y + direction_steps[d].dy;
            if (is_free_zone_floor(nx, ny, width, z, area, height)) {
                out_x = nx;
                out_y = ny;
                return true;
            }
        }
        return false;
    };
    auto ring_pass = [&](int z) {
        for (int i = 1; i < ring_list_capacity; ++i) {
            const ring_cell rc = ring_list[i];
            if (rc.x == 0 && rc.y == 0) break;
            if (is_free_zone_floor(rc.x, rc.y, width, z, area, height)) {
                out_x = rc.x;
                out_y = rc.y;
                return true;
            }
        }
        return false;
    };

    if (neighbour_pass(zone)) return;
    if (zone != 0 && neighbour_pass(0)) return;
    if (ring_pass(zone)) return;
    if (zone != 0) ring_pass(0);
}

// ----- Beings and positions -----

bool is_on_xy(int being, int at_x, int at_y, int x, int y, int depth) {
    depth = trace_enter(depth, trace_is_on_xy);
    if (!is_being_ok(being, depth)) return false;
    const tbeing& b = beings[being];
    if (at_x == 0 && at_y == 0) {
        at_x = b.x;
        at_y = b.y;
    }
    return x >= at_x && x < at_x + b.width && y >= at_y && y < at_y + b.height;
}

bool is_near(int being, int other, int x, int y, int depth) {
    depth = trace_enter(depth, trace_is_near);
    if (!is_being_ok(being, depth)) return false;
    int ox = x, oy = y, ow = 1, oh = 1;
    if (other != 0) {
        if (!is_being_ok(other, depth)) return false;
        ox = beings[other].x;
        oy = beings[other].y;
        ow = beings[other].width;
        oh = beings[other].height;
    }
    if (!on_map(ox, oy, 0)) return false;
    const tbeing& b = beings[being];
    for (int fx = b.x; fx < b.x + b.width; ++fx) {
        for (int fy = b.y; fy < b.y + b.height; ++fy) {
            for (int d = 1; d <= 8; ++d) {
                const int nx = fx + direction_steps[d].dx, ny = fy + direction_steps[d].dy;
                if (nx >= ox && nx < ox + ow && ny >= oy && ny < oy + oh) return true;
            }
        }
    }
    return false;
}

bool may_hold_unlooted_items(int x, int y) {
    const int f = get_furniture(x, y);
    if (f < fu_chest || f > fu_cauldron) return false;
    const int furniture_state = cell_at(x, y).furniture_state;
    if (f >= fu_armorstand) return furniture_state != stand_empty;
    return furniture_state != container_open_and_empty;
}

bool is_autopilot_furniture_target(int x, int y) {
    if (!on_map(x, y)) return false;
    const tcell& c = cell_at(x, y);
    const int f = c.furniture;
    if (c.explored == 0 || f == fu_none || f == fu_door_cell || f == fu_door_secret || is_shop_furniture(f))
        return false;
    // Anything locked is worth a stop: a door or a chest alike.
    if (c.lock != 0) return true;
    return c.looted == 0 && may_hold_unlooted_items(x, y);
}

} // namespace dravok
