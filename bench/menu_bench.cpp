// The front door: the program's start-up from the creation handler to the first main-menu frame
// (the start-up timer's 20 ms wait not counted), the memory the program holds idling there, and
// drawing the main and the settings menu on a 1920 x 1080 screen.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/runtime.h"
#include "platform/timers.h"
#include "platform/window.h"
#include "ui/draw.h"
#include "ui/game_window.h"
#include "ui/graphics.h"
#include "ui/menu_screen.h"
#include "ui/menus.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/menu_model.h"
#include "world/state.h"
#include "world/world_lifecycle.h"

namespace dravok {
namespace {

namespace fs = std::filesystem;

ManualClock bench_clock;

// A program folder with the game's own Data/; false when the build has not made it.
bool prepare_folder() {
    const fs::path dir = fs::temp_directory_path() / "dravok-menu-bench";
    fs::create_directories(dir / "Data");
    for (const char* file : {"Dravok.dbs", "Dravok.dti", "Dravok.dts"}) {
        const fs::path from = fs::path(DRAVOK_DATA_DIR) / file;
        if (!fs::exists(from)) return false;
        fs::copy_file(from, dir / "Data" / file, fs::copy_options::overwrite_existing);
    }
    set_program_folder(dir.string() + "/");
    set_clock(&bench_clock);
    return init_platform_video();
}

bool start_game() {
    clear_quit_request();
    state = tstate{};
    if (!create_game_window() || !form_create()) return false;
    form_show();
    bench_clock.advance(25);
    run_due_timers();
    return game_mode == mode_menu;
}

void stop_game() {
    destroy_all_timers();
    game_window.close();
    free_graphics();
    free_world();
}

void BM_start_to_main_menu(benchmark::State& bench) {
    if (!prepare_folder()) return bench.SkipWithError("no Data/");
    // One start first, untimed: the figure is the warm start, whether or not benchmarks before
    // this one have already opened the fonts and the video driver.
    for (int warm = 0; warm < 3; ++warm) {
        if (!start_game()) return bench.SkipWithError("the main menu did not open");
        stop_game();
    }
    for (auto _ : bench) {
        if (!start_game()) return bench.SkipWithError("the main menu did not open");
        bench.PauseTiming();
        stop_game();
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_start_to_main_menu)->Unit(benchmark::kMillisecond)->Iterations(5);

// Resident memory of this process in MiB, from the kernel's own account.
double resident_mib() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kib = 0;
            status >> kib;
            return kib / 1024;
        }
        status.ignore(1 << 10, '\n');
    }
    return 0;
}

// The program idling at its first main menu (run alone: --benchmark_filter=idle_memory); the video
// driver is SDL_VIDEODRIVER's.
void BM_idle_memory_at_main_menu(benchmark::State& bench) {
    if (!prepare_folder()) return bench.SkipWithError("no Data/");
    if (!start_game()) return bench.SkipWithError("the main menu did not open");
    for (auto _ : bench)
        benchmark::DoNotOptimize(game_mode);
    bench.counters["resident_mib"] = resident_mib();
    stop_game();
}
BENCHMARK(BM_idle_memory_at_main_menu)->Iterations(1);

void draw_menu_at_1920x1080(benchmark::State& bench, int id) {
    if (!prepare_folder() || !start_game()) return bench.SkipWithError("the main menu did not open");
    screen_bitmap.set_size(1920, 1080);
    setup_menu(id);
    for (auto _ : bench) {
        draw_menu();
        benchmark::DoNotOptimize(screen_bitmap.pixel(0, 0));
    }
    stop_game();
}

void BM_draw_main_menu_1920x1080(benchmark::State& bench) {
    draw_menu_at_1920x1080(bench, menu_main);
}
BENCHMARK(BM_draw_main_menu_1920x1080)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_draw_settings_menu_1920x1080(benchmark::State& bench) {
    draw_menu_at_1920x1080(bench, menu_settings);
}
BENCHMARK(BM_draw_settings_menu_1920x1080)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace dravok
