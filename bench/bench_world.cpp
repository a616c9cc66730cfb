#include "bench_world.h"

#include <filesystem>
#include <string>

#include <unistd.h>

#include "ai/light.h"
#include "ai/sight.h"
#include "platform/files.h"
#include "records/layout_game.h"
#include "records/layout_item.h"
#include "records/layout_level.h"
#include "records/layout_parts.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "support/built_figures.h"
#include "world/being.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/error_log.h"
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
#include "world/world_lifecycle.h"

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

bool prepare_level_world() {
    static const std::string folder =
        (std::filesystem::temp_directory_path() / ("dravok_levels_bench_" + std::to_string(::getpid())))
            .string() +
        "/";
    std::filesystem::create_directories(folder);
    set_program_folder(folder);
    clear_quit_request();
    if (!load_database_from(std::string(DRAVOK_DATA_DIR) + "/Dravok.dbs")) return false;
    if (!load_built_sprite_figures()) return false;
    free_beings();
    allocate_world();
    // A fresh program's game, run state and light, whatever benchmark ran before: the rounds
    // after an arrival read the mode, and the lights of an earlier level would be traced again.
    reset_world();
    state = tstate{};
    game_mode = mode_main;
    clear_light_maps();
    build_ray_endpoints();
    build_sight_rays();
    return true;
}

} // namespace dravok
