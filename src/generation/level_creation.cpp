#include "generation/level_creation.h"

#include <algorithm>

#include <cstdio>

#include "generation/area_texts.h"
#include "generation/areas.h"
#include "generation/contents.h"
#include "generation/dig.h"
#include "generation/finishing.h"
#include "generation/grids.h"
#include "generation/marks.h"
#include "generation/portals.h"
#include "generation/stuff.h"
#include "generation/vault_templates.h"
#include "platform/clock.h"
#include "records/layout_dice.h"
#include "records/layout_game.h"
#include "records/layout_item.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "records/layout_parts.h"
#include "records/layout_plans.h"
#include "world/being_arrays.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/level_areas.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/random.h"
#include "world/rounding.h"
#include "world/services.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {

int last_creation_attempts = 0;

namespace {

// Local date and time as a day count from 1899-12-30, the form the level record stores, to the
// second. Read through the program's clock, which tests hold still.
double local_date_time() {
    DateTime now = local_now();
    now.millisecond = 0;
    return datetime_value(now);
}

std::string format(const char* pattern, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

// An empty pair list would hand block kind 0 to every wall and floor.
bool has_block_pairs(int depth) {
    for (const tblock_pairs* list : {&level.natural_pairs, &level.dressing_pairs}) {
        if (list->count == 0) {
            error_log(depth, format("Level %d has no block pairs!", static_cast<int>(level.index)), true);
            return false;
        }
    }
    return true;
}

// Draws the natural and the dressing block pair the level is built from.
void choose_blocks() {
    const int i = random(level.natural_pairs.count) + 1;
    level.generator.filler_block = level.natural_pairs.pairs[i - 1].x;
    level.generator.natural_floor_block = level.natural_pairs.pairs[i - 1].y;
    const int j = random(level.dressing_pairs.count) + 1;
    level.generator.wall_block = level.dressing_pairs.pairs[j - 1].x;
    level.generator.floor_block = level.dressing_pairs.pairs[j - 1].y;
}

// Empties the level's items and beings and the counts of what was made on the last level.
void reset_level_records() {
    for (titem& item : level_items)
        item = blank_item;
    for (std::size_t p = 1; p < item_plans.size(); ++p)
        item_plans[p].created_on_level = 0;
    clear_being_arrays();
    for (std::size_t p = 1; p < being_plans.size(); ++p)
        being_plans[p].created_on_level = 0;
    rank_content_templates(0, true);
    // Splash variants avoid the last one picked; a new level starts from none.
    std::fill(std::begin(splash_last_image), std::end(splash_last_image), 0);
}

// Judges a dug attempt: every forced area built and enough areas made, else says why not.
bool attempt_succeeded(int attempt, std::string& message) {
    const int slot = first_pending_force_area();
    if (slot >= 1) {
        const int kind = dungeon.forced_kind[slot - 1];
        std::string name;
        area_kind_name(kind, 0, name);
        message = format("Could not create all force areas on level-index %d with seed %d! Stuck on "
                         "creating area %d: %s.",
                         static_cast<int>(level.index), static_cast<int>(level.seed), kind, name.c_str());
        // From attempt 900 on, a kind that cannot be built is given up.
        if (attempt >= 900)
            for (uint16_t& forced : level.generator.forced_kind)
                if (forced == kind) forced = 0;
        return false;
    }
    const int needed = round_half_even(0.3 * dungeon.dig_steps);
    if (static_cast<int>(dungeon.next_area) < needed) {
        message = format("Too small amount of created areas (%d) on level-index %d with seed %d!",
                         static_cast<int>(dungeon.next_area) - 1, static_cast<int>(level.index),
                         static_cast<int>(level.seed));
        return false;
    }
    return true;
}

// Digs the dungeon afresh until an attempt succeeds, up to 1000 tries or a quit.
bool dig_until_valid(int depth, std::string& message) {
    int attempt = 1;
    bool success = false;
    while (!success && attempt <= 1000) {
        dungeon.dig_step = 0;
        success = true;
        level.seed = random_seed;
        if (attempt > 1) forget_attempt_templates();
        create_dungeon(depth);
        for (int step = 1; step <= dungeon.dig_steps; ++step) {
            if (open_marks.empty() || quit_requested()) break;
            ++dungeon.dig_step;
            dig_dungeon(depth);
        }
        if (quit_requested()) break;
        success = attempt_succeeded(attempt, message);
        ++attempt;
    }
    last_creation_attempts = attempt - 1;
    return success;
}

// Adds the forced contents, themes, portals and stuff; false when a quit cut it short.
bool add_contents(int depth) {
    clear_shape_grid();
    clear_grid(shape_grid);
    update_area_door_states();
    add_forced_contents(depth);
    if (quit_requested()) return false;
    set_level_themes(depth);
    if (quit_requested()) return false;
    set_portals(depth);
    if (quit_requested()) return false;
    add_level_stuff(depth);
    if (quit_requested()) return false;
    return true;
}

// Works out exits and texts, places bones and splashes, and locks furniture and doors.
void settle_areas(int depth) {
    calculate_area_exits();
    update_area_door_states();
    set_area_texts();
    place_bones();
    place_level_item_splashes();
    open_shop_containers();
    find_cell_zone_exits();
    lock_area_furniture(0, dungeon.lock_chance, 11, dungeon.lock, dungeon.lock_value, depth);
    lock_area_furniture(0, 100, 9, dungeon.lock, dungeon.lock_value, depth);
    lock_area_furniture(0, 100, 10, dungeon.lock, dungeon.lock_value, depth);
    if (dungeon.mimic_chance > 0) doors_to_mimics(0, dungeon.mimic_chance, dungeon.mimic, 11, depth);
}

// On the first level, the furniture of the starting content's area starts unlocked.
void unlock_start_area() {
    if (level.index != 1 || level.start_content <= 0) return;
    for (int a = 1; a <= area_high_index(); ++a) {
        const tarea& r = areas[a];
        if (r.content != level.start_content) continue;
        for (int x = r.x1; x <= r.x2; ++x)
            for (int y = r.y1; y <= r.y2; ++y)
                if (is_furniture(x, y, 8, 0, 1)) cell_at(x, y).furniture_state = 0;
        break;
    }
}

// Hides the areas without exits, leaving at least one area not hidden.
void hide_closed_areas() {
    for (int a = 1; a <= area_high_index(); ++a)
        if (areas[a].exit_cells == 0) {
            areas[a].hidden = 1;
            ++level.hidden_areas;
        }
    if (level.hidden_areas == area_high_index()) --level.hidden_areas;
}

} // namespace

void create_level(int depth) {
    depth = trace_enter(depth, trace_create_level);
    state.generating_level = 1;
    level.created_time = game.game_clock;
    level.created_date = local_date_time();

    if (!has_block_pairs(depth)) return;
    choose_blocks();
    reset_level_records();

    std::string message;
    const bool success = dig_until_valid(depth, message);
    if (quit_requested()) return;
    if (!success) {
        error_log(depth, message, true);
        return;
    }
    finalize_dungeon(depth);
    if (quit_requested()) return;
    if (dungeon.next_area == 1) {
        error_log(depth,
                  format("Could not create level! (Level-index %d, seed %d)", static_cast<int>(level.index),
                         static_cast<int>(level.seed)),
                  true);
        return;
    }

    if (!add_contents(depth)) return;
    settle_areas(depth);
    unlock_start_area();
    update_area_door_states();
    for (int a = 1; a <= area_high_index(); ++a)
        dress_area(a);
    place_level_furniture();
    count_special_cells();
    hide_closed_areas();
    dim_area_lights(0, dungeon.dim_chance, depth);
    level.next_spawn = static_cast<uint32_t>(roll_dice(level.spawn_interval) * 15) + game.game_clock;
    services.level_up_recruitable_beings(0, 0, depth);
    services.update_level(depth);
    clear_marks();
    state.generating_level = 0;
}

} // namespace dravok
