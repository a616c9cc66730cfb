// Stand-in records and world state that the level generator reads and writes, laid out byte
// for byte as the shared record note places them. They live here only until the shared
// layout header and the world globals provide them; then this unit is deleted and the
// generator includes those instead. Owner: the level generator; callers: src/generation.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "world/layout.h"

namespace dravok {

#pragma pack(push, 1)

// One cell of the map grid (48 bytes).
struct tcell {
    uint8_t block;               // 0: 0 none, 1..40 wall, 41..90 floor
    uint8_t block_variant;       // 1
    uint16_t block_image;        // 2
    uint8_t shape_kind;          // 4: area kind of the shape that made the cell
    uint8_t area;                // 5
    uint8_t vault_zone;          // 6
    uint8_t furniture;           // 7
    uint8_t furniture_variant;   // 8
    uint8_t furniture_state;     // 9
    uint8_t free10[2];
    uint16_t furniture_value;    // 12
    uint8_t lock_strength;       // 14
    uint8_t free15;
    uint16_t key_template;       // 16
    uint16_t hidden_creature;    // 18
    uint8_t switch_off_effect;   // 20
    uint8_t switch_on_effect;    // 21
    uint8_t noticed;             // 22
    uint8_t looted;              // 23
    uint8_t contents_seen;       // 24
    uint8_t secret_difficulty;   // 25
    uint16_t trap_template;      // 26
    uint16_t trap_setter;        // 28
    int8_t trap_difficulty;      // 30
    uint8_t free31;
    uint16_t trap_value;         // 32
    uint16_t placement_value;    // 34
    uint8_t splash_kind;         // 36
    uint8_t splash_variant;      // 37
    uint16_t top_item;           // 38
    uint16_t loose_items;        // 40
    uint16_t furniture_items;    // 42
    uint16_t being;              // 44
    uint8_t footprint_part;      // 46
    uint8_t explored;            // 47
};
static_assert(sizeof(tcell) == 48);
static_assert(offsetof(tcell, secret_difficulty) == 25 && offsetof(tcell, explored) == 47);

// One area of the current level (1388 bytes).
struct tarea {
    int32_t origin_x, origin_y;      // 0, 4
    int32_t direction;               // 8
    int32_t x1, y1, x2, y2;          // 12..27
    int32_t width, height;           // 28, 32
    int32_t centre_x, centre_y;      // 36, 40
    int32_t kind;                    // 44
    int32_t vault_template;          // 48
    int32_t cell_count;              // 52
    int32_t parent_area;             // 56
    int32_t generator_counter;       // 60
    int32_t exit_neighbour_count;    // 64
    int32_t non_corridor_count;      // 68
    int32_t dead_end_root;           // 72
    int32_t exit_cells;              // 76
    int32_t door_cells;              // 80
    int32_t openings;                // 84
    int32_t opened_doors;            // 88
    int32_t closed_doors;            // 92
    int32_t locked_doors;            // 96
    int32_t passable_exits;          // 100
    int32_t touching_count;          // 104
    int32_t content_template;        // 108
    int32_t description_text;        // 112
    int32_t description_entry;       // 116
    int32_t report_text;             // 120
    int32_t furniture_count;         // 124
    int32_t being_count;             // 128
    int32_t hidden_statues;          // 132
    int32_t noise_level;             // 136
    int32_t switch_uses;             // 140
    int32_t special_cells;           // 144
    int32_t explored_special_cells;  // 148
    uint32_t quiet_time;             // 152
    uint8_t zones[60][4];            // 156: zone z at 152 + 4z (x, y, width, height)
    uint16_t cell_zone_exits[8][2];  // 396: zones 31..38
    uint16_t zone_text[60];          // 428
    uint16_t zone_text_entry[60];    // 548
    uint16_t exit_neighbours[100];   // 668
    uint16_t touching[100];          // 868
    uint8_t neighbour_kind[100];     // 1068
    uint8_t door_state[100];         // 1168
    uint8_t exit_count[100];         // 1268
    uint8_t vault_group;             // 1368
    uint8_t search_mark;             // 1369
    uint8_t symbol_flag;             // 1370
    uint8_t restricted;              // 1371
    uint8_t no_creatures_or_portals; // 1372
    uint8_t hidden;                  // 1373
    uint8_t discovered;              // 1374
    uint8_t second_exploration;      // 1375
    uint8_t explore_flag;            // 1376
    uint8_t free1377;
    uint16_t ordinal;                // 1378
    uint8_t numbered_mark;           // 1380
    uint8_t free1381[3];
    uint32_t scratch;                // 1384
};
static_assert(sizeof(tarea) == 1388);
static_assert(offsetof(tarea, zones) == 156 && offsetof(tarea, exit_neighbours) == 668);
static_assert(offsetof(tarea, search_mark) == 1369 && offsetof(tarea, explore_flag) == 1376);
static_assert(offsetof(tarea, ordinal) == 1378 && offsetof(tarea, scratch) == 1384);

// The generator parameter block of a level (1864 bytes); the global generator record starts
// with the same bytes.
struct tdungeon {
    uint8_t kind_weights[9];         // 0
    uint8_t repeat_chances[9];       // 9
    uint8_t maxima[9];               // 18
    uint8_t created[9];              // 27
    uint16_t forced_kinds[30];       // 36
    tdice forced_counts[30];         // 96
    uint8_t dig_steps;               // 1236
    uint8_t branch_chance;           // 1237
    uint8_t merge_chance_rooms;      // 1238
    uint8_t unread1239;
    uint8_t merge_chance_specials;   // 1240
    uint8_t cave_chance;             // 1241
    uint8_t corridor_style;          // 1242
    uint8_t dead_end_room_size;      // 1243
    uint8_t door_chance;             // 1244
    uint8_t open_door_chance;        // 1245
    uint8_t widen_chance_vault;      // 1246
    uint8_t widen_chance_special;    // 1247
    uint8_t doorway_chance;          // 1248
    uint8_t secret_doorway_chance;   // 1249
    uint8_t secret_conversion_chance; // 1250
    uint8_t lock_chance;             // 1251
    uint8_t mimic_chance;            // 1252
    uint8_t natural_refloor_chance;  // 1253
    uint8_t dim_chance;              // 1254
    uint8_t unread1255;
    tdice secret_door_formula;       // 1256
    tdice lock_formula;              // 1294
    tdice trap_formula;              // 1332
    tdice area_size_formula;         // 1370
    uint16_t lock_value;             // 1408
    uint16_t mimic;                  // 1410
    uint8_t unread1412[2];
    uint8_t filler_block;            // 1414
    uint8_t natural_floor_block;     // 1415
    uint8_t wall_block;              // 1416
    uint8_t floor_block;             // 1417
    uint8_t second_natural_floor_block; // 1418
    uint8_t included_groups[3][60];  // 1419
    uint8_t excluded_groups[3][60];  // 1599
    uint8_t group_counters[60];      // 1779
    uint8_t free1839;
    uint32_t dig_step;               // 1840
    uint32_t next_area;              // 1844
    uint32_t parent_area;            // 1848
    uint32_t origin_kind;            // 1852
    uint8_t success;                 // 1856
    uint8_t no_more_marks;           // 1857
    uint16_t eligible_counts[3];     // 1858
};
static_assert(sizeof(tdungeon) == 1864);
static_assert(offsetof(tdungeon, dig_steps) == 1236 && offsetof(tdungeon, area_size_formula) == 1370);
static_assert(offsetof(tdungeon, filler_block) == 1414 && offsetof(tdungeon, dig_step) == 1840);
static_assert(offsetof(tdungeon, eligible_counts) == 1858);

// A list of block-kind pairs: a count and up to 100 pairs.
struct tblock_pairs {
    uint8_t count;
    uint8_t pairs[100][2];
};
static_assert(sizeof(tblock_pairs) == 201);

// One dungeon level (26856 bytes); only the fields the generator touches are named.
struct tlevel {
    uint8_t name[41];                // 0
    uint8_t dungeon_number;          // 41
    uint8_t level_number;            // 42
    uint8_t demiplane;               // 43
    uint8_t hub;                     // 44
    uint8_t special_level;           // 45
    uint8_t hide_exploration;        // 46
    uint8_t free47[17];
    uint8_t level_index;             // 64
    uint8_t free65;
    uint8_t map_size;                // 66
    uint8_t trading;                 // 67
    uint16_t start_content;          // 68
    uint16_t item_cap;               // 70
    uint16_t spawn_group;            // 72
    uint8_t spawn_chance;            // 74
    uint8_t free75;
    tdice spawn_interval;            // 76
    tdice spawn_count;               // 114
    uint16_t spawn_maximum;          // 152
    uint8_t definition154[994 - 154];
    tblock_pairs natural_pairs;      // 994: (filler, natural floor)
    tblock_pairs block_pairs;        // 1195: (wall, floor)
    tblock_pairs special_pairs;      // 1396
    tblock_pairs vault_pairs;        // 1597
    uint8_t definition1798[24828 - 1798];
    tdungeon generator;              // 24828
    uint8_t free26692[26728 - 26692];
    uint32_t time_of_creation;       // 26728
    uint32_t time_of_first_arrival;  // 26732
    uint32_t time_of_last_update;    // 26736
    uint8_t free26740[4];
    double creation_date;            // 26744
    uint32_t seed;                   // 26752
    uint32_t next_spawn_time;        // 26756
    uint16_t special_cells;          // 26760
    uint16_t explored_special_cells; // 26762
    uint16_t hidden_areas;           // 26764
    uint16_t hidden_areas_found;     // 26766
    uint16_t visited_areas;          // 26768
    uint8_t exploration_award;       // 26770
    uint8_t free26771;
    uint16_t area_count;             // 26772
    uint8_t runtime26774[26856 - 26774];
};
static_assert(sizeof(tlevel) == 26856);
static_assert(offsetof(tlevel, natural_pairs) == 994 && offsetof(tlevel, vault_pairs) == 1597);
static_assert(offsetof(tlevel, generator) == 24828 && offsetof(tlevel, seed) == 26752);
static_assert(offsetof(tlevel, hidden_areas) == 26764 && offsetof(tlevel, area_count) == 26772);

// The parts of a vault or special template the generator reads.
struct tvault {
    pstring<30> identifier;
    uint8_t layout[64][64];
    uint8_t furniture[50][3];
    uint8_t exits[50][4];
    uint8_t zones[60][4];
    uint8_t groups[60];
    uint8_t entry_x, entry_y;
    uint8_t size;
    uint16_t max_per_level;
    uint16_t max_per_game;
    uint8_t impenetrable;
    uint8_t free4785;
    uint16_t ordinals[3];
    uint16_t count_this_attempt;
    uint8_t tried;
    uint8_t free4795[13];
    uint16_t count_this_game;
    uint8_t free4810[2];
};
static_assert(sizeof(tvault) == 4812);

#pragma pack(pop)

// The run-state flags the generator reads and sets.
struct tstate {
    uint8_t quit = 0;
    uint8_t level_creation = 0;
};

constexpr int max_map_size = 128;

extern tcell map_cells[max_map_size][max_map_size]; // [x - 1][y - 1]
extern int32_t map_size;
extern std::vector<tarea> areas; // entry 0 unused
extern tlevel level;
extern std::vector<tlevel> levels; // entry 0 unused
extern std::vector<tvault> vaults; // entry 0 unused
extern tstate state;
extern uint32_t game_clock;
extern uint8_t impenetrable_walls[max_map_size][max_map_size];

inline tcell& cell_at(int x, int y) { return map_cells[x - 1][y - 1]; }

} // namespace dravok
