#include "bench_world.h"

#include "ai/light.h"
#include "ai/sight.h"
#include "records/layout_game.h"
#include "records/layout_item.h"
#include "records/layout_level.h"
#include "records/layout_parts.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "world/being.h"
#include "world/blank_records.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {

void reset_bench_world(int being_slots) {
    // The game builds the sight tables at its start; a benchmark without them would time
    // creatures that see nothing.
    build_ray_endpoints();
    build_sight_rays();
    map_size = max_map_size;
    map_cells.fill(blank_cell);
    map_effect_grid.fill(blank_map_effect_cell);
    areas.assign(1, blank_area);
    level = tlevel{};
    // Items, lasting effects and the light of a level an earlier benchmark made would be
    // rounds' work and sights here: the creatures of the last one would see by its light.
    level_items.assign(initial_level_items, blank_item);
    duration_effects.assign(initial_duration_effects, effect_template);
    clear_static_lights();
    clear_light_maps();
    hostile_grid.fill(0);
    feared_grid.fill(0);
    sight_scratch.fill(0);
    game = tgame{};
    free_beings();
    grow_beings(being_slots);
    state = tstate{};
    state.initialised = 1;
    state.log_muted = 1;
    game_mode = mode_main;
    player = player_character = 0;
    random_seed = 12345;
    being_plans.assign(2, tbeing_plan{});
}

} // namespace dravok
