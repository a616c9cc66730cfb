// Drawing one main-mode frame (map layer, threat arrows, creature layer, panels, composition)
// of a generated 128 x 128 level with 200 creatures and 300 items, at the default layout and
// with the largest view of a 1920 x 1080 screen in full screen. Run under a 1920 x 1080 X
// display (xvfb-run -s "-screen 0 1920x1080x24") for the full-screen figure.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "generation/level_creation.h"
#include "platform/files.h"
#include "platform/runtime.h"
#include "platform/window.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_item.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "records/layout_plans.h"
#include "support/test_level.h"
#include "ui/draw.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/lister.h"
#include "ui/lister_drawing.h"
#include "ui/lister_model.h"
#include "ui/tileset.h"
#include "world/being_arrays.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/level_items.h"
#include "world/light_map.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/settings_record.h"
#include "world/sight_records.h"
#include "world/tables.h"
#include "world/view_memory.h"
#include "world/world_lifecycle.h"

namespace dravok {
namespace {

namespace fs = std::filesystem;
constexpr int bench_creatures = 200, bench_items = 300;

// The benchmarks' level, without secret doors or spawn dice.
void make_bench_level() {
    template_options o = bench_template();
    o.secret_doors = false;
    o.spawns = false;
    make_test_level(o);
}

uint16_t shaded(int category, uint16_t image, int light) {
    const int run = category <= 2 ? light + 1 : std::max(1, light);
    return uint16_t(image + tileset_header.variant_offset(category, run));
}

// The world once: tile set, level, player, creatures, items, and the view with light.
bool prepare_world() {
    static int ready = 0;
    if (ready) return ready > 0;
    ready = -1;
    const fs::path dir = fs::temp_directory_path() / "dravok-draw-bench";
    fs::create_directories(dir / "Data");
    const fs::path builder = fs::path(DRAVOK_DATA_DIR) / ".." / ".." / "tools" / "tilebuild" / "tilebuild";
    const std::string command =
        "'" + builder.string() + "' --out '" + (dir / "Data").string() + "' --counts 8 8 1";
    if (std::system(command.c_str()) != 0) return false;
    set_program_folder(dir.string() + "/");
    if (!init_platform_video()) return false;
    being_plans.assign(9, tbeing_plan{});
    item_plans.assign(9, titem_plan{});
    talents.assign(2, ttalent{});
    default_settings();
    settings.coin_plan = 1;
    create_graphics();
    apply_layout();
    if (!load_tileset()) return false;

    make_bench_level();
    random_seed = 20261209;
    create_level(1);
    if (quit_requested()) return false;
    allocate_world();
    grow_being_arrays(bench_creatures);
    clear_being_arrays();
    // The player near the middle, then creatures and items on the floor cells round it.
    int n = 0, items = 0;
    for (int r = 0; r < 64 && (n <= bench_creatures || items < bench_items); ++r)
        for (int dx = -r; dx <= r; ++dx)
            for (int dy = -r; dy <= r; ++dy) {
                if (std::max(std::abs(dx), std::abs(dy)) != r) continue;
                const int x = 64 + dx, y = 64 + dy;
                if (x < 1 || y < 1 || x > 128 || y > 128) continue;
                tcell& c = map_cells(x, y);
                if (c.block <= 40 || c.furniture || c.being) continue;
                if (n <= bench_creatures && (n == 0 || (x + y) % 3 == 0)) {
                    tbeing& b = beings[++n];
                    b = blank_being;
                    b.serial = n;
                    b.plan = uint16_t(1 + n % 8);
                    b.x = uint8_t(x);
                    b.y = uint8_t(y);
                    b.width = b.height = 1;
                    b.health = 10;
                    b.health_max = 20;
                    b.attitude_to_player = int16_t(n == 1 ? 0 : -30);
                    c.being = uint16_t(n);
                } else if (items < bench_items) {
                    ++items;
                    level_items[items] = blank_item;
                    level_items[items].plan = uint16_t(1 + items % 8);
                    c.top_item = uint16_t(items);
                    c.loose_items = items % 4 == 0 ? 2 : 1;
                }
            }
    player = player_character = 1;
    game_mode = mode_main;
    const int px = beings[1].x, py = beings[1].y;
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y) {
            tcell& c = map_cells(x, y);
            const double d = std::hypot(x - px, y - py);
            const int light = d <= 6 ? 3 : d <= 12 ? 2 : d <= 24 ? 1 : 0;
            light_map.light(x, y) = uint8_t(light);
            c.remembered_terrain() = sprite_categories[1][c.block].first_image;
            c.explored = 1;
            if (light == 0) continue;
            tview_cell& m = view_memory(x, y);
            m.terrain = shaded(1, c.remembered_terrain(), light);
            if (c.furniture && sprite_categories[2][c.furniture].first_image) {
                c.remembered_furniture() =
                    uint16_t(sprite_categories[2][c.furniture].first_image + c.furniture_state);
                m.furniture = shaded(2, c.remembered_furniture(), light);
            }
            if (c.being) {
                m.being = shaded(6, sprite_categories[6][beings[c.being].plan].first_image, light);
                sight_matrix[1][c.being] = 1;
                // Most creatures in view see the player too; one in ten is unaware (a "?").
                if (c.being % 10 != 0) sight_matrix[c.being][1] = 1;
            }
            if (c.top_item)
                m.item = shaded(7, sprite_categories[7][level_items[c.top_item].plan].first_image, light);
        }
    ready = 1;
    return true;
}

void draw_frames(benchmark::State& bench) {
    for (auto _ : bench) {
        draw_screen();
        benchmark::DoNotOptimize(screen_bitmap.pixel(0, 0));
    }
    bench.counters["view_w"] = settings.view_width;
    bench.counters["view_h"] = settings.view_height;
    bench.counters["frame_w"] = screen_bitmap.width();
    bench.counters["frame_h"] = screen_bitmap.height();
}

void BM_draw_main_frame_default_layout(benchmark::State& bench) {
    if (!prepare_world()) return bench.SkipWithError("no tile set or level");
    settings.fullscreen = 0;
    settings.view_width_32 = 23;
    settings.view_height_32 = 17;
    apply_layout();
    draw_frames(bench);
}
BENCHMARK(BM_draw_main_frame_default_layout)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_draw_main_frame_1920x1080_fullscreen(benchmark::State& bench) {
    if (!prepare_world()) return bench.SkipWithError("no tile set or level");
    const Rect m = monitor_bounds(0);
    if (m.width() < 1920 || m.height() < 1080) return bench.SkipWithError("needs a 1920 x 1080 display");
    settings.fullscreen = 1;
    settings.view_width_32 = 999; // the largest view the screen holds
    settings.view_height_32 = 999;
    apply_layout();
    draw_frames(bench);
}
BENCHMARK(BM_draw_main_frame_1920x1080_fullscreen)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The message log full and a few statuses, so every panel of the frame has something to draw.
void fill_panels() {
    static bool filled = false;
    if (filled) return;
    filled = true;
    for (int i = 0; i < 20; ++i)
        add_message("You hit the $Fgoblin$B for " + std::to_string(i) +
                    " damage. Press [[ ENTER ]] to wait.");
    beings[1].status_of(st_poisoned) = 1;
    beings[1].status_of(st_regenerating_health) = 1;
    beings[1].status_of(st_increased_motion) = 1;
}

void BM_draw_main_frame_with_panels_1920x1080(benchmark::State& bench) {
    if (!prepare_world()) return bench.SkipWithError("no tile set or level");
    const Rect m = monitor_bounds(0);
    if (m.width() < 1920 || m.height() < 1080) return bench.SkipWithError("needs a 1920 x 1080 display");
    fill_panels();
    settings.fullscreen = 1;
    settings.view_width_32 = 999;
    settings.view_height_32 = 999;
    apply_layout();
    draw_frames(bench);
}
BENCHMARK(BM_draw_main_frame_with_panels_1920x1080)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The inventory screen with a backpack of 200 items beside the equipment.
void BM_draw_list_screen_200_rows(benchmark::State& bench) {
    if (!prepare_world()) return bench.SkipWithError("no tile set or level");
    settings.fullscreen = 0;
    settings.view_width_32 = 23;
    settings.view_height_32 = 17;
    apply_layout();
    being_items[1].assign(1, blank_item);
    for (int i = 1; i <= 200; ++i) {
        titem it = blank_item;
        it.plan = uint16_t(1 + i % 8);
        it.serial = i;
        it.amount = 1 + i % 3;
        it.name = "item number " + std::to_string(i);
        it.flags[1 + i % 9] = 1;
        it.icon = uint16_t(1 + i % 8);
        being_items[1].push_back(it);
    }
    reset_lister();
    initialize_inventory(1, 0, list_equipment, list_backpack, 2, false);
    int rows = lister.panes[2].row_count();
    for (auto _ : bench) {
        draw_inventory_screen();
        benchmark::DoNotOptimize(screen_bitmap.pixel(0, 0));
    }
    bench.counters["rows"] = rows;
    game_mode = mode_main;
}
BENCHMARK(BM_draw_list_screen_200_rows)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace dravok
