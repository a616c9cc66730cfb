// Level creation on a 128 x 128 rooms-and-corridors level: time per level over 200 seeds,
// reported as the median and the slowest in milliseconds.
#include <benchmark/benchmark.h>

#include "bench_world.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include <time.h>

#include "generation/level_creation.h"
#include "records/layout_level.h"
#include "rules/being_creation.h"
#include "support/test_level.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/map.h"
#include "world/random.h"
#include "world/rounding.h"

namespace dravok {
namespace {

void make_bench_level() {
    make_test_level(bench_template());
}

double thread_cpu_ms() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// Wall-clock times per level, and the thread's CPU time per level beside them (the CPU
// figures stay meaningful on a busy machine).
void BM_create_level_128(benchmark::State& bench) {
    // The database loaded, as the game always has it: whether an earlier benchmark loaded it
    // would otherwise change the levels made.
    if (!prepare_level_world()) return bench.SkipWithError("no database");
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
