#include "ai/explore_targets.h"

#include "ai/paths.h"
#include "ai/sight.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "rules/being_creation.h"
#include "rules/move_checks.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/geometry.h"
#include "world/grid.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/player.h"
#include "world/state.h"

namespace dravok {

tgrid<uint8_t> explore_taken{};
tpath explore_path{};

namespace {

constexpr int purpose_explore = 13;
constexpr int taken_radius = 5; // the 11 x 11 square round a chosen target
constexpr int last_floor = 90;

tgrid<uint8_t> visited{};

bool is_floor_kind(const tcell& c) {
    return c.block >= first_floor_block && c.block <= last_floor;
}

struct tsearch {
    int player_area = 0;
    bool any_cell = false;
    bool found = false;
    int best = 0;
    int target_x = 0, target_y = 0;
};

// Examines the free neighbours of the area's unexplored cells; true when one became the best.
bool scan_area(int a, tsearch& s) {
    const tarea& area = areas[a];
    const bool any_kind = s.any_cell || (a == s.player_area && area.skip != 0);
    bool improved = false;
    for (int x = area.x1; x <= area.x2; ++x)
        for (int y = area.y1; y <= area.y2; ++y) {
            if (!on_map(x, y)) continue;
            const tcell& c = cell_at(x, y);
            if (c.area != a || c.explored != 0 || explore_taken(x, y) != 0) continue;
            if (!any_kind && !is_floor_kind(c)) continue;
            for (int d = 1; d <= 8; ++d) {
                const int nx = x + direction_steps[d].dx, ny = y + direction_steps[d].dy;
                if (!on_map(nx, ny) || visited(nx, ny) != 0) continue;
                visited(nx, ny) = 1;
                if (nx == state.autopilot_cursor_x && ny == state.autopilot_cursor_y) continue;
                const tcell& n = cell_at(nx, ny);
                if (n.explored == 0 || !is_floor_kind(n)) continue;
                const int move = can_move_to(player, nx, ny, 1, false, false);
                if (move != target_free && move != target_door_to_open) continue;
                if (!pathfind(player, nx, ny, false, false, purpose_explore)) continue;
                if (s.found && path_result.length >= s.best) continue;
                s.found = improved = true;
                s.best = path_result.length;
                explore_path = path_result;
                state.explore_cursor_x = x;
                state.explore_cursor_y = y;
                s.target_x = nx;
                s.target_y = ny;
            }
        }
    return improved;
}

int area_with_ordinal(int ordinal) {
    for (int a = 1; a < static_cast<int>(areas.size()); ++a)
        if (areas[a].ordinal == ordinal) return a;
    return 0;
}

} // namespace

uint32_t find_explore_target() {
    explore_path = empty_path;
    if (player == 0) return 0;
    if (!on_map(state.explore_cursor_x, state.explore_cursor_y)) {
        state.explore_cursor_x = state.autopilot_cursor_x;
        state.explore_cursor_y = state.autopilot_cursor_y;
    }
    int ordinal = 1;
    if (on_map(state.explore_cursor_x, state.explore_cursor_y)) {
        const int a = cell_at(state.explore_cursor_x, state.explore_cursor_y).area;
        if (a >= 1 && a < static_cast<int>(areas.size())) ordinal = areas[a].ordinal;
    }
    visited.fill(0);
    tsearch s;
    s.player_area = cell_at(beings[player].x, beings[player].y).area;
    int restarts = 0;
    while (true) {
        const int a = area_with_ordinal(ordinal);
        if (a == 0) {
            ++restarts;
            if (restarts >= 2 && s.found) break;
            if (restarts > 3) break;
            if (restarts >= 2) {
                explore_taken.fill(0);
                visited.fill(0);
            }
            if (restarts == 3) s.any_cell = true;
            ordinal = 1;
            continue;
        }
        if (areas[a].skip != 0 && a != s.player_area && !s.any_cell) {
            ++ordinal;
            continue;
        }
        if (scan_area(a, s)) {
            if (a == s.player_area) break;
            scan_area(a, s);
        }
        ++ordinal;
    }
    if (!s.found || !on_map(s.target_x, s.target_y)) return 0;
    explore_taken(state.explore_cursor_x, state.explore_cursor_y) = 1;
    for (int x = s.target_x - taken_radius; x <= s.target_x + taken_radius; ++x)
        for (int y = s.target_y - taken_radius; y <= s.target_y + taken_radius; ++y)
            if (on_map(x, y)) explore_taken(x, y) = 1;
    return static_cast<uint32_t>(s.target_x) | static_cast<uint32_t>(s.target_y) << 16;
}

bool is_seen_unlooted_furniture(int x, int y) {
    if (!on_map(x, y) || !cell_at(x, y).explored) return false;
    const int f = get_furniture(x, y);
    if (f < fu_chest || f > fu_cauldron || is_shop_furniture(f)) return false;
    if (!is_being_ok(player) || !can_see(player, 0, x, y)) return false;
    return may_hold_unlooted_items(x, y);
}

} // namespace dravok
