// Levels as the game runs them: creating every level template of the built database over 200
// seeds with the world allocated as the game allocates it, a 128 x 128 template on its own, and
// going down a portal and back (level file written, the other level created or loaded, arrival).
// Figures are medians and the slowest in milliseconds.
#include <benchmark/benchmark.h>

#include "bench_world.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <time.h>
#include <unistd.h>

#include "ai/light.h"
#include "ai/sight.h"
#include "generation/level_creation.h"
#include "platform/files.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "rules/interactions.h"
#include "rules/level_files.h"
#include "rules/level_setup.h"
#include "ui/tileset.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/item_record.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/random.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/world_lifecycle.h"

namespace dravok {
namespace {

constexpr int seeds = 200;

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The thread's CPU time: meaningful on a machine busy with other work.
double thread_cpu_ms() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

double ms_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void report(benchmark::State& bench, const std::vector<double>& times, const std::vector<double>& cpu) {
    bench.counters["median_ms"] = median(times);
    bench.counters["slowest_ms"] = *std::max_element(times.begin(), times.end());
    bench.counters["cpu_median_ms"] = median(cpu);
    bench.counters["cpu_slowest_ms"] = *std::max_element(cpu.begin(), cpu.end());
    bench.counters["levels"] = double(times.size());
}

// Every level template of the database, 200 seeds each, created as the game creates a level.
void BM_create_every_template(benchmark::State& bench) {
    if (!prepare_level_world()) {
        bench.SkipWithError("no database");
        return;
    }
    std::vector<double> times, cpu;
    for (auto _ : bench) {
        times.clear();
        cpu.clear();
        for (int i = 1; i < int(levels.size()); ++i)
            for (uint32_t seed = 1; seed <= seeds; ++seed) {
                level = levels[i];
                map_size = level.map_size;
                random_seed = seed * 2654435761u;
                const double cpu_start = thread_cpu_ms();
                const auto start = std::chrono::steady_clock::now();
                create_level(1);
                times.push_back(ms_since(start));
                cpu.push_back(thread_cpu_ms() - cpu_start);
                if (quit_requested()) bench.SkipWithError("create_level failed");
            }
    }
    report(bench, times, cpu);
}
BENCHMARK(BM_create_every_template)->Iterations(1)->Unit(benchmark::kMillisecond);

// The database's largest template made 128 x 128.
void BM_create_template_128(benchmark::State& bench) {
    if (!prepare_level_world()) {
        bench.SkipWithError("no database");
        return;
    }
    int pick = 1;
    for (int i = 1; i < int(levels.size()); ++i)
        if (levels[i].map_size > levels[pick].map_size) pick = i;
    std::vector<double> times, cpu;
    for (auto _ : bench) {
        times.clear();
        cpu.clear();
        for (uint32_t seed = 1; seed <= seeds; ++seed) {
            level = levels[pick];
            level.map_size = max_map_size;
            map_size = max_map_size;
            random_seed = seed * 2654435761u;
            const double cpu_start = thread_cpu_ms();
            const auto start = std::chrono::steady_clock::now();
            create_level(1);
            times.push_back(ms_since(start));
            cpu.push_back(thread_cpu_ms() - cpu_start);
            if (quit_requested()) bench.SkipWithError("create_level failed");
        }
    }
    report(bench, times, cpu);
}
BENCHMARK(BM_create_template_128)->Iterations(1)->Unit(benchmark::kMillisecond);

// A floor cell with a free neighbour; the neighbour's direction.
bool floor_with_neighbour(int& x, int& y, int& direction) {
    for (x = 2; x < map_size; ++x)
        for (y = 2; y < map_size; ++y) {
            if (!is_free_floor(x, y, 1, 1, 0, 0, 1)) continue;
            for (direction = 1; direction <= 8; ++direction)
                if (is_free_floor(x + direction_steps[direction].dx, y + direction_steps[direction].dy, 1, 1,
                                  0, 0, 1))
                    return true;
        }
    return false;
}

// Stairs between two 88 x 88 levels, the player beside them; each way timed: the level file
// written, the other level created (first time) or loaded, the arrival.
void BM_portal_down_and_back(benchmark::State& bench) {
    if (!prepare_level_world()) {
        bench.SkipWithError("no database");
        return;
    }
    constexpr int size = 88;
    // Two portals of the database that lead to each other, their levels made 88 x 88.
    int down = 0, up = 0;
    for (int p = 1; p < int(portals.size()) && down == 0; ++p) {
        const int d = portals[p].destination;
        if (d > 0 && d < int(portals.size()) && portals[d].destination == p &&
            portals[d].level != portals[p].level && portals[p].level != 0)
            down = p, up = d;
    }
    if (down == 0) {
        bench.SkipWithError("no pair of portals");
        return;
    }
    const int first = portals[down].level, second = portals[up].level;
    levels[first].map_size = levels[second].map_size = size;

    // Both levels made and written, with their stairs placed where the generator would.
    int x = 0, y = 0, direction = 0;
    for (int index : {second, first}) {
        game.target_level = uint16_t(index);
        game.current_level = 0;
        setup_level(1);
        if (!floor_with_neighbour(x, y, direction)) {
            bench.SkipWithError("no floor");
            return;
        }
        const int p = index == first ? down : up;
        const int sx = x + direction_steps[direction].dx, sy = y + direction_steps[direction].dy;
        add_furniture(sx, sy, portals[p].request.object_id, 1);
        portals[p].x = uint8_t(sx);
        portals[p].y = uint8_t(sy);
        update_level(1);
        save_level();
    }
    game.target_level = uint16_t(first);
    game.current_level = 0;
    setup_level(1);
    tbeing hero = blank_being;
    hero.serial = int32_t(++game.being_serial);
    hero.name = "hero";
    hero.width = hero.height = 1;
    hero.type_flags[tf_player] = 1;
    hero.commanded = 1;
    hero.health = hero.health_max = 10;
    game.player_serial = uint32_t(hero.serial);
    add_being_to_level(x, y, hero, 1, 0);
    arrive_at_level(1);

    auto take_stairs = [&](int portal) {
        int d = 0;
        for (int k = 1; k <= 8 && d == 0; ++k)
            if (beings[player].x + direction_steps[k].dx == portals[portal].x &&
                beings[player].y + direction_steps[k].dy == portals[portal].y)
                d = k;
        const double cpu_start = thread_cpu_ms();
        handle_portal(player, d, 1);
        return thread_cpu_ms() - cpu_start;
    };
    std::vector<double> downs, backs;
    for (auto _ : bench) {
        downs.push_back(take_stairs(down));
        if (quit_requested() || player == 0) {
            bench.SkipWithError("the way down failed");
            return;
        }
        backs.push_back(take_stairs(up));
        if (quit_requested() || player == 0) {
            bench.SkipWithError("the way back failed");
            return;
        }
    }
    bench.counters["cpu_down_median_ms"] = median(downs);
    bench.counters["cpu_back_median_ms"] = median(backs);
    bench.counters["cpu_slowest_ms"] = std::max(*std::max_element(downs.begin(), downs.end()),
                                                *std::max_element(backs.begin(), backs.end()));
}
BENCHMARK(BM_portal_down_and_back)->Iterations(50)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dravok
