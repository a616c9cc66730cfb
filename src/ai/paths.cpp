#include "ai/paths.h"

#include <queue>
#include <vector>

#include "ai/sight.h"
#include "ai/walking.h"
#include "generation/areas.h"
#include "records/layout_being.h"
#include "rules/being_creation.h"
#include "rules/effects.h"
#include "rules/furniture.h"
#include "rules/interactions.h"
#include "rules/movement.h"
#include "world/being.h"
#include "world/directions.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/indicators.h"
#include "world/item_record.h"
#include "world/map.h"

namespace dravok {

tpath path_result{};
const tpath empty_path{};

namespace {

// Expansion factor per purpose; 0 searches without a limit.
constexpr int path_expansion_limits[path_purpose_count + 1] = {0,  10, 10, 10, 10, 10, 10,
                                                               10, 10, 5,  5,  10, 10, 0};
constexpr int least_expansion_limit = 100;
constexpr int chase_step_limit = 25, step_limit = 255;
constexpr int cloud_candidate_limit = 20;
constexpr int corridor_variant = 1;

// North, east, south, west, then the diagonals; and the compass direction of the move back.
constexpr int search_dx[8] = {0, 1, 0, -1, 1, 1, -1, -1};
constexpr int search_dy[8] = {-1, 0, 1, 0, -1, 1, 1, -1};
constexpr uint8_t reverse_directions[8] = {5, 7, 1, 3, 6, 8, 2, 4};
constexpr int first_diagonal = 4;

tgrid<uint16_t> step_map{};
// What the search learnt of each cell, whoever it came from: 0 not asked yet, 1 passable,
// 2 blocked. Cleared with the step map; saves the cell tests on cells met from several sides.
tgrid<uint8_t> cell_verdicts{};
constexpr uint8_t verdict_passable = 1, verdict_blocked = 2, verdict_dead_end = 4;

struct tnode {
    int x, y, estimate;
    bool diagonal;
    int order; // place in the open list: smaller is nearer its head
};

// The best node has the smallest estimate; on a tie a straight node beats a diagonal one,
// otherwise the one nearer the head stays.
struct worse_node {
    bool operator()(const tnode& a, const tnode& b) const {
        if (a.estimate != b.estimate) return a.estimate > b.estimate;
        if (a.diagonal != b.diagonal) return a.diagonal;
        return a.order > b.order;
    }
};

// The open list: a heap ordered as pick_best_node picks for the best-first search, a queue
// for the breadth-first ones.
struct topen_list {
    std::priority_queue<tnode, std::vector<tnode>, worse_node> best;
    std::vector<tnode> queue; // breadth-first: taken from `front` on
    size_t front = 0;
    std::vector<tnode> heads; // nodes put before the head, newest first out
    bool breadth_first = false;
    int head_order = 0, tail_order = 0;

