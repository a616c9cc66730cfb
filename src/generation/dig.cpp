#include "generation/dig.h"

#include <algorithm>
#include <cstring>

#include "generation/areas.h"
#include "generation/corridors.h"
#include "generation/finishing.h"
#include "generation/grids.h"
#include "generation/marks.h"
#include "generation/rooms.h"
#include "generation/round_areas.h"
#include "generation/shapes.h"
#include "generation/vault_templates.h"
#include "records/layout_dice.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "world/dice.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/map_grid.h"
#include "world/random.h"
#include "world/rounding.h"
#include "world/tables.h"

namespace dravok {

namespace {

bool special_identifier(int t) {
    if (t < 1 || t > vault_template_count()) return false;
    const std::string_view id = vaults[t].identifier.view();
    return id.substr(0, 3) == "sp_";
}

bool build_kind(int kind, const tmark& m, int depth) {
    depth = trace_enter(depth, trace_build_kind);
    switch (kind) {
    case area_corridor:
        return create_corridor(m.x, m.y, m.direction, depth);
    case area_room:
        return create_room(m.x, m.y, m.direction, depth);
    case area_circular:
        return create_circular(m.x, m.y, m.direction, depth);
    case area_ellipse:
        return create_ellipse(m.x, m.y, m.direction, depth);
    case area_polygon:
        return create_polygon(m.x, m.y, m.direction, depth);
    case area_tunnel:
        return create_natural(m.x, m.y, m.direction, depth, area_tunnel);
    case area_cave:
        return create_natural(m.x, m.y, m.direction, depth, area_cave);
    case area_special:
        return create_special(m.x, m.y, m.direction, depth, 0, area_special);
    case area_vault:
        return create_special(m.x, m.y, m.direction, depth, 0, area_vault);
    default:
        return create_special(m.x, m.y, m.direction, depth, kind,
                              special_identifier(kind - 9) ? area_special : area_vault);
    }
}

} // namespace

int first_pending_force_area() {
    for (int s = 1; s <= 30; ++s)
        if (dungeon.forced_kind[s - 1] != 0) return s;
    return 0;
}

void build_kind_weights(const bool* allowed, kind_ranges& out) {
    int total = 0;
    out.allowed_count = 0;
    for (int k = 1; k <= 9; ++k) {
        out.allowed[k] = allowed[k];
        if (allowed[k]) {
            out.low[k] = total + 1;
            out.high[k] = total + dungeon.kind_weight[k - 1];
            total += dungeon.kind_weight[k - 1];
            ++out.allowed_count;
        } else {
            out.low[k] = out.high[k] = 0;
        }
    }
    out.total = total;
}

void setup_force_areas(int depth) {
    depth = trace_enter(depth, trace_setup_force_areas);
    const int templates = vault_template_count();
    int s = 1;
    while (s <= 30) {
        const int value = dungeon.forced_kind[s - 1];
        if (value == 0) {
            ++s;
            continue;
        }
        const tdice& count = dungeon.forced_count[s - 1];
        int k = roll_dice(count);
        if (k < 0) k = 0; // a negative count stands for none
        if (k == 0) {
            // The slot reserves as many slots as its formula can yield, at least its own; the
            // scan always moves on.
            const int m = std::max(max_dice(count, 0), 1);
            for (int i = s; i <= s + m - 1 && i <= 30; ++i)
                dungeon.forced_kind[i - 1] = 0;
            s += m;
            continue;
        }
        if (value > 9 + templates) {
            const int group = value - 9 - templates;
            dungeon.forced_kind[s - 1] = 0;
            if (group >= 1 && group <= 60) {
                count_eligible_templates(0, group, 0, true, true);
                for (int i = s; i <= s + k - 1 && i <= 30; ++i) {
                    const int t = random_eligible_template(1);
                    if (t > 0) {
                        dungeon.forced_kind[i - 1] = static_cast<uint16_t>(t + 9);
                        ++vaults[t].count_attempt;
                        count_eligible_templates(0, group, 0, false, false);
                    }
                }
            }
            s += k;
            continue;
        }
        for (int i = s + 1; i <= s + k - 1 && i <= 30; ++i)
            dungeon.forced_kind[i - 1] = static_cast<uint16_t>(value);
        s += k;
    }
}

void create_dungeon(int depth) {
    depth = trace_enter(depth, trace_create_dungeon);
    static_cast<tdungeon&>(dungeon) = level.generator;
    cells_given_area = 0;
    // The work fields belong to the attempt, whatever the level record carries there.
    dungeon.dig_step = 0;
    dungeon.parent_area = 0;
    dungeon.origin_kind = 0;
    dungeon.success = 0;
    dungeon.no_more_marks = 0;
    dungeon.next_area = 1;
    clear_map();
    clear_grid(mark_grid);
    clear_grid(dug_grid);
    std::memset(impenetrable_walls, 0, sizeof impenetrable_walls);
    clear_grid(corridor_end_grid);
    clear_grid(exit_grid);
    clear_grid(mark_block_grid);
    clear_marks();
    areas.assign(1, tarea{});
    setup_force_areas(depth);
    count_eligible_templates(0, 0, 0, true, true);
    const int direction = level.hub ? 1 : random(4) + 1;
    add_mark(map_size / 2, map_size / 2, direction, depth, dungeon.forced_kind[0], 0);
    dungeon.forced_kind[0] = 0;
}

void dig_dungeon(int depth) {
    depth = trace_enter(depth, trace_dig_dungeon);
    clear_shape_grid();
    if (open_marks.empty()) return;

    tmark m;
    if (outer_marks_left > 0) {
        take_outer_mark(m);
        if (!on_map(m.x, m.y, 0)) {
            if (outer_marks_left > 0) return;
            m = tmark{};
        }
    }
    if (m.x == 0 && m.y == 0) {
        if (forced_marks_open > 0)
            take_forced_mark(m);
        else
            get_mark(random(static_cast<int>(open_marks.size())), m);
    }
    const int e = distance_to_edge(m.x, m.y, m.direction);
    if (!is_mark_open(m)) {
        if (on_map(m.x, m.y, 0) && d100() <= dungeon.doorway_chance) mark_to_doorway(m, depth);
        return;
    }
    if (!on_map(m.x, m.y, 0)) return;
    count_eligible_templates(0, 0, e, true, false);

    const int templates = vault_template_count();
    int forced = m.forced_kind, slot = 0;
    if (forced == 0) {
        slot = first_pending_force_area();
        if (slot > 0) forced = dungeon.forced_kind[slot - 1];
    }
    if (forced > 0 && forced <= 9 + templates) {
        int attempts = 2;
        if (forced == area_tunnel || forced == area_cave)
            attempts = 6;
        else if (forced == area_special || forced == area_vault)
            attempts = dungeon.eligible_counts[forced - 8] != 0 ? 21 : 0;
        for (int i = 0; i < attempts; ++i)
            if (build_kind(forced, m, depth)) {
                if (slot >= 1 && slot <= 30) dungeon.forced_kind[slot - 1] = 0;
                return;
            }
    }

    const int origin = static_cast<int>(dungeon.origin_kind);
    const bool template_origin = origin == area_special || origin == area_vault;
    bool allowed[10] = {};
    for (int k = 1; k <= 9; ++k) {
        bool ok = dungeon.kind_weight[k - 1] != 0;
        if (ok && dungeon.kind_max[k - 1] != 0 && dungeon.kind_created[k - 1] >= dungeon.kind_max[k - 1])
            ok = false;
        if (ok && k == origin && d100() > dungeon.repeat_chance[k - 1]) ok = false;
        if (ok && k == area_corridor) {
            if (grid_at(corridor_end_grid, m.x, m.y) != 0 && origin == area_corridor && d100() > 10)
                ok = false;
            const int exit = grid_at(exit_grid, m.x, m.y);
            if (ok && template_origin && exit >= 1 && exit <= 4) ok = false;
            if (ok && e < 15) ok = false;
            if (ok && template_origin && reaches_area_straight(m.x, m.y, m.origin_area, 20, m.direction))
                ok = false;
            if (ok && near_area_wall(m.x, m.y, m.direction, 2)) ok = false;
        }
        if (ok && (k == area_special || k == area_vault) && dungeon.eligible_counts[k - 8] == 0) ok = false;
        allowed[k] = ok;
    }

    bool built = false;
    for (int attempt = 0; attempt < 10 && !built; ++attempt) {
        kind_ranges ranges;
        build_kind_weights(allowed, ranges);
        if (ranges.total == 0) break;
        const int r = random(ranges.total) + 1;
        int kind = 0;
        for (int k = 1; k <= 9; ++k)
            if (ranges.allowed[k] && r >= ranges.low[k] && r <= ranges.high[k]) {
                kind = k;
                break;
            }
        if (kind == 0) break;
        allowed[kind] = false;
        switch (kind) {
        case area_tunnel:
            for (int i = 0; i < 3 && !built; ++i)
                built = build_kind(kind, m, depth);
            if (!built) allowed[area_tunnel] = allowed[area_cave] = false;
            break;
        case area_cave:
            for (int i = 0; i < 3 && !built; ++i)
                built = build_kind(kind, m, depth);
            break;
        case area_special:
        case area_vault:
            for (int i = 0; i < 20 && !built; ++i) {
                built = build_kind(kind, m, depth);
                count_eligible_templates(kind - 7, 0, e, false, false);
                if (dungeon.eligible_counts[kind - 8] == 0) break;
            }
            break;
        default:
            built = build_kind(kind, m, depth);
            break;
        }
    }
    if (!built) add_failed_mark(m, depth);
}

} // namespace dravok
