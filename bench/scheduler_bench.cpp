// One round of the scheduler: 200 creatures that only wait each take their turn once, then
// the player's being is due again and the loop hands back to the keyboard.
#include <benchmark/benchmark.h>

#include "bench_world.h"

#include <algorithm>

#include "platform/desktop.h"
#include "platform/events.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/scheduler.h"
#include "ui/draw.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/player.h"

namespace dravok {
namespace {

void set_up_level(int creatures) {
    reset_bench_world(creatures + 50);
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y)
            cell_at(x, y).block = 41;
    tbeing b = blank_being;
    b.name = "hero";
    b.serial = int32_t(++game.being_serial);
    b.width = b.height = 1;
    b.commanded = 1;
    b.next_action_time = 15;
    player = player_character = add_being_to_level(2, 2, b, 1, 0);
    beings[player].next_action_time = 15;
    b.name = "rat";
    b.commanded = 0;
    for (int i = 0; i < creatures; ++i) {
        b.serial = int32_t(++game.being_serial);
        b.next_action_time = uint32_t(1 + i % 14); // all due within the round before the player
        const int index = add_being_to_level(3 + i % 120, 3 + i / 120, b, 1, 0);
        beings[index].next_action_time = b.next_action_time;
    }
}

void BM_SchedulerRound(benchmark::State& bench) {
    const int creatures = int(bench.range(0));
    set_up_level(creatures);
    for (auto _ : bench) {
        handle_rounds();
        // The player waits a round, so the next call is the next round.
        beings[player].next_action_time = game.game_clock + 15;
    }
    bench.SetItemsProcessed(bench.iterations() * creatures);
}
BENCHMARK(BM_SchedulerRound)->Arg(200)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace dravok
