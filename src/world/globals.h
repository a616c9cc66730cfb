// The world's globals: the game record, run state and settings, the beings with their items
// and sight arrays, the level's items, cells, areas and lasting effects, the blank records copied
// over entries to reset them, and their allocation, reset and release. The database tables are
// in world/tables.h, the game's lists (history, chatter, past characters, saves) in
// world/game_lists.h. Every unit reads and writes the world through these.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "records/layout_base.h"
#include "world/settings_record.h"
#include "world/state.h"

namespace dravok {

// The records the globals hold; a unit that reads their fields includes the record's own header,
// so that a change to one record rebuilds only the units that use it.
struct tarea;
struct tbeing;
struct tbeing_plan;
struct tcell;
struct tcharacter;
struct tcontent;
struct teffect;
struct tgame;
struct titem;
struct titem_plan;
struct tlevel;
struct tportal;
struct tstuff;
struct ttalent;
struct tvault;

// A 128 x 128 grid, 1-based and x-major: cell (x, y) is element (x-1)·128 + (y-1).
template <class T> struct tgrid {
    std::array<T, max_map_size * max_map_size> cells;

    T& operator()(int x, int y) { return cells[(x - 1) * max_map_size + (y - 1)]; }
    const T& operator()(int x, int y) const { return cells[(x - 1) * max_map_size + (y - 1)]; }
    void fill(const T& value) { cells.fill(value); }
};

#pragma pack(push, 1)
// What the lasting effects leave on one map cell.
struct tmap_effect_cell {
    uint16_t effect; // 0, index in duration_effects (0 none)
    uint8_t kind;    // 2
    uint8_t free3;
    uint16_t graphic_frame; // 4, the sprite shown on the cell
    uint8_t harmful;        // 6
    uint8_t free7;
    uint16_t max_damage[damage_type_count]; // 8, the most damage of each type
    uint16_t max_total;                     // 34
    uint8_t light;                          // 36
    uint8_t free37;

    uint16_t& max_damage_of(int t) { return at1(max_damage, t); }
};
#pragma pack(pop)
static_assert(sizeof(tmap_effect_cell) == 38);
static_assert(offsetof(tmap_effect_cell, graphic_frame) == 4 && offsetof(tmap_effect_cell, harmful) == 6);
static_assert(offsetof(tmap_effect_cell, max_damage) == 8 && offsetof(tmap_effect_cell, max_total) == 34);
static_assert(offsetof(tmap_effect_cell, light) == 36);

// Game modes.
constexpr int mode_menu = 1, mode_spectator = 2, mode_main = 3, mode_target = 4, mode_autopilot = 5,
              mode_dialog = 6, mode_inventory = 7, mode_talent = 8, mode_string = 9, mode_keybind = 10,
              mode_character = 11, mode_book = 12, mode_help = 13, mode_observer = 14, mode_test = 15;

// Initial lengths of the arrays (entry 0 unused) and the item list of a new being.
constexpr int initial_beings = 350;
constexpr int initial_level_items = 1000;
constexpr int initial_duration_effects = 100;
constexpr int initial_transfer_beings = 20;
constexpr int initial_transfer_effects = 100;
constexpr int being_item_list_length = 50;
constexpr int probe_effect_count = 3;
constexpr int furniture_variant_counter_count = 9;

using tseen_cells = tgrid<uint8_t>;

// The records.
extern tgame game;
extern tstate state;
extern tsettings settings;

// The current level's beings and what belongs to each: its items, what it sees and when it
// first saw each other being, and the cells it has seen. All indexed by being, from 1.
extern std::vector<tbeing> beings;
extern std::vector<std::vector<titem>> being_items;
extern std::vector<std::vector<uint8_t>> sight_matrix;
extern std::vector<std::vector<uint32_t>> first_seen_matrix;
extern std::vector<tseen_cells> seen_cells;
extern int player;           // the being the player commands (0 none)
extern int player_character; // the player's own character
extern int game_mode;

// The current level.
extern tlevel level;
extern int map_size;
extern tgrid<tcell> map_cells;
extern std::vector<tarea> areas;
extern std::vector<titem> level_items;
extern std::vector<teffect> duration_effects;
extern tgrid<tmap_effect_cell> map_effect_grid;

// Beings travelling between levels, with their items and effects.
extern std::vector<tbeing> transfer_beings;
extern std::vector<std::vector<titem>> transfer_items;
extern std::vector<teffect> transfer_effects;

// The nine counters of last-used furniture variants (1..9).
extern std::array<uint32_t, furniture_variant_counter_count + 1> furniture_variant_counters;

// The light levels of the map and the three byte planes after them, preset to 1, 2 and 3.
struct tlight_map {
    tgrid<uint8_t> light;
    std::array<tgrid<uint8_t>, 3> planes;
};
extern tlight_map light_map;

// Effects the creature decisions test with (1: shape 4; 2, 3: shape 5 at ranges 2 and 6).
extern std::array<teffect, probe_effect_count + 1> probe_effects;

// Blank records, copied over entries to reset them.
extern tgame game_template;
extern tbeing blank_being;
extern titem blank_item;
extern teffect effect_template;
extern tcell blank_cell;
extern tarea blank_area;
extern tstuff blank_stuff; // width and height 1, every other byte 0
extern tmap_effect_cell blank_map_effect_cell;

// Start-up, once, before anything else: settings defaults, lists, random seed, tables,
// presets, the error log kept from earlier runs.
void init_globals();
// Once, after the database is loaded: the beings and the level's arrays at their first size.
void allocate_world();
// At start and before each new game or load.
void reset_world();
// Program end.
void free_world();
void free_all();
void shutdown(bool halt);

// Grows the beings and every array sized with them by n blank entries, each new being with
// an empty item list, and the sight matrices to the new square size.
void grow_being_arrays(int n);
// Blanks every being, every item of every being's list, both matrices and every seen grid.
// Only the slots written since the last clear can differ from blank, so only they are
// touched: a level uses a few dozen of the hundreds of slots.
void clear_being_arrays();
// Records that a being slot was filled (adding a being, reading a level file); the slot's item
// list gets its first 50 blank items.
void note_being_slot_used(int being);

} // namespace dravok
