// Stand-ins for world state and services that other branches are building now (the world
// globals, the map grid, being placement and control, regeneration, the error log). Each is
// the smallest honest version the turn engine needs; an entry goes as soon as its owner lands.
// Used by the scheduler, the key entry, the main commands, movement and the test driver.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "world/layout.h"

namespace dravok {

// ---- world globals ----
struct tstate {
    uint8_t generating = 0, initialised = 0, restart = 0, busy = 0, died = 0, won = 0;
    uint8_t level_up_pending = 0, speech_passes = 0, relayout = 0, update_requested = 0;
    uint8_t tile_size_change = 0;
    int32_t run_direction = 0, run_counter = 0, run_wall_side = 0, run_steps = 0;
    uint32_t spectator_serial = 0, spectator_ticks = 0;
    uint32_t remembered_action_time = 0; // the player's next_action_time before a command
    uint8_t resting = 0;
};
struct tsettings {
    uint8_t auto_map_points = 0;
    uint8_t fade_log = 1;
    uint8_t side_panel_switch = 0;
};
struct tarea_stand_in {
    int32_t statue_count = 0;
    int32_t discovery_text = 0;
    uint8_t visited = 0;
    uint8_t counts_for_exploration = 0;
};

extern std::vector<tbeing> beings;
extern tgame game;
extern tstate state;
extern tsettings settings;
extern int player, player_character, game_mode;
extern tbeing blank_being;
extern bool log_changed;
extern std::vector<tarea_stand_in> areas;
extern uint16_t level_visited_areas;

constexpr int map_grid_size = 128;
extern tcell map_cells[map_grid_size * map_grid_size];
extern int map_size;
inline tcell& cell_at(int x, int y) { return map_cells[(x - 1) * map_grid_size + (y - 1)]; }

// ---- type flags ----
enum type_flag : int {
    tf_demigod = 33, tf_god = 64, tf_golem = 65, tf_overgod = 95,
    tf_player = 145, tf_passive = 154, tf_inactive = 156, tf_possessed = 183,
    tf_spawned_in_cell = 190, tf_has_not_left_cell = 191, tf_can_use_items = 198, tf_leaves_slime_trail = 199,
};
inline bool has_type_flag(const tbeing& b, int flag) { return b.type_flags[flag] != 0; }

// ---- map grid ----
bool on_map(int x, int y, int depth = 0);
bool is_wall(int x, int y, int depth = 0);
bool is_floor(int x, int y, int depth = 0);
bool is_door(int x, int y, int state = -1, int depth = 0);
bool is_closed_container(int x, int y, int depth = 0);
struct tstep { int dx, dy; };
extern const tstep direction_steps[9];

// ---- beings ----
bool is_being_ok(int being, int depth = 0);
int can_move(int being, int depth);
int can_move_to(int being, int x, int y, int depth, bool ignore_effects, bool ignore_beings);
bool can_close_opened_door(int being, int x, int y, int depth);
void place_being(int being, int x, int y, int depth);
int add_being_to_level(int x, int y, const tbeing& record, int depth, int plan);
int find_being_plan_by_name(std::string_view identifier);
void update_being(int being, int depth);
void regenerate_being(int being, int depth);
void stop_on_hostiles(int being, bool hostiles_seen);
void stop_resting(int being);
void end_possession(int being);
void check_animated_and_summoned(int master, int depth);
void kill_being(int being, tdamage& damage, int depth);
int ability_check_roll(int being, int ability, int difficulty, bool take_best);
void statues_to_beings(int revealer, int area, int chance, int depth);
bool is_on_restraining_map_effect(int being, int depth);
bool stands_in_harmful_map_effect(int being);

// ---- world lifecycle, clock, error log, key history, files ----
void shutdown(bool halt);
void advance_game_clock();
void record_key_history(int key, int modifier, int command);
void take_screenshot();
void save_map_image();
void add_history(std::string_view text);

// ---- map features and items ----
void smear_splashes(int being, int x, int y, int depth);
void add_splash(int x, int y, int being, int damage, int kind, int direction);
void get_cell_text(int x, int y, bool once, std::string& out);
void autopick_items(int being, int x, int y, std::string& out, int depth);
void spring_trap(int being, int x, int y, int depth);
void handle_sentient_item_oneliners(int being, int depth);
void check_ammunition(int being, int depth);
void switch_ammunition(int being, int depth);
bool carries_item_with_effect(int being, int effect_kind);
int loose_item_count(int x, int y);

// ---- level, autopilot, generator ----
extern tmap_point level_map_points[map_point_count + 1];
extern tcell_xy level_explore_target;
extern uint16_t autopilot_pick_up_item;
int get_distance(int x1, int y1, int x2, int y2);
void update_level(int depth);
uint32_t find_explore_target();
void number_areas_from(int area, int a, int b);
int build_ring_list(int x, int y, int radius);
int map_effect_slot_at(int x, int y);
const teffect& duration_effect(int slot);
std::string area_discovery_text(int area);

extern std::vector<std::string> history_lines;

} // namespace dravok
