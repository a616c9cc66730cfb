// Speed of the map grid's hot queries on a full 128 x 128 level: tracing lines (sight, aiming,
// effects) and the free-floor search used whenever a being is placed.
#include <benchmark/benchmark.h>

#include "records/layout_map.h"
#include "world/blank_records.h"
#include "world/geometry.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/random.h"

namespace dravok {
namespace {

// A 128 x 128 level: border walls, floor inside, every seventh cell of every seventh row a
// pillar, all one area.
void build_big_map() {
    map_cells.fill(blank_cell);
    map_effect_grid.fill(blank_map_effect_cell);
    map_size = max_map_size;
    areas.assign(2, blank_area);
    for (int x = 1; x <= map_size; ++x) {
        for (int y = 1; y <= map_size; ++y) {
            tcell& c = cell_at(x, y);
            const bool border = x == 1 || y == 1 || x == map_size || y == map_size;
            c.block = border ? 1 : 43;
            c.area = 1;
            c.shape = 2;
            if (!border && x % 7 == 0 && y % 7 == 0) c.furniture = fu_pillar;
        }
    }
}

void BM_trace_line(benchmark::State& state) {
    build_big_map();
    int k = 0;
    for (auto _ : state) {
        // Lines from the centre to every border cell in turn: 1 to 64 points each.
        const int edge = k % 508;
        const int x2 = edge < 127 ? 1 + edge : edge < 254 ? 128 : edge < 381 ? 128 - (edge - 254) : 1;
        const int y2 = edge < 127 ? 1 : edge < 254 ? 1 + (edge - 127) : edge < 381 ? 128 : 128 - (edge - 381);
        trace_line(64, 64, x2, y2);
        benchmark::DoNotOptimize(line_length);
        ++k;
    }
}
BENCHMARK(BM_trace_line);

void BM_trace_line_longest(benchmark::State& state) {
    for (auto _ : state) {
        trace_line(1, 1, 128, 128);
        benchmark::DoNotOptimize(line_points[127]);
    }
}
BENCHMARK(BM_trace_line_longest);

// A free neighbour exists: the usual case.
void BM_find_free_floor_open(benchmark::State& state) {
    build_big_map();
    random_seed = 1;
    int x = 0, y = 0, k = 0;
    for (auto _ : state) {
        const int cx = 10 + (k * 13) % 100, cy = 10 + (k * 29) % 100;
        find_free_floor_for_being(cx, cy, 1, x, y, 0, 1);
        benchmark::DoNotOptimize(x);
        ++k;
    }
}
BENCHMARK(BM_find_free_floor_open);

// Every cell within the rings is taken: both zone passes walk the whole ring list (the worst case).
void BM_find_free_floor_crowded_2x2(benchmark::State& state) {
    build_big_map();
    for (int x = 50; x <= 80; ++x)
        for (int y = 50; y <= 80; ++y)
            cell_at(x, y).being = 1;
    cell_at(64, 64).vault_zone = 24; // a zone other than a spot: two passes
    random_seed = 1;
    int x = 0, y = 0;
    for (auto _ : state) {
        find_free_floor_for_being(64, 64, 2, x, y, 0, 2);
        benchmark::DoNotOptimize(x);
    }
}
BENCHMARK(BM_find_free_floor_crowded_2x2);

void BM_build_ray_tables(benchmark::State& state) {
    for (auto _ : state) {
        build_ray_endpoints();
        build_sight_rays();
        benchmark::DoNotOptimize(sight_ray_counts[20]);
    }
}
BENCHMARK(BM_build_ray_tables);

} // namespace
} // namespace dravok
