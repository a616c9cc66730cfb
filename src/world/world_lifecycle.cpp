#include "world/world_lifecycle.h"
#include "world/being_arrays.h"
#include "world/being_items.h"
#include "world/blank_records.h"
#include "world/furniture_counters.h"
#include "world/game_lists.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/level_items.h"
#include "world/light_map.h"
#include "world/player.h"
#include "world/probe_effects.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/transfer.h"

#include <algorithm>
#include <cstring>

#include "platform/clock.h"
#include "platform/desktop.h"
#include "records/layout.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_folders.h"
#include "world/geometry.h"
#include "world/grid.h"
#include "world/indicators.h"
#include "world/item_placement.h"
#include "world/light_map.h"
#include "world/map_effect_cell.h"
#include "world/message_log.h"
#include "world/random.h"
#include "world/services.h"
#include "world/text_database.h"

namespace dravok {

tgame game{};
tstate state{};
tsettings settings{};

tlevel level{};
int map_size = 0;
tgrid<tcell> map_cells{};
std::vector<tarea> areas(1);
std::vector<titem> level_items;
std::vector<teffect> duration_effects;
tgrid<tmap_effect_cell> map_effect_grid{};

std::vector<tbeing> transfer_beings;
std::vector<std::vector<titem>> transfer_items;
std::vector<teffect> transfer_effects;

std::vector<tlevel> levels;
std::vector<tlevel> level_definitions;
std::vector<tportal> portals;
std::vector<tcontent> contents;
std::vector<titem_plan> item_plans;
std::vector<ttalent> talents;
std::vector<tbeing_plan> being_plans;
std::vector<tvault> vaults;
std::vector<std::array<uint32_t, chatter_trigger_count + 1>> plan_chatter_times;

std::vector<tcharacter> past_characters(1);

std::vector<std::string> history;
std::vector<std::string> recent_chatter;
uint32_t last_chatter_time = 0;
std::vector<std::string> save_names;

std::array<uint32_t, furniture_variant_counter_count + 1> furniture_variant_counters{};
tlight_map light_map{};
std::array<teffect, probe_effect_count + 1> probe_effects{};

tgame game_template{};
tbeing blank_being{};
titem blank_item{};
teffect effect_template{};
tcell blank_cell{};
tarea blank_area{};
// A request is one cell large unless it says otherwise, even before start-up has run.
tstuff blank_stuff = [] {
    tstuff s{};
    s.width = 1;
    s.height = 1;
    return s;
}();
tmap_effect_cell blank_map_effect_cell{};

int game_mode = 0;

tservices services{};

namespace {

// A probe effect of the creature decisions: the shape, and for a fixed range that range as
// both the formula and the evaluated range.
teffect probe_effect(uint8_t shape, int16_t fixed_range) {
    teffect e = effect_template;
    e.shape = shape;
    if (fixed_range > 0) {
        e.range_dice.bonus = fixed_range;
        e.range = static_cast<uint16_t>(fixed_range);
    }
    return e;
}

void preset_templates() {
    // A fresh placement request places one piece of one cell.
    blank_stuff = tstuff{};
    blank_stuff.width = 1;
    blank_stuff.height = 1;
    probe_effects[1] = probe_effect(4, 0);
    probe_effects[2] = probe_effect(5, 2);
    probe_effects[3] = probe_effect(5, 6);
    for (int p = 0; p < 3; ++p)
        light_map.planes[p].fill(static_cast<uint8_t>(p + 1));
}

template <class T> void blank_all(std::vector<T>& entries, const T& blank) {
    for (T& e : entries)
        e = blank;
}

} // namespace

void init_globals() {
    // The program folder and the file key are the platform's and the codec's own.
    default_settings();
    default_log_layout();
    history.clear();
    recent_chatter.clear();
    save_names.clear();
    randomize(ms_since_midnight_utc());
    build_ray_endpoints();
    build_sight_rays();
    init_global_dice();
    preset_templates();
    services.init_interface_templates();
    services.delete_update_files();
    load_error_log();
    set_unshown_message_handler(log_unshown_message);
}

void allocate_world() {
    allocate_being_arrays();
    level_items.assign(initial_level_items, blank_item);
    duration_effects.assign(initial_duration_effects, effect_template);
    transfer_beings.assign(initial_transfer_beings, blank_being);
    transfer_items.assign(initial_transfer_beings, std::vector<titem>(being_item_list_length, blank_item));
    transfer_effects.assign(initial_transfer_effects, effect_template);
}

void forget_plan_picks() {
    for (titem_plan& p : item_plans)
        p.last_image = 0;
    for (tbeing_plan& p : being_plans) {
        p.last_variant = 0;
        std::memset(p.used_variants, 0, sizeof p.used_variants);
    }
}

void reset_table_run_fields() {
    if (level_definitions.size() == levels.size()) levels = level_definitions;
    for (tlevel& l : levels) {
        // Everything from the travel target on is run time: visits, counts, file sums, map points.
        auto* bytes = reinterpret_cast<uint8_t*>(&l);
        const std::size_t from = offsetof(tlevel, target_x);
        std::memset(bytes + from, 0, sizeof(tlevel) - from);
    }
    for (tportal& p : portals)
        p.x = p.y = p.used = 0;
    for (tcontent& c : contents)
        c.count_level = c.count_game = 0;
    forget_plan_picks();
    for (titem_plan& p : item_plans)
        p.created_on_level = p.created_in_game = p.uses = p.counter4 = 0;
    for (tbeing_plan& p : being_plans)
        p.created_on_level = p.created_in_game = p.first_sightings = p.player_kills = p.kills = 0;
    plan_chatter_times.assign(being_plans.size(), {});
    for (tvault& v : vaults)
        v.count_attempt = v.count_game = 0;
}

void reset_world() {
    // The last game's record is read by the screens before the next one starts (character
    // creation among them): it must be the fresh program's.
    game = game_template;
    player = 0;
    player_character = 0;
    loot_target_item = 0;
    // The lists are the world's own: a new game clears them whether or not an interface is
    // there to clear its speech bubbles with them.
    clear_indicator_lists();
    services.clear_indicators();
    areas.assign(1, blank_area);
    clear_being_arrays();
    services.clear_static_lights();
    blank_all(level_items, blank_item);
    // Followers still waiting to arrive when a game is left belong to it, not to the next one.
    blank_all(transfer_beings, blank_being);
    for (std::vector<titem>& carried : transfer_items)
        blank_all(carried, blank_item);
    blank_all(transfer_effects, effect_template);
    blank_all(duration_effects, effect_template);
    past_characters.assign(1, tcharacter{});
    reset_table_run_fields();
    furniture_variant_counters.fill(0);
    build_shuffle_bags();
    build_chatter_sections();
    history.clear();
    recent_chatter.clear();
    last_chatter_time = 0;
    services.reset_offscreen_beings();
}

void free_world() {
    player = 0;
    services.clear_indicators();
    areas.assign(1, blank_area);
    free_being_arrays();
    services.free_pantheon();
    transfer_items.clear();
    transfer_beings.clear();
    transfer_effects.clear();
    services.clear_static_lights();
    level_items.clear();
    duration_effects.clear();
    clear_text_database();
    levels.clear();
    level_definitions.clear();
    portals.clear();
    contents.clear();
    item_plans.clear();
    talents.clear();
    being_plans.clear();
    vaults.clear();
    plan_chatter_times.clear();
    past_characters.assign(1, tcharacter{});
}

void free_all() {
    free_world();
    services.free_interface_records();
    services.clear_generator_lists();
    history.clear();
    recent_chatter.clear();
    save_names.clear();
    message_log.clear();
}

void shutdown(bool halt) {
    services.delete_update_files();
    clear_temporary_folder();
    services.free_graphics();
    free_all();
    if (halt) services.end_application();
}

} // namespace dravok
