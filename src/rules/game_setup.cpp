#include "rules/game_setup.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"

#include <algorithm>

#include "generation/areas.h"
#include "generation/locations.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/character_sheet.h"
#include "rules/level_setup.h"
#include "rules/quickslots.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/player.h"
#include "world/random.h"
#include "world/sprite_lookup.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/world_lifecycle.h"

namespace dravok {

namespace {

constexpr char test_plan[] = "be_debug_player";
constexpr char test_name[] = "Tester";
constexpr int test_health = 300;
constexpr int last_placement_attempt = 1000;
constexpr int start_clock_hour = 12;
constexpr uint32_t start_time = 100;
constexpr int first_level = 1;
// Item wishes: what the player's being picks up by itself from the start.
constexpr int wishes_cleared[] = {10, 59, 60};             // armour, melee and ranged weapons
constexpr int wishes_set[] = {44, 45, 46, 47, 48, 50, 53}; // potions .. figurines, keys, coins

bool has_own_start_request(const tstuff& r) {
    return r.kind != 0 || r.content_required != 0 || is_dice_set(r.count);
}

// The player's own start request of the level, loosened so that it always names a spot.
tstuff level_start_request() {
    tstuff r = level.start_request;
    r.zone = 2;
    r.pattern = 3;
    r.area_choice = 2;
    r.min_exit_cells = 1;
    r.max_exit_cells = 200;
    r.min_cells = 25;
    r.max_cells = 5000;
    r.no_content = 0;
    r.no_being = 1;
    r.width = r.height = 1;
    return r;
}

tstuff general_start_request() {
    tstuff r = blank_stuff;
    r.zone = 2;
    r.pattern = 2;
    r.area_choice = 0;
    r.min_exit_cells = 1;
    r.max_exit_cells = 200;
    r.min_cells = 36;
    r.max_cells = 5000;
    r.no_content = 1;
    r.no_being = 1;
    r.width = r.height = 1;
    return r;
}

bool free_around(int x, int y, int margin) {
    for (int cx = x - margin; cx <= x + margin; ++cx)
        for (int cy = y - margin; cy <= y + margin; ++cy)
            if (on_map(cx, cy) && cell_at(cx, cy).being != 0) return false;
    return true;
}

// Tries ever looser requests until the being stands on the level; its index, or 0.
int place_player(const tbeing& record, int depth) {
    depth = trace_enter(depth, trace_place_player);
    const bool own_request = has_own_start_request(level.start_request);
    tstuff request = general_start_request();
    int margin = 10;
    for (int attempt = 0; attempt <= last_placement_attempt; ++attempt) {
        if (attempt == 0 && own_request) {
            // The level's making leaves areas marked as searched, the start room among them.
            clear_area_marks();
            request = level_start_request();
            margin = 0;
        } else if ((attempt == 0 && !own_request) || (attempt == 1 && own_request)) {
            request = general_start_request();
            margin = 10;
        }
        if (attempt == 100) {
            clear_area_marks();
            request.no_content = 0;
            margin = 7;
        } else if (attempt == 300) {
            clear_area_marks();
            request.area_choice = 2;
            margin = 5;
        } else if (attempt == 999) {
            clear_area_marks();
            margin = 3;
        } else if (attempt == last_placement_attempt) {
            clear_area_marks();
            request.min_exit_cells = 1;
            request.min_cells = 0;
            request.no_being = 0;
            margin = 1;
        }
        request.kind = 10;
        tstuff found;
        find_location(request, depth, found);
        if (found.area == 0 || !is_area_ok(found.area) || areas[found.area].kind == area_corridor) continue;
        found.kind = 4;
        for (int spot = 0; spot < 50; ++spot) {
            tstuff at;
            find_location_spot(found, depth, at);
            if (!on_map(at.result_x, at.result_y, depth) || !free_around(at.result_x, at.result_y, margin))
                continue;
            const int index = add_being_to_level(at.result_x, at.result_y, record, depth, record.plan);
            if (index != 0) return index;
        }
    }
    return 0;
}

// A kept sheet names an image of the tile set it was made under: the same variant of the race's
// images in the set loaded now (the sheet's own image when none is loaded).
uint16_t race_image_now(const tcharacter& sheet) {
    const tsprite_info now = sprite_info(sprites_creature, sheet.race_plan);
    if (now.first_image == 0) return sheet.race_image;
    const int variant = int(sheet.race_image) - int(sheet.race_first_image);
    const int count = std::max<int>(1, now.variants);
    return uint16_t(now.first_image + (variant >= 0 && variant < count ? variant : 0));
}

} // namespace

int create_player(int depth) {
    depth = trace_enter(depth, trace_create_player);
    tbeing record;
    const tcharacter& sheet = edited_character;
    if (sheet.race_plan != 0 && sheet.race_plan < being_plans.size()) {
        create_being(sheet.race_plan, depth, record);
        record.name = sheet.name.view();
        record.title = sheet.name.view();
        record.image = race_image_now(sheet);
        for (int k = 1; k <= ability_count; ++k)
            record.base_ability_of(k) = int8_t(at1(sheet.ability, k));
        for (int k = 1; k <= skill_count; ++k)
            record.base_skill_of(k) = at1(sheet.skill, k);
        for (int t = 1; t <= talent_count && t < int(talents.size()); ++t) {
            if (!sheet.talent(t).chosen) continue;
            record.talent_of(t) = sheet.level;
            if (talents[t].status_of(st_silver_spoon) != 0) record.status_of(st_silver_spoon) = 3;
            if (talents[t].status_of(st_lone_wolf) != 0)
                for (int k = 1; k <= ability_count; ++k)
                    record.base_ability_of(k) = int8_t(record.base_ability_of(k) + 2);
        }
        record.health_base = sheet.base_health;
        record.stamina_base = sheet.base_stamina;
        record.skill_points = sheet.skill_points;
        record.talent_points = sheet.talent_points;
        record.talent_point_counter = sheet.talent_point_counter;
    } else {
        create_being(find_being_plan_by_name(test_plan), depth, record);
        record.name = test_name;
        record.health = record.health_max = test_health;
    }
    if (record.name.empty() || record.serial == -1) return 0;
    game_character = sheet;
    game.player_serial = uint32_t(record.serial);
    record.commanded = 1;
    record.type_flags[tf_player] = 1;
    record.type_flags[tf_player_and_companions] = 1;
    return place_player(record, depth);
}

void setup_game() {
    state.busy = 1;
    game = game_template;
    game.start_seed = game.save_seed = random_seed;
    game.clock_hours = start_clock_hour;
    game.game_clock = start_time;
    game.player_serial = 0;
    game.target_level = first_level;
    setup_unique_names();
    const int depth = 0;
    if (!setup_level(depth)) {
        if (!quit_requested()) shutdown(true);
        return;
    }
    const int index = create_player(depth);
    if (index == 0) {
        error_log(depth, "Could not create player character!", true);
        shutdown(true);
        return;
    }
    player = player_character = index;
    arrive_at_level(depth);
    tbeing& p = beings[index];
    for (int w : wishes_cleared)
        p.wish_of(w) = 0;
    for (int w : wishes_set)
        p.wish_of(w) = 1;
    // The marks on the items go with the slots, or the kit would never be quickslotted again.
    clear_quickslots(index);
    update_being(index, depth);
    game.game_clock = beings[index].next_action_time;
    game_mode = mode_main;
    state.busy = 0;
}

bool game_character_created() {
    return game_character.race_plan != 0;
}

} // namespace dravok
