// Level creation on a 128 x 128 rooms-and-corridors level: time per level over 200 seeds,
// reported as the median and the slowest in milliseconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include <time.h>

#include "generation/level_creation.h"
#include "records/layout_level.h"
#include "rules/being_creation.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/item_placement.h"
#include "world/map.h"
#include "world/random.h"
#include "world/rounding.h"

namespace dravok {
namespace {

void make_bench_level() {
    std::memset(&level, 0, sizeof level);
    level.index = 5;
    level.map_size = 128;
    map_size = 128;
    level.natural_pairs.count = 1;
    level.natural_pairs.pairs[0].x = 5;
    level.natural_pairs.pairs[0].y = 47;
    level.dressing_pairs.count = 1;
    level.dressing_pairs.pairs[0].x = 14;
    level.dressing_pairs.pairs[0].y = 63;
    level.spawn_interval.count = 10;
    level.spawn_interval.sides = 10;
    tdungeon& g = level.generator;
    g.kind_weight[0] = 45;
    g.kind_weight[1] = 55;
    g.repeat_chance[0] = 60;
    g.repeat_chance[1] = 50;
    g.dig_steps = 250;
    g.branch_chance = 30;
    g.merge_rooms = 20;
    g.corridor_style = 1;
    g.dead_end_room_size = 5;
    g.door_chance = 50;
    g.open_door_chance = 30;
    g.doorway_chance = 50;
    g.secret_doorway_chance = 5;
    g.secret_door.count = 1;
    g.secret_door.sides = 10;
    g.secret_door.bonus = 5;
    g.area_size.count = 2;
    g.area_size.sides = 4;
    g.area_size.bonus = 3;
}

double thread_cpu_ms() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// Wall-clock times per level, and the thread's CPU time per level beside them (the CPU
// figures stay meaningful on a busy machine).
void BM_create_level_128(benchmark::State& bench) {
    std::vector<double> times, cpu_times;
    for (auto _ : bench) {
        times.clear();
        cpu_times.clear();
        for (uint32_t seed = 1; seed <= 200; ++seed) {
            make_bench_level();
            clear_quit_request();
            random_seed = seed * 2654435761u;
            const double cpu_start = thread_cpu_ms();
            const auto start = std::chrono::steady_clock::now();
            create_level(1);
            const auto end = std::chrono::steady_clock::now();
            cpu_times.push_back(thread_cpu_ms() - cpu_start);
            if (quit_requested()) bench.SkipWithError("create_level failed");
            times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
    }
    std::sort(times.begin(), times.end());
    bench.counters["median_ms"] = (times[99] + times[100]) / 2;
    bench.counters["slowest_ms"] = times.back();
    bench.counters["fastest_ms"] = times.front();
    std::sort(cpu_times.begin(), cpu_times.end());
    bench.counters["cpu_median_ms"] = (cpu_times[99] + cpu_times[100]) / 2;
    bench.counters["cpu_slowest_ms"] = cpu_times.back();
}
BENCHMARK(BM_create_level_128)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dravok
