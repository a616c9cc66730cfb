// Saving and loading a game of ten visited levels on the built database: the save written whole
// (main part, ten level files, summary and history) and loaded back (checked, level files
// restored, the level entered). Figures are medians and the slowest in milliseconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "ai/sight.h"
#include "platform/files.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "rules/being_creation.h"
#include "rules/level_files.h"
#include "rules/level_setup.h"
#include "rules/save_game.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/random.h"
#include "world/tables.h"
#include "world/world_lifecycle.h"

namespace dravok {
namespace {

constexpr int visited_levels = 10;
constexpr int rounds = 20;

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double ms_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void enter(int index) {
    game.target_level = uint16_t(index);
    game.current_level = 0;
    setup_level(1);
}

// Levels 10..1 created and left behind, the character standing on level 1.
bool prepare_game() {
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("dravok_saves_bench_" + std::to_string(::getpid())))
            .string() +
        "/";
    std::filesystem::create_directories(folder + "Save");
    set_program_folder(folder);
    clear_quit_request();
    if (!load_database_from(std::string(DRAVOK_DATA_DIR) + "/Dravok.dbs")) return false;
    if (int(levels.size()) <= visited_levels) return false;
    free_beings();
    allocate_world();
    reset_table_run_fields();
    build_ray_endpoints();
    build_sight_rays();
    random_seed = 12345;
    for (int index = visited_levels; index >= 2; --index) {
        enter(index);
        update_level(1);
        if (!save_level()) return false;
    }
    enter(1);
    for (int x = 2; x < map_size; ++x)
        for (int y = 2; y < map_size; ++y) {
            if (!is_free_floor(x, y, 1, 1, 0, 0, 1)) continue;
            tbeing b = blank_being;
            b.serial = int32_t(++game.being_serial);
            b.name = "Bench";
            b.width = b.height = 1;
            b.health = b.health_max = 10;
            b.type_flags[tf_player] = 1;
            const int hero = add_being_to_level(x, y, b, 1, 0);
            game.player_serial = uint32_t(beings[hero].serial);
            player = player_character = hero;
            return arrive_at_level(1) && !quit_requested();
        }
    return false;
}

void BM_save_and_load_ten_levels(benchmark::State& bench) {
    if (!prepare_game()) {
        bench.SkipWithError("no database with ten levels");
        return;
    }
    std::vector<double> saves, loads;
    for (auto _ : bench) {
        for (int r = 0; r < rounds; ++r) {
            auto start = std::chrono::steady_clock::now();
            const bool saved = save_game();
            saves.push_back(ms_since(start));
            start = std::chrono::steady_clock::now();
            const bool loaded = load_game("Bench");
            loads.push_back(ms_since(start));
            if (!saved || !loaded) {
                bench.SkipWithError("the round trip failed");
                return;
            }
        }
    }
    bench.counters["save_median_ms"] = median(saves);
    bench.counters["save_slowest_ms"] = *std::max_element(saves.begin(), saves.end());
    bench.counters["load_median_ms"] = median(loads);
    bench.counters["load_slowest_ms"] = *std::max_element(loads.begin(), loads.end());
}
BENCHMARK(BM_save_and_load_ten_levels)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dravok
