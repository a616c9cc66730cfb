#include "ai/paths.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "ai/sight.h"
#include "ai/walking.h"
#include "records/layout_being.h"
#include "rules/being_creation.h"
#include "rules/effects.h"
#include "rules/furniture.h"
#include "rules/interactions.h"
#include "rules/move_checks.h"
#include "rules/movement.h"
#include "world/area_queries.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/directions.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/item_record.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/map_effect_cell.h"
#include "world/map_grid.h"
#include "world/random.h"

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

// The search grids carry a border one cell wide round the largest map, so that a neighbour
// never needs a test for lying on the map: index x * grid_stride + y for x, y in 0..129.
constexpr int grid_stride = max_map_size + 2;
constexpr int grid_cells = grid_stride * grid_stride;
constexpr int neighbour_offset[8] = {
    search_dx[0] * grid_stride + search_dy[0], search_dx[1] * grid_stride + search_dy[1],
    search_dx[2] * grid_stride + search_dy[2], search_dx[3] * grid_stride + search_dy[3],
    search_dx[4] * grid_stride + search_dy[4], search_dx[5] * grid_stride + search_dy[5],
    search_dx[6] * grid_stride + search_dy[6], search_dx[7] * grid_stride + search_dy[7]};

inline int grid_index(int x, int y) {
    return x * grid_stride + y;
}

// The step number of each cell (0 never reached).
std::array<uint16_t, grid_cells> step_map{};
// What the search learnt of each cell, whoever it came from: whether it was asked yet, whether
// it is passable, whether it lies in a dead end, and whether the walker standing there reaches
// the target. Cells off the map are known and blocked from the start.
// `closed` marks a cell that no further visit changes: reached already, or known blocked, and
// not one on which the walker reaches the target; a visit then costs one test.
std::array<uint8_t, grid_cells> cell_verdicts{};
constexpr uint8_t verdict_known = 1, verdict_passable = 2, verdict_dead_end = 4, verdict_reaches_target = 8,
                  verdict_closed = 16;

// The cheap verdicts are worked out a run of cells down a column at a time, read in the map's
// own order, instead of one scattered cell at a time as the search front reaches them.
constexpr int run_cells = 16;
constexpr int runs_per_column = max_map_size / run_cells;
std::array<uint8_t, (max_map_size + 1) * runs_per_column> runs_sorted{};

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

// The open list: a heap ordered as pick_best_node picks for the best-first search; for the
// breadth-first ones a queue of grid indexes, which every cell enters at most once.
struct topen_list {
    std::vector<tnode> best;                  // a heap by worse_node; it keeps its room from search to search
    std::array<uint16_t, grid_cells> queue{}; // breadth-first: taken from `front` on
    int front = 0, back = 0;
    std::vector<uint16_t> heads; // cells put before the head, newest first out
    bool breadth_first = false;
    int head_order = 0, tail_order = 0;