    void append(tnode n) {
        n.order = tail_order++;
        if (breadth_first)
            queue.push_back(n);
        else
            best.push(n);
    }
    void push_head(tnode n) {
        n.order = --head_order;
        if (breadth_first)
            heads.push_back(n);
        else
            best.push(n);
    }
    bool empty() const { return breadth_first ? heads.empty() && front == queue.size() : best.empty(); }
    tnode take() {
        tnode n;
        if (!breadth_first) {
            n = best.top();
            best.pop();
        } else if (!heads.empty()) {
            n = heads.back();
            heads.pop_back();
        } else {
            n = queue[front++];
        }
        return n;
    }
    void free_open_list() {
        best = {};
        queue.clear();
        heads.clear();
        front = 0;
        head_order = tail_order = 0;
    }
};

topen_list open_list;
int walker_width = 1, walker_height = 1; // the searching walker's footprint

bool inside_map(int x, int y) {
    return x >= 1 && y >= 1 && x <= map_size && y <= map_size;
}

// Whether the walker placed at (x, y) covers the target cell.
bool footprint_covers(int x, int y, int tx, int ty) {
    return tx >= x && tx < x + walker_width && ty >= y && ty < y + walker_height;
}

const teffect blank_effect{};

bool cell_harmful_for(int being, int x, int y) {
    const tmap_effect_cell& e = map_effect_grid(x, y);
    return e.effect != 0 && e.harmful != 0 && effect_harmful_for_being(being, blank_effect, e.effect, 0);
}

bool hides_known_creature(const tcell& c) {
    return c.hidden_creature != 0 && c.noticed != 0;
}

int area_of(int x, int y) {
    return cell_at(x, y).area;
}

} // namespace

namespace {

// The part of the passable test that does not depend on where the step comes from.
bool cell_passable_for_walker(int being, int x, int y) {
    const int purpose = path_result.purpose;
    if (purpose == purpose_other_area && (hostile_grid(x, y) != 0 || feared_grid(x, y) != 0)) return false;
    const tcell& c = cell_at(x, y);
    if (purpose == purpose_travel && (c.explored == 0 || hides_known_creature(c))) return false;
    const tbeing& b = beings[size_t(being)];
    const bool plain_floor = c.block >= first_floor_block && c.furniture == 0 && c.trap == 0 &&
                             map_effect_grid(x, y).effect == 0 && (c.being == 0 || c.being == being);
    // A plain floor cell is free for a one-cell walker: the full test would say the same.
    if (plain_floor && b.width <= 1 && b.height <= 1) return true;
    const bool ignore_harm = path_result.ignore_harm != 0 || can_see(being, 0, x, y) == 0;
    bool ignore_beings = path_result.ignore_beings != 0;
    if (purpose == purpose_cloud && ignore_beings && cell_harmful_for(being, x, y)) ignore_beings = false;
    return can_move_to(being, x, y, 0, ignore_harm, ignore_beings) > 0;
}

} // namespace

namespace {

// The passable test once the cell is known to lie on the map and to be unreached.
inline bool unreached_cell_passable(int being, int x, int y, int from_area) {
    uint8_t& verdict = cell_verdicts(x, y);
    if (verdict == 0) {
        verdict = cell_passable_for_walker(being, x, y) ? verdict_passable : verdict_blocked;
        const int a = cell_at(x, y).area;
        if (a != path_result.target_area && is_area_ok(a) && areas[a].exits == 1) verdict |= verdict_dead_end;
    }
    // A dead-end area (one exit) is entered only toward a target in it or from inside it.
    if ((verdict & verdict_dead_end) != 0 && cell_at(x, y).area != from_area) return false;
    return (verdict & verdict_passable) != 0;
}

} // namespace

bool path_cell_passable(int being, int x, int y, int from_area) {
    if (!inside_map(x, y) || step_map(x, y) != 0) return false;
    return unreached_cell_passable(being, x, y, from_area);
}

bool path_target_reached(int, int x, int y, int ty, int tx) {
    if (!inside_map(x, y) || !footprint_covers(x, y, tx, ty)) return false;
    if (path_result.purpose == purpose_travel) {
        const tcell& c = cell_at(x, y);
        if (c.explored == 0 || hides_known_creature(c)) return false;
    }
    return true;
}

void expand_node(int being, int x, int y, int ty, int tx) {
    const uint16_t step = uint16_t(step_map(x, y) + 1);
    const int from_area = area_of(x, y);
    const bool travel = path_result.purpose == purpose_travel;
    for (int i = 0; i < 8; ++i) {
        const int nx = x + search_dx[i], ny = y + search_dy[i];
        if (!inside_map(nx, ny)) continue; // neither passable nor the target
        const bool diagonal = i >= first_diagonal;
        // Most neighbours were reached before; they can only be the target.
        if (step_map(nx, ny) == 0 && !(nx == tx && ny == ty) &&
            path_cell_passable(being, nx, ny, from_area)) {
            step_map(nx, ny) = step;
            open_list.append({nx, ny, std::abs(nx - tx) + std::abs(ny - ty), diagonal, 0});
        } else if (footprint_covers(nx, ny, tx, ty) &&
                   (!travel || path_target_reached(being, nx, ny, ty, tx))) {
            step_map(nx, ny) = step;
            open_list.push_head({nx, ny, std::abs(nx - tx) + std::abs(ny - ty), diagonal, 0});
            return;
        }
    }
}

bool trace_back_path(int being, int x, int y) {
    clear_area_temp();
    const int limit = path_result.purpose == purpose_chase ? chase_step_limit : step_limit;
    const int sx = path_result.start_x, sy = path_result.start_y;
    uint8_t reversed[step_limit + 1];
    int steps = 0;
    while (!(x == sx && y == sy)) {
        if (steps > limit || steps >= step_limit) return false;
        int chosen = -1, chosen_step = step_map(x, y);
        for (int i = 0; i < 8; ++i) {
            const int nx = x + search_dx[i], ny = y + search_dy[i];
            if (!inside_map(nx, ny)) continue;
            if (nx == sx && ny == sy) {
                chosen = i;
                break;
            }
            const int s = step_map(nx, ny);
            if (s != 0 && s < chosen_step) {
                chosen = i;
                chosen_step = s;
            }
        }
        if (chosen < 0) return false;
        reversed[steps++] = reverse_directions[chosen];
        x += search_dx[chosen];
        y += search_dy[chosen];
        const tcell& c = cell_at(x, y);
        if (is_area_ok(c.area) && areas[c.area].scratch == 0) {
            ++path_result.areas_entered;
            if (c.shape == corridor_variant) ++path_result.variant1_entries;
            areas[c.area].scratch = 1;
        }
        if (c.being != 0) ++path_result.beings_on_path;
        if (cell_harmful_for(being, x, y)) ++path_result.harmful_cells;
    }
    for (int i = 0; i < steps; ++i)
        path_result.step(i + 1) = reversed[steps - 1 - i];
    if (steps < step_limit) path_result.step(steps + 1) = 0;
    path_result.length = uint16_t(steps);
    path_result.cursor = 1;
    return steps > 0;
}

bool line_pathfind(int being) {
    if (!is_being_ok(being)) return false;
    const tbeing& b = beings[being];
    const int tx = path_result.target_x, ty = path_result.target_y;
    trace_line(b.x, b.y, tx, ty);
    int px = b.x, py = b.y, steps = 0;
    for (int i = 1; i <= line_length && steps < step_limit; ++i) {
        const int x = line_points[size_t(i)].x, y = line_points[size_t(i)].y;
        if (is_on_xy(being, x, y, tx, ty)) {
            if (path_result.purpose == purpose_item)
                path_result.step(++steps) = uint8_t(get_direction(px, py, x, y));
            if (steps == 0) return false;
            path_result.length = uint16_t(steps);
            path_result.cursor = 1;
            return true;
        }
        if (can_move_to(being, x, y, 0, path_result.ignore_harm != 0, path_result.ignore_beings != 0) <= 0)
            return false;
        path_result.step(++steps) = uint8_t(get_direction(px, py, x, y));
        px = x;
        py = y;
    }
    return false;
}

bool pathfind(int being, int tx, int ty, bool ignore_harm, bool ignore_beings, int purpose) {
    path_result = empty_path;
    path_result.purpose = uint8_t(purpose);
    path_result.ignore_beings = ignore_beings ? 1 : 0;
    path_result.ignore_harm = ignore_harm ? 1 : 0;
    if (!is_being_ok(being) || !on_map(tx, ty)) return false;
    const tbeing& b = beings[being];
    walker_width = std::max<int>(b.width, 1);
    walker_height = std::max<int>(b.height, 1);
    path_result.start_x = b.x;
    path_result.start_y = b.y;
    if (purpose == purpose_travel && is_wall(tx, ty)) return false;
    path_result.target_x = uint8_t(tx);
    path_result.target_y = uint8_t(ty);
    path_result.target_area = uint8_t(area_of(tx, ty));
    step_map.fill(0);
    cell_verdicts.fill(0);

    if ((purpose == purpose_item || purpose == purpose_chase) && can_see(being, 0, tx, ty) != 0) {
        const tpath before = path_result;
        if (line_pathfind(being)) return true;
        path_result = before;
    }
    const int factor = purpose >= 1 && purpose <= path_purpose_count ? path_expansion_limits[purpose] : 0;
    const int limit =
        factor == 0 ? 0 : std::max(factor * get_distance(b.x, b.y, tx, ty), least_expansion_limit);

    open_list.free_open_list();
    open_list.breadth_first = purpose == purpose_travel;
    int x = b.x, y = b.y;
    int expansions = 0;
    bool found = false;
    while (true) {
        if (path_target_reached(being, x, y, ty, tx)) {
            found = trace_back_path(being, x, y);
            break;
        }
        ++expansions;
        if (limit != 0 && expansions > limit) break;
        expand_node(being, x, y, ty, tx);
        if (open_list.empty()) break;
        const tnode n = open_list.take();
        x = n.x;
        y = n.y;
    }
    path_result.expansions = uint16_t(std::min(expansions, 65535));
    open_list.free_open_list();
    if (!found) path_result.length = 0;
    return found;
}

bool pathfind_from_cloud(int being, bool ignore_beings) {
    path_result = empty_path;
    path_result.purpose = purpose_cloud;
    path_result.ignore_beings = ignore_beings ? 1 : 0;
    path_result.ignore_harm = 1;
    if (!is_being_ok(being)) return false;
    const tbeing& b = beings[being];
    walker_width = std::max<int>(b.width, 1);
    walker_height = std::max<int>(b.height, 1);
    path_result.start_x = b.x;
    path_result.start_y = b.y;
    step_map.fill(0);
    cell_verdicts.fill(0);
    open_list.free_open_list();
    open_list.breadth_first = true;
    std::vector<tpath> candidates;
    int best = 0;
    int x = b.x, y = b.y;
    while (true) {
        path_result.beings_on_path = path_result.areas_entered = path_result.variant1_entries = 0;
        path_result.length = 0;
        const tmap_effect_cell& e = map_effect_grid(x, y);
        const bool safe = e.harmful == 0 && !cell_harmful_for(being, x, y);
        if (safe) {
            if (trace_back_path(being, x, y)) {
                if (ignore_beings && path_result.length == 1 && cell_at(x, y).being != 0)
                    path_result.length = 0;
            } else {
                path_result.length = 0;
            }
            const int length = path_result.length;
            if (length > 0) {
                tpath found = path_result;
                found.target_x = uint8_t(x);
                found.target_y = uint8_t(y);
                found.target_area = uint8_t(area_of(x, y));
                if (candidates.empty() || length < best) {
                    candidates.assign(1, found);
                    best = length;
                } else if (length == best && int(candidates.size()) < cloud_candidate_limit) {
                    candidates.push_back(found);
                }
            }
        } else {
            expand_node(being, x, y, 0, 0);
        }
        if (open_list.empty()) break;
        const tnode n = open_list.take();
        x = n.x;
        y = n.y;
    }
    open_list.free_open_list();
    if (candidates.empty()) {
        path_result.length = 0;
        return false;
    }
    const int pick = random(int(candidates.size())) + 1;
    path_result = candidates[size_t(pick - 1)];
    return true;
}

bool path_still_valid(int being, int tx, int ty, int purpose) {
    if (!is_being_ok(being)) return true;
    const tpath& p = beings[being].path;
    return p.target_x != tx || p.target_y != ty || p.purpose != purpose || p.length == 0;
}

bool autopilot_path(int being, int x, int y) {
    if (!is_being_ok(being)) return false;
    beings[being].path = empty_path;
    if (!pathfind(being, x, y, false, false, purpose_travel)) return false;
    beings[being].path = path_result;
    return true;
}

} // namespace dravok
