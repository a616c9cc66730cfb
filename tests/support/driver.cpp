// Headless turn driver: a small level, beings, and key presses through the real key path.
#include "support/driver.h"

#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "support/plain_creature.h"

#include <algorithm>

#include "ai/player_view.h"
#include "platform/desktop.h"
#include "platform/events.h"
#include "platform/timers.h"
#include "records/being_flags.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/effects.h"
#include "rules/scheduler.h"
#include "rules/sound.h"
#include "ui/draw.h"
#include "ui/game_timers.h"
#include "ui/key_bindings.h"
#include "ui/lister.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/text_database.h"

namespace dravok::testing {

namespace {

constexpr uint8_t wall_block = 1, floor_block = 41;

tbeing make_being(const std::string& name) {
    tbeing b = one_cell_being(name, 10);
    b.level = 1;
    b.experience_next = experience_for_level(2); // as creation leaves it
    b.active_set = 13;                           // set one; its figures come from update_being
    return b;
}

} // namespace

turn_driver::turn_driver(int size) {
    // The game builds the ray tables at start-up; light and sight read them.
    build_ray_endpoints();
    build_sight_rays();
    free_beings();
    grow_beings(20);
    game = tgame{};
    state = tstate{};
    settings = tsettings{};
    player = player_character = 0;
    game_mode = mode_main;
    last_view_time = last_view_being = 0;
    log_changed = false;
    areas.assign(2, blank_area);
    map_cells.fill(blank_cell);
    map_effect_grid.fill(blank_map_effect_cell);
    level = tlevel{};
    level.index = 1; // the first level of the dungeon
    map_size = size;
    for (int x = 1; x <= size; ++x)
        for (int y = 1; y <= size; ++y) {
            tcell& c = cell_at(x, y);
            c.block = (x == 1 || y == 1 || x == size || y == size) ? wall_block : floor_block;
            c.area = 1;
        }
    message_text.clear();
    next_effect_time = 0;
    last_noise_decay_time = 0;
    effects_changed = false;
    spectator_timer().set_enabled(false);
    spectator_timer().set_tag(0);
    play_timer().set_enabled(false);
    state.lister_time_passing = false;
    reset_keybindings();
    clear_message_log();
    default_log_layout();
    clear_quit_request();
    // Keys the scheduler meets while pumping come through the platform's event queue into the
    // same key handler as the window's own key presses.
    set_key_handler(handle_key_event);
    last_picked_being = 0;
    state.initialised = 1;
}

turn_driver::~turn_driver() {
    set_key_handler(nullptr);
    pump_messages(); // drop keys no pump took
    clear_quit_request();
}

int turn_driver::add_player(int x, int y) {
    tbeing b = make_being("hero");
    b.type_flags[tf_player] = 1;
    b.type_flags[tf_can_use_items] = 1;
    b.type_flags[tf_can_open_doors] = 1;
    b.type_flags[tf_can_close_doors] = 1;
    b.commanded = 1;
    b.next_action_time = game.game_clock;
    const int index = add_being_to_level(x, y, b, 1, 0);
    beings[index].next_action_time = game.game_clock; // due now: the next key is its action
    player = player_character = index;
    update_being(index, 1);
    return index;
}

int turn_driver::add_character(int x, int y, const std::string& plan) {
    const int index = add_being_to_level(x, y, blank_being, 1, find_being_plan_by_name(plan));
    if (index == 0) return 0;
    tbeing& b = beings[index];
    b.type_flags[tf_player] = 1;
    b.commanded = 1;
    b.next_action_time = game.game_clock; // due now: the next key is its action
    player = player_character = index;
    update_being(index, 1);
    return index;
}

int turn_driver::add_creature(int x, int y, uint32_t next_action_time, const std::string& name) {
    tbeing b = make_being(name);
    const int index = add_being_to_level(x, y, b, 1, 0);
    beings[index].next_action_time = next_action_time;
    update_being(index, 1);
    return index;
}

void turn_driver::wall(int x, int y) {
    cell_at(x, y).block = wall_block;
}
void turn_driver::floor(int x, int y) {
    cell_at(x, y).block = floor_block;
}

int turn_driver::press(int key, tshift_state shift) {
    form_key_down(key, shift);
    return key;
}

int turn_driver::press_command(int command) {
    const tkeybinding b = keybindings[command][0];
    tshift_state shift;
    shift.shift = b.modifier == key_shift;
    shift.ctrl = b.modifier == key_ctrl;
    shift.alt = b.modifier == key_alt;
    return press(b.key, shift);
}

void turn_driver::key_during_pump(int key, tshift_state shift) {
    KeyEvent e;
    e.key = uint8_t(key);
    e.shift = shift.shift;
    e.ctrl = shift.ctrl;
    e.alt = shift.alt;
    inject_key(e);
}

void turn_driver::give_keyboard_layout() {
    text_database = {"@none", "@keyboard_layout", "<row><key><t>K</t><w>100</w><vk>K</vk></key></row>"};
    build_text_sections(2);
}

void turn_driver::run_rounds() {
    handle_rounds();
}

std::vector<std::string> turn_driver::messages() const {
    return message_log;
}

bool turn_driver::logged(const std::string& text) const {
    return std::any_of(message_log.begin(), message_log.end(),
                       [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

} // namespace dravok::testing