    void append(int index, int x, int y, int estimate, bool diagonal) {
        if (breadth_first) {
            queue[size_t(back++)] = uint16_t(index);
            return;
        }
        best.push_back({x, y, estimate, diagonal, tail_order++});
        std::push_heap(best.begin(), best.end(), worse_node{});
    }
    void push_head(int index, int x, int y, int estimate, bool diagonal) {
        if (breadth_first) {
            heads.push_back(uint16_t(index));
            return;
        }
        best.push_back({x, y, estimate, diagonal, --head_order});
        std::push_heap(best.begin(), best.end(), worse_node{});
    }
    bool empty() const { return breadth_first ? heads.empty() && front == back : best.empty(); }
    void take(int& x, int& y) {
        if (!breadth_first) {
            std::pop_heap(best.begin(), best.end(), worse_node{});
            x = best.back().x;
            y = best.back().y;
            best.pop_back();
            return;
        }
        int index = 0;
        if (!heads.empty()) {
            index = heads.back();
            heads.pop_back();
        } else {
            index = queue[size_t(front++)];
        }
        x = index / grid_stride;
        y = index % grid_stride;
    }
    void free_open_list() {
        best.clear();
        heads.clear();
        front = back = 0;
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

// The full test of a cell that is neither a wall nor plain floor for a one-cell walker.
[[gnu::noinline]] bool cell_passable_in_full(int being, int x, int y) {
    const bool ignore_harm = path_result.ignore_harm != 0 || can_see(being, 0, x, y) == 0;
    bool ignore_beings = path_result.ignore_beings != 0;
    if (path_result.purpose == purpose_cloud && ignore_beings && cell_harmful_for(being, x, y))
        ignore_beings = false;
    return can_move_to(being, x, y, 0, ignore_harm, ignore_beings) > 0;
}

// What the cheap part of the passable test says of a cell: blocked, passable, or only the full
// test can tell.
enum class cheap_verdict : uint8_t { blocked, passable, ask_in_full };

// The part of the passable test that does not depend on where the step comes from. Every cell
// of a long search passes here once, so the common answers come first and cheaply.
[[gnu::always_inline]] inline cheap_verdict cheap_passable(int being, int x, int y, const tcell& c) {
    const int purpose = path_result.purpose;
    if (purpose == purpose_other_area && (hostile_grid(x, y) != 0 || feared_grid(x, y) != 0))
        return cheap_verdict::blocked;
    if (purpose == purpose_travel && (c.explored == 0 || hides_known_creature(c)))
        return cheap_verdict::blocked;
    // No walker of any size stands on a wall: the full test would say so after its sight test.
    if (c.block < first_floor_block) return cheap_verdict::blocked;
    // A plain floor cell is free for a one-cell walker: the full test would say the same.
    const bool one_cell = walker_width <= 1 && walker_height <= 1;
    if (one_cell && c.furniture == 0 && c.trap == 0 && (c.being == 0 || c.being == being) &&
        map_effect_grid(x, y).effect == 0)
        return cheap_verdict::passable;
    return cheap_verdict::ask_in_full;
}

[[gnu::always_inline]] inline bool cell_passable_for_walker(int being, int x, int y, const tcell& c) {
    const cheap_verdict cheap = cheap_passable(being, x, y, c);
    if (cheap != cheap_verdict::ask_in_full) return cheap == cheap_verdict::passable;
    return cell_passable_in_full(being, x, y);
}

} // namespace

namespace {

// Per area, once a search: 1 a dead end (one exit) that does not hold the target, 0 not, -1
// not asked yet.
std::array<int8_t, 256> dead_end_areas{};

inline bool in_dead_end(int a) {
    int8_t& known = dead_end_areas[size_t(a & 0xFF)];
    if (known < 0) known = a != path_result.target_area && is_area_ok(a) && areas[a].exits == 1 ? 1 : 0;
    return known != 0;
}

// The cell's verdict, asked of the cell the first time only.
inline uint8_t verdict_of(int being, int x, int y, uint8_t& verdict) {
    if ((verdict & verdict_known) == 0) {
        uint8_t v = verdict_known;
        const tcell& c = cell_at(x, y);
        if (cell_passable_for_walker(being, x, y, c)) v |= verdict_passable;
        if (in_dead_end(c.area)) v |= verdict_dead_end;
        verdict |= v;
    }
    return verdict;
}

// A dead-end area (one exit) is entered only toward a target in it or from inside it.
inline bool passable_verdict(uint8_t verdict, int x, int y, int from_area) {
    if ((verdict & verdict_passable) == 0) return false;
    return (verdict & verdict_dead_end) == 0 || cell_at(x, y).area == from_area;
}

// The cheap verdicts and the dead-end marks of the run of cells holding (x, y); the cells that
// need the full test keep it for the first time they are asked.
void sort_run(int being, int x, int y) {
    const int first = (y - 1) / run_cells * run_cells + 1;
    const int last = std::min(first + run_cells - 1, int(map_size));
    uint8_t* verdict = &cell_verdicts[size_t(grid_index(x, first))];
    const tcell* c = &cell_at(x, first);
    for (int cy = first; cy <= last; ++cy, ++verdict, ++c) {
        if ((*verdict & verdict_known) != 0) continue;
        uint8_t v = in_dead_end(c->area) ? verdict_dead_end : 0;
        switch (cheap_passable(being, x, cy, *c)) {
        case cheap_verdict::blocked:
            v |= verdict_known;
            if ((*verdict & verdict_reaches_target) == 0) v |= verdict_closed;
            break;
        case cheap_verdict::passable:
            v |= verdict_known | verdict_passable;
            break;
        case cheap_verdict::ask_in_full:
            break;
        }
        *verdict |= v;
    }
}

// Every grid cell unreached and unasked; the cells round the map known and blocked; the cells
// on which the walker reaches the target marked.
void reset_search_grids(int being, int tx, int ty) {
    step_map.fill(0);
    cell_verdicts.fill(0);
    dead_end_areas.fill(-1);
    runs_sorted.fill(0);
    for (int i = 0; i < grid_stride; ++i) {
        for (const int border : {0, map_size + 1}) {
            cell_verdicts[size_t(grid_index(border, i))] = verdict_known | verdict_closed;
            cell_verdicts[size_t(grid_index(i, border))] = verdict_known | verdict_closed;
        }
    }
    for (int x = tx - walker_width + 1; x <= tx; ++x)
        for (int y = ty - walker_height + 1; y <= ty; ++y)
            if (path_target_reached(being, x, y, ty, tx))
                cell_verdicts[size_t(grid_index(x, y))] |= verdict_reaches_target;
}

} // namespace

bool path_cell_passable(int being, int x, int y, int from_area) {
    if (!inside_map(x, y) || step_map[size_t(grid_index(x, y))] != 0) return false;
    return passable_verdict(verdict_of(being, x, y, cell_verdicts[size_t(grid_index(x, y))]), x, y,
                            from_area);
}

bool path_target_reached(int, int x, int y, int ty, int tx) {
    if (!inside_map(x, y) || !footprint_covers(x, y, tx, ty)) return false;
    if (path_result.purpose == purpose_travel) {
        const tcell& c = cell_at(x, y);
        if (c.explored == 0 || hides_known_creature(c)) return false;
    }
    return true;
}

namespace {

// A verdict asked of a cell for the first time; kept out of line, as most cells are asked
// only once. The wide front of a breadth-first search asks nearly every cell of a run, the
// narrow one of a best-first search few.
template <bool breadth_first>
[[gnu::noinline]] uint8_t first_verdict(int being, int x, int y, uint8_t& verdict) {
    if constexpr (breadth_first) {
        uint8_t& sorted = runs_sorted[size_t(x * runs_per_column + (y - 1) / run_cells)];
        if (sorted == 0) {
            sorted = 1;
            sort_run(being, x, y);
        }
    }
    const uint8_t v = verdict_of(being, x, y, verdict);
    if ((v & (verdict_passable | verdict_reaches_target)) == 0) verdict |= verdict_closed;
    return verdict;
}

// One neighbour (direction i of search_directions) of the best-first node being expanded; true
// when it reaches the target, which ends the expansion.
template <int i> struct neighbour_visit {
    static bool visit(int being, int at, int x, int y, int ty, int tx, uint16_t step, int target,
                      int& from_area) {
        const int n = at + neighbour_offset[i];
        uint8_t& verdict = cell_verdicts[size_t(n)];
        if ((verdict & verdict_closed) != 0) return false;
        uint16_t& steps = step_map[size_t(n)];
        constexpr bool diagonal = i >= first_diagonal;
        // Most neighbours were reached before; they can only be the target.
        if (steps == 0 && n != target) {
            const int nx = x + search_dx[i], ny = y + search_dy[i];
            uint8_t v = verdict;
            if ((v & verdict_known) == 0) v = first_verdict<false>(being, nx, ny, verdict);
            if ((v & verdict_dead_end) != 0 && from_area < 0) from_area = area_of(x, y);
            if (passable_verdict(v, nx, ny, from_area)) {
                steps = step;
                if ((v & verdict_reaches_target) == 0) verdict |= verdict_closed;
                open_list.append(n, nx, ny, std::abs(nx - tx) + std::abs(ny - ty), diagonal);
                return false;
            }
        }
        if ((verdict & verdict_reaches_target) == 0) return false;
        steps = step;
        const int nx = x + search_dx[i], ny = y + search_dy[i];
        open_list.push_head(n, nx, ny, std::abs(nx - tx) + std::abs(ny - ty), diagonal);
        return true;
    }
};

template <int... i>
void expand_neighbours(std::integer_sequence<int, i...>, int being, int x, int y, int ty, int tx) {
    const int at = grid_index(x, y);
    const uint16_t step = uint16_t(step_map[size_t(at)] + 1);
    const int target = on_map(tx, ty) ? grid_index(tx, ty) : -1;
    int from_area = -1; // looked up only when a dead end is met
    // In search_directions order, until one reaches the target.
    (neighbour_visit<i>::visit(being, at, x, y, ty, tx, step, target, from_area) || ...);
}

// The breadth-first search works on grid indexes alone; the map position is worked out only
// for the rare cell that needs it.
inline int index_x(int index) {
    return index / grid_stride;
}
inline int index_y(int index) {
    return index % grid_stride;
}

// One neighbour (direction i) of the breadth-first node at grid index `at`: the neighbour's
// index when the walker there reaches the target, which ends the expansion, else -1. The
// queue's end comes as a local of the caller, so that it stays in a register.
template <int i>
[[gnu::always_inline]] inline int visit_breadth_first(int being, int at, uint16_t step, int target,
                                                      int& from_area, uint16_t* queue, int& back) {
    const int n = at + neighbour_offset[i];
    uint8_t& verdict = cell_verdicts[size_t(n)];
    if ((verdict & verdict_closed) != 0) return -1;
    uint16_t& steps = step_map[size_t(n)];
    if (steps == 0 && n != target) {
        uint8_t v = verdict;
        if ((v & verdict_known) == 0) v = first_verdict<true>(being, index_x(n), index_y(n), verdict);
        if ((v & verdict_dead_end) != 0 && from_area < 0) from_area = area_of(index_x(at), index_y(at));
        if ((v & verdict_passable) != 0 &&
            ((v & verdict_dead_end) == 0 || area_of(index_x(n), index_y(n)) == from_area)) {
            steps = step;
            if ((v & verdict_reaches_target) == 0) verdict |= verdict_closed;
            queue[back++] = uint16_t(n);
            return -1;
        }
    }
    if ((verdict & verdict_reaches_target) == 0) return -1;
    steps = step;
    return n;
}

template <int... i>
[[gnu::always_inline]] inline int expand_breadth_first(std::integer_sequence<int, i...>, int being, int at,
                                                       int target, uint16_t* queue, int& back) {
    const uint16_t step = uint16_t(step_map[size_t(at)] + 1);
    int from_area = -1; // looked up only when a dead end is met
    int reached = -1;
    // In search_directions order, until one reaches the target.
    (((reached = visit_breadth_first<i>(being, at, step, target, from_area, queue, back)) >= 0) || ...);
    return reached;
}

// The breadth-first search from the walker's cell until it takes a cell on which the walker
// reaches the target (its grid index) or runs out of cells or expansions (-1).
int search_breadth_first(int being, int start, int target, int limit, int& expansions) {
    uint16_t* const queue = open_list.queue.data();
    int front = 0, back = 0;
    int at = start;
    while ((cell_verdicts[size_t(at)] & verdict_reaches_target) == 0) {
        ++expansions;
        if (limit != 0 && expansions > limit) return -1;
        const int reached =
            expand_breadth_first(std::make_integer_sequence<int, 8>{}, being, at, target, queue, back);
        if (reached >= 0) {
            at = reached; // put before the head of the queue
            continue;
        }
        if (front == back) return -1;
        at = queue[size_t(front++)];
    }
    return at;
}

} // namespace

// The search's target cells are marked in the verdicts when the grids are reset, so (tx, ty)
// here only gives the estimates; the cloud flood passes (0, 0), which no cell reaches.
void expand_node(int being, int x, int y, int ty, int tx) {
    if (open_list.breadth_first) {
        const int target = on_map(tx, ty) ? grid_index(tx, ty) : -1;
        const int reached =
            expand_breadth_first(std::make_integer_sequence<int, 8>{}, being, grid_index(x, y), target,
                                 open_list.queue.data(), open_list.back);
        if (reached >= 0) open_list.heads.push_back(uint16_t(reached));
    } else {
        expand_neighbours(std::make_integer_sequence<int, 8>{}, being, x, y, ty, tx);
    }
}

namespace {

// The best-first search from (x, y) until it takes a cell on which the walker reaches the
// target, left in (x, y), or runs out of cells or expansions (false).
bool search_best_first(int being, int& x, int& y, int ty, int tx, int limit, int& expansions) {
    while ((cell_verdicts[size_t(grid_index(x, y))] & verdict_reaches_target) == 0) {
        ++expansions;
        if (limit != 0 && expansions > limit) return false;
        expand_node(being, x, y, ty, tx);
        if (open_list.empty()) return false;
        open_list.take(x, y);
    }
    return true;
}

} // namespace

bool trace_back_path(int being, int x, int y) {
    clear_area_temp();
    const int limit = path_result.purpose == purpose_chase ? chase_step_limit : step_limit;
    const int sx = path_result.start_x, sy = path_result.start_y;
    uint8_t reversed[step_limit + 1];
    int steps = 0;
    while (!(x == sx && y == sy)) {
        if (steps > limit || steps >= step_limit) return false;
        const int at = grid_index(x, y);
        int chosen = -1, chosen_step = step_map[size_t(at)];
        for (int i = 0; i < 8; ++i) {
            const int nx = x + search_dx[i], ny = y + search_dy[i];
            if (nx == sx && ny == sy) {
                chosen = i;
                break;
            }
            const int s = step_map[size_t(at + neighbour_offset[i])];
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
    reset_search_grids(being, tx, ty);

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
    if (open_list.breadth_first) {
        const int reached =
            search_breadth_first(being, grid_index(x, y), grid_index(tx, ty), limit, expansions);
        if (reached >= 0) found = trace_back_path(being, index_x(reached), index_y(reached));
    } else if (search_best_first(being, x, y, ty, tx, limit, expansions)) {
        found = trace_back_path(being, x, y);
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
    reset_search_grids(being, 0, 0);
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
        open_list.take(x, y);
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
