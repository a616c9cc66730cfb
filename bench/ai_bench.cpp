// The creatures' side of a round on a 128 x 128 level of 64 lit rooms (and on open floor): one
// round of the scheduler with 200 awake creatures that look, walk and fight every turn, and its
// parts: one sight pass, one rebuild of the light map, and path searches across the level.
#include <benchmark/benchmark.h>

#include "bench_world.h"

#include "ai/decision.h"
#include "ai/light.h"
#include "ai/paths.h"
#include "ai/sight.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "rules/scheduler.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {
namespace {

constexpr int room = 16; // 8 x 8 rooms of 15 x 15 cells with a wall between and doorways

void set_up_level(int creatures, bool open_floor = false) {
    reset_bench_world(creatures + 50);
    areas.assign(66, blank_area);
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y) {
            tcell& c = cell_at(x, y);
            const bool wall =
                x % room == 0 || y % room == 0 || x == 1 || y == 1 || x == map_size || y == map_size;
            const bool door =
                (x % room == 8 || y % room == 8) && x > 1 && y > 1 && x < map_size && y < map_size;
            const bool border = x == 1 || y == 1 || x == map_size || y == map_size;
            c.block = (open_floor ? border : wall && !door) ? 1 : 41;
            c.area = uint8_t(1 + (x - 1) / room * 8 + (y - 1) / room);
        }
    for (auto& a : areas)
        a.exit_cells = 4;
    for (int rx = 0; rx < 8; ++rx)
        for (int ry = 0; ry < 8; ++ry)
            cell_at(rx * room + 4, ry * room + 4).furniture = fu_light_campfire;
    being_plans[1].attitude_presets[0] = {uint16_t(tf_player), -50};
    being_plans[1].attitude_presets[1] = {uint16_t(tf_same_plan), 20};

    tbeing b = blank_being;
    b.name = "hero";
    b.serial = int32_t(++game.being_serial);
    b.width = b.height = 1;
    b.commanded = 1;
    b.type_flags[tf_player] = 1;
    b.light_radius = 3;
    player = player_character = add_being_to_level(64, 64, b, 1, 0);
    game.player_serial = uint32_t(b.serial);
    beings[player].next_action_time = 15;
    b = blank_being;
    b.name = "goblin";
    b.width = b.height = 1;
    b.plan = 1;
    b.dark_vision = 2;
    b.health = b.health_max = 10;
    for (int i = 0; i < creatures; ++i) {
        b.serial = int32_t(++game.being_serial);
        const int x = 3 + (i * 37) % 122, y = 3 + (i * 53) % 122;
        if (cell_at(x, y).block < 41 || cell_at(x, y).being != 0) continue;
        const int index = add_being_to_level(x, y, b, 1, 0);
        if (index > 0) beings[index].next_action_time = uint32_t(1 + i % 14);
    }
}

void BM_AiRound(benchmark::State& bench) {
    const int creatures = int(bench.range(0));
    set_up_level(creatures);
    for (auto _ : bench) {
        update_lights(); // as the frame drawing does before each key
        handle_rounds();
        beings[player].next_action_time = game.game_clock + 15; // the player waits a round
    }
    bench.SetItemsProcessed(bench.iterations() * creatures);
    state.log_muted = 0;
}
BENCHMARK(BM_AiRound)->Arg(200)->Unit(benchmark::kMicrosecond);

// Open floor: every creature sees far and has a way to everyone, the worst case for a round.
void BM_AiRoundOpenFloor(benchmark::State& bench) {
    set_up_level(200, true);
    for (auto _ : bench) {
        update_lights();
        handle_rounds();
        beings[player].next_action_time = game.game_clock + 15;
    }
    state.log_muted = 0;
}
BENCHMARK(BM_AiRoundOpenFloor)->Unit(benchmark::kMicrosecond);

// The player's travel across the whole explored level, corner room to corner room: the
// breadth-first search without a limit reaches nearly every cell.
void BM_PathfindFullLevel(benchmark::State& bench) {
    set_up_level(0);
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y)
            cell_at(x, y).explored = 1;
    place_being(player, 3, 3, 1);
    bool found = true;
    for (auto _ : bench)
        found = pathfind(player, 125, 125, false, false, purpose_travel) && found;
    if (!found) bench.SkipWithError("no path");
}
BENCHMARK(BM_PathfindFullLevel)->Unit(benchmark::kMicrosecond);

// A creature's walk across the level through the doorways (best-first, limited by distance).
void BM_PathfindCreature(benchmark::State& bench) {
    set_up_level(1);
    const int walker = 2;
    place_being(walker, 3, 3, 1);
    bool found = true;
    for (auto _ : bench)
        found = pathfind(walker, 120, 118, false, false, purpose_wander) && found;
    if (!found) bench.SkipWithError("no path");
}
BENCHMARK(BM_PathfindCreature)->Unit(benchmark::kMicrosecond);

void BM_SightPass(benchmark::State& bench) {
    set_up_level(200);
    update_lights();
    const int viewer = 2;
    for (auto _ : bench)
        ai_line_of_sight(viewer, beings[viewer].x, beings[viewer].y);
}
BENCHMARK(BM_SightPass)->Unit(benchmark::kMicrosecond);

void BM_UpdateLights(benchmark::State& bench) {
    set_up_level(200);
    for (auto _ : bench)
        update_lights();
}
BENCHMARK(BM_UpdateLights)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace dravok
