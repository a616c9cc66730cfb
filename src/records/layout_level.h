// The level records of the game database: the level template with its generator parameter
// block and run-time part, area content templates and vault/special templates.
#pragma once
#include <cstddef>
#include <cstdint>

#include "records/layout_base.h"
#include "records/layout_dice.h"
#include "records/layout_parts.h"

namespace dravok {

constexpr int area_kind_count = 9; // corridor .. vault
constexpr int forced_area_count = 30;
constexpr int generator_group_lists = 3;
constexpr int level_forced_content_count = 20;
constexpr int level_theme_count = 20;
constexpr int block_pair_count = 100;
constexpr int level_stuff_count = 100;
constexpr int content_group_id_count = 10;
constexpr int content_area_request_count = 9;
constexpr int content_stuff_count = 150;
constexpr int vault_size = 64;
constexpr int vault_furniture_count = 50;
constexpr int vault_exit_count = 50;
constexpr int vault_zone_count = 60;

#pragma pack(push, 1)

// The level generator's parameters, copied whole from the level at every attempt; the
// fields from dig_step on are its work fields.
struct tdungeon {
    uint8_t kind_weight[area_kind_count];    // 0
    uint8_t repeat_chance[area_kind_count];  // 9
    uint8_t kind_max[area_kind_count];       // 18, 0 = no limit
    uint8_t kind_created[area_kind_count];   // 27
    uint16_t forced_kind[forced_area_count]; // 36
    tdice forced_count[forced_area_count];   // 96
    uint8_t dig_steps;                       // 1236
    uint8_t branch_chance;                   // 1237
    uint8_t merge_rooms;                     // 1238, merge chance rooms
    uint8_t unread1239;                      // not read by the generator
    uint8_t merge_specials;                  // 1240
    uint8_t cave_chance;                     // 1241
    uint8_t corridor_style;                  // 1242
    uint8_t dead_end_room_size;              // 1243
    uint8_t door_chance;                     // 1244
    uint8_t open_door_chance;                // 1245
    uint8_t widen_vault;                     // 1246
    uint8_t widen_special;                   // 1247
    uint8_t doorway_chance;                  // 1248
    uint8_t secret_doorway_chance;           // 1249
    uint8_t secret_conversion_chance;        // 1250
    uint8_t lock_chance;                     // 1251
    uint8_t mimic_chance;                    // 1252
    uint8_t natural_refloor_chance;          // 1253
    uint8_t dim_chance;                      // 1254
    uint8_t unread1255;                      // not read by the generator
    tdice secret_door;                       // 1256, secret door formula
    tdice lock;                              // 1294, lock formula
    tdice trap;                              // 1332, trap formula (not read by the generator)
    tdice area_size;                         // 1370
    uint16_t lock_value;                     // 1408
    uint16_t mimic;                          // 1410, being plan
    uint8_t unread1412[2];                   // not read by the generator
    uint8_t filler_block;                    // 1414
    uint8_t natural_floor_block;             // 1415
    uint8_t wall_block;                      // 1416
    uint8_t floor_block;                     // 1417
    uint8_t natural_floor2_block;            // 1418, second natural floor
    uint8_t included_groups[generator_group_lists][group_count]; // 1419
    uint8_t excluded_groups[generator_group_lists][group_count]; // 1599
    uint8_t group_counters[group_count];                         // 1779
    uint8_t free1839;
    uint32_t dig_step;           // 1840, work
    uint32_t next_area;          // 1844, work: next area index
    uint32_t parent_area;        // 1848, work
    uint32_t origin_kind;        // 1852, work
    uint8_t success;             // 1856, work
    uint8_t no_more_marks;       // 1857, work
    uint16_t eligible_counts[3]; // 1858, work
};
static_assert(sizeof(tdungeon) == 1864);
static_assert(offsetof(tdungeon, repeat_chance) == 9 && offsetof(tdungeon, kind_max) == 18);
static_assert(offsetof(tdungeon, kind_created) == 27 && offsetof(tdungeon, forced_kind) == 36);
static_assert(offsetof(tdungeon, forced_count) == 96 && offsetof(tdungeon, dig_steps) == 1236);
static_assert(offsetof(tdungeon, branch_chance) == 1237 && offsetof(tdungeon, merge_rooms) == 1238);
static_assert(offsetof(tdungeon, merge_specials) == 1240 && offsetof(tdungeon, cave_chance) == 1241);
static_assert(offsetof(tdungeon, corridor_style) == 1242 && offsetof(tdungeon, dead_end_room_size) == 1243);
static_assert(offsetof(tdungeon, door_chance) == 1244 && offsetof(tdungeon, open_door_chance) == 1245);
static_assert(offsetof(tdungeon, widen_vault) == 1246 && offsetof(tdungeon, widen_special) == 1247);
static_assert(offsetof(tdungeon, doorway_chance) == 1248 &&
              offsetof(tdungeon, secret_doorway_chance) == 1249);
static_assert(offsetof(tdungeon, secret_conversion_chance) == 1250 &&
              offsetof(tdungeon, lock_chance) == 1251);
static_assert(offsetof(tdungeon, mimic_chance) == 1252 && offsetof(tdungeon, natural_refloor_chance) == 1253);
static_assert(offsetof(tdungeon, dim_chance) == 1254 && offsetof(tdungeon, secret_door) == 1256);
static_assert(offsetof(tdungeon, lock) == 1294 && offsetof(tdungeon, trap) == 1332);
static_assert(offsetof(tdungeon, area_size) == 1370 && offsetof(tdungeon, lock_value) == 1408);
static_assert(offsetof(tdungeon, mimic) == 1410 && offsetof(tdungeon, filler_block) == 1414);
static_assert(offsetof(tdungeon, natural_floor_block) == 1415 && offsetof(tdungeon, wall_block) == 1416);
static_assert(offsetof(tdungeon, floor_block) == 1417 && offsetof(tdungeon, natural_floor2_block) == 1418);
static_assert(offsetof(tdungeon, included_groups) == 1419 && offsetof(tdungeon, excluded_groups) == 1599);
static_assert(offsetof(tdungeon, group_counters) == 1779 && offsetof(tdungeon, dig_step) == 1840);
static_assert(offsetof(tdungeon, next_area) == 1844 && offsetof(tdungeon, parent_area) == 1848);
static_assert(offsetof(tdungeon, origin_kind) == 1852 && offsetof(tdungeon, success) == 1856);
static_assert(offsetof(tdungeon, no_more_marks) == 1857 && offsetof(tdungeon, eligible_counts) == 1858);
static_assert(offsetof(tdungeon, unread1239) == 1239 && offsetof(tdungeon, unread1255) == 1255);
static_assert(offsetof(tdungeon, unread1412) == 1412);

// A theme of a level: a content group and how many contents of it to place.
struct ttheme {
    uint16_t group;
    tdice count;
};
static_assert(sizeof(ttheme) == 40);

// A list of up to 100 block pairs, (first, second) = (filler, natural floor) or (wall, floor).
struct tblock_pairs {
    uint8_t count;
    tcell_xy pairs[block_pair_count]; // the pair as (first, second)

    uint8_t first(int i) const { return at1(pairs, i).x; }
    uint8_t second(int i) const { return at1(pairs, i).y; }
};
static_assert(sizeof(tblock_pairs) == 201);

// A map point of a level (x, y; 0 = none).
struct tmap_point {
    uint16_t x;
    uint16_t y;
};
static_assert(sizeof(tmap_point) == 4);

// A dungeon level: its definition from the database and its run-time part.
struct tlevel {
    pstring<40> name;         // 0
    uint8_t dungeon;          // 41, dungeon number
    uint8_t number;           // 42, level number shown
    uint8_t demiplane;        // 43
    uint8_t hub;              // 44
    uint8_t special;          // 45
    uint8_t hide_exploration; // 46
    uint8_t free47[17];
    uint8_t index; // 64, level index (the depth)
    uint8_t free65;
    uint8_t map_size;       // 66
    uint8_t trading;        // 67
    uint16_t start_content; // 68
    uint16_t item_cap;      // 70
    uint16_t spawn_group;   // 72
    uint8_t spawn_chance;   // 74
    uint8_t free75;
    tdice spawn_interval;                                 // 76
    tdice spawn_count;                                    // 114
    uint16_t spawn_max;                                   // 152
    uint16_t forced_contents[level_forced_content_count]; // 154
    ttheme themes[level_theme_count];                     // 194
    tblock_pairs natural_pairs;                           // 994, (filler, natural floor)
    tblock_pairs dressing_pairs;                          // 1195, (wall, floor)
    tblock_pairs special_pairs;                           // 1396, (wall, floor) for specials
    tblock_pairs vault_pairs;                             // 1597, (wall, floor) for vaults
    tstuff start_request;                                 // 1798
    tstuff stuff[level_stuff_count];                      // 2026
    uint8_t free24826[2];
    tdungeon generator; // 24828, the generator parameter block
    uint8_t free26692[26];
    uint8_t item_depth;  // 26718
    uint8_t target_x;    // 26719, travel or explore target; teleport-trap cell
    uint8_t target_y;    // 26720
    uint8_t explored_x1; // 26721, explored rectangle, least x
    uint8_t explored_y1; // 26722
    uint8_t explored_x2; // 26723, greatest x
    uint8_t explored_y2; // 26724
    uint8_t free26725[3];
    uint32_t created_time;  // 26728
    uint32_t first_arrival; // 26732
    uint32_t last_update;   // 26736, also when the player last left it
    uint8_t free26740[4];
    double created_date;       // 26744
    uint32_t seed;             // 26752, seed of the last attempt
    uint32_t next_spawn;       // 26756
    uint16_t floor_cells;      // 26760, to explore
    uint16_t explored_cells;   // 26762
    uint16_t hidden_areas;     // 26764
    uint16_t hidden_found;     // 26766
    uint16_t visited_areas;    // 26768
    uint8_t exploration_award; // 26770, full-exploration award given
    uint8_t free26771;
    uint16_t area_count;                    // 26772
    uint16_t highest_being;                 // 26774
    uint16_t highest_item;                  // 26776
    uint16_t highest_effect;                // 26778
    uint16_t spawned;                       // 26780
    uint16_t spawn_malus;                   // 26782
    uint32_t file_size;                     // 26784, plain size of the level file, 0 = none
    uint32_t encoded_size;                  // 26788
    uint64_t sum1;                          // 26792
    uint64_t sum2;                          // 26800
    uint64_t sum3;                          // 26808
    tmap_point map_points[map_point_count]; // 26816, i at 26812 + 4i
    uint16_t present_beings;                // 26852, recounted
    uint16_t evil_beings;                   // 26854, present evil non-passive beings, recounted

    tstuff& stuff_row(int i) { return at1(stuff, i); }
    ttheme& theme(int i) { return at1(themes, i); }
    tmap_point& map_point(int i) { return at1(map_points, i); }
    const tmap_point& map_point(int i) const { return at1(map_points, i); }
};
static_assert(sizeof(tlevel) == 26856);
static_assert(offsetof(tlevel, dungeon) == 41 && offsetof(tlevel, number) == 42);
static_assert(offsetof(tlevel, demiplane) == 43 && offsetof(tlevel, hub) == 44);
static_assert(offsetof(tlevel, special) == 45 && offsetof(tlevel, hide_exploration) == 46);
static_assert(offsetof(tlevel, index) == 64 && offsetof(tlevel, map_size) == 66);
static_assert(offsetof(tlevel, trading) == 67 && offsetof(tlevel, start_content) == 68);
static_assert(offsetof(tlevel, item_cap) == 70 && offsetof(tlevel, spawn_group) == 72);
static_assert(offsetof(tlevel, spawn_chance) == 74 && offsetof(tlevel, spawn_interval) == 76);
static_assert(offsetof(tlevel, spawn_count) == 114 && offsetof(tlevel, spawn_max) == 152);
static_assert(offsetof(tlevel, forced_contents) == 154 && offsetof(tlevel, themes) == 194);
static_assert(offsetof(tlevel, natural_pairs) == 994 && offsetof(tlevel, dressing_pairs) == 1195);
static_assert(offsetof(tlevel, special_pairs) == 1396 && offsetof(tlevel, vault_pairs) == 1597);
static_assert(offsetof(tlevel, start_request) == 1798 && offsetof(tlevel, stuff) == 2026);
static_assert(offsetof(tlevel, generator) == 24828 && offsetof(tlevel, item_depth) == 26718);
static_assert(offsetof(tlevel, target_x) == 26719 && offsetof(tlevel, target_y) == 26720);
static_assert(offsetof(tlevel, explored_x1) == 26721 && offsetof(tlevel, explored_y2) == 26724);
static_assert(offsetof(tlevel, created_time) == 26728 && offsetof(tlevel, first_arrival) == 26732);
static_assert(offsetof(tlevel, last_update) == 26736 && offsetof(tlevel, created_date) == 26744);
static_assert(offsetof(tlevel, seed) == 26752 && offsetof(tlevel, next_spawn) == 26756);
static_assert(offsetof(tlevel, floor_cells) == 26760 && offsetof(tlevel, explored_cells) == 26762);
static_assert(offsetof(tlevel, hidden_areas) == 26764 && offsetof(tlevel, hidden_found) == 26766);
static_assert(offsetof(tlevel, visited_areas) == 26768 && offsetof(tlevel, exploration_award) == 26770);
static_assert(offsetof(tlevel, area_count) == 26772 && offsetof(tlevel, highest_being) == 26774);
static_assert(offsetof(tlevel, highest_item) == 26776 && offsetof(tlevel, highest_effect) == 26778);
static_assert(offsetof(tlevel, spawned) == 26780 && offsetof(tlevel, spawn_malus) == 26782);
static_assert(offsetof(tlevel, file_size) == 26784 && offsetof(tlevel, encoded_size) == 26788);
static_assert(offsetof(tlevel, sum1) == 26792 && offsetof(tlevel, sum2) == 26800);
static_assert(offsetof(tlevel, sum3) == 26808 && offsetof(tlevel, map_points) == 26816);
static_assert(offsetof(tlevel, present_beings) == 26852 && offsetof(tlevel, evil_beings) == 26854);

// An area content template: what an area is furnished and populated with.
struct tcontent {
    pstring<40> name; // 0
    uint8_t free41;
    uint16_t groups[content_group_id_count]; // 42
    uint8_t max_per_level;                   // 62
    uint8_t max_per_game;                    // 63
    uint8_t light_chance;                    // 64
    uint8_t dim_chance;                      // 65
    uint8_t chest_lock_chance;               // 66
    uint8_t free67;
    tdice lock;                                       // 68, lock formula
    uint16_t lock_value;                              // 106
    uint8_t floor_variation;                          // 108, floor-variation chance
    uint8_t even_floor;                               // 109, even-floor chance
    uint16_t ordinal;                                 // 110, scratch
    tstuff area_requests[content_area_request_count]; // 112
    uint8_t shuffle_chance;                           // 2164
    uint8_t free2165;
    tstuff stuff[content_stuff_count]; // 2166
    uint8_t item_bonus;                // 36366
    uint8_t creature_bonus;            // 36367
    uint8_t unify_floor;               // 36368
    uint8_t skip_symbols;              // 36369
    uint8_t unify_after_symbol;        // 36370
    uint8_t remove_statues;            // 36371
    uint8_t remove_pillars;            // 36372
    uint8_t keep_clear;                // 36373
    uint8_t stationary;                // 36374, stationary creatures
    uint8_t near_furniture;            // 36375, creatures near furniture
    uint8_t restricted;                // 36376
    uint8_t no_population;             // 36377
    uint8_t no_creatures_or_portals;   // 36378
    uint8_t used;                      // 36379, used mark
    uint8_t lockable_entrance;         // 36380
    uint8_t secret_entrance;           // 36381
    uint8_t free36382[2];
    uint16_t count_level; // 36384, placed on this level
    uint16_t count_game;  // 36386, placed in this game (run time, saved)

    tstuff& stuff_row(int i) { return at1(stuff, i); }
    tstuff& area_request(int i) { return at1(area_requests, i); }
};
static_assert(sizeof(tcontent) == 36388);
static_assert(offsetof(tcontent, groups) == 42 && offsetof(tcontent, max_per_level) == 62);
static_assert(offsetof(tcontent, max_per_game) == 63 && offsetof(tcontent, light_chance) == 64);
static_assert(offsetof(tcontent, dim_chance) == 65 && offsetof(tcontent, chest_lock_chance) == 66);
static_assert(offsetof(tcontent, lock) == 68 && offsetof(tcontent, lock_value) == 106);
static_assert(offsetof(tcontent, floor_variation) == 108 && offsetof(tcontent, even_floor) == 109);
static_assert(offsetof(tcontent, ordinal) == 110 && offsetof(tcontent, area_requests) == 112);
static_assert(offsetof(tcontent, shuffle_chance) == 2164 && offsetof(tcontent, stuff) == 2166);
static_assert(offsetof(tcontent, item_bonus) == 36366 && offsetof(tcontent, creature_bonus) == 36367);
static_assert(offsetof(tcontent, unify_floor) == 36368 && offsetof(tcontent, skip_symbols) == 36369);
static_assert(offsetof(tcontent, unify_after_symbol) == 36370 && offsetof(tcontent, remove_statues) == 36371);
static_assert(offsetof(tcontent, remove_pillars) == 36372 && offsetof(tcontent, keep_clear) == 36373);
static_assert(offsetof(tcontent, stationary) == 36374 && offsetof(tcontent, near_furniture) == 36375);
static_assert(offsetof(tcontent, restricted) == 36376 && offsetof(tcontent, no_population) == 36377);
static_assert(offsetof(tcontent, no_creatures_or_portals) == 36378 && offsetof(tcontent, used) == 36379);
static_assert(offsetof(tcontent, lockable_entrance) == 36380 && offsetof(tcontent, secret_entrance) == 36381);
static_assert(offsetof(tcontent, count_level) == 36384 && offsetof(tcontent, count_game) == 36386);

// A furniture piece of a vault template (x = 0 for none).
struct tvault_furniture {
    uint8_t x;
    uint8_t y;
    uint8_t furniture;
};
static_assert(sizeof(tvault_furniture) == 3);

// An exit of a vault template: direction 1..4 in template space and a forced kind.
struct tvault_exit {
    uint8_t x;
    uint8_t y;
    uint8_t direction;
    uint8_t forced_kind;
};
static_assert(sizeof(tvault_exit) == 4);

// A hand-made special area or vault.
struct tvault {
    pstring<30> identifier;                            // 0
    uint8_t layout[vault_size][vault_size];            // 31, x outer: layout[x-1][y-1]
    tvault_furniture furniture[vault_furniture_count]; // 4127
    tvault_exit exits[vault_exit_count];               // 4277
    tzone_rect zones[vault_zone_count];                // 4477
    uint8_t group_flags[group_count];                  // 4717, groups 1..60
    uint8_t entry_x;                                   // 4777
    uint8_t entry_y;                                   // 4778
    uint8_t size;                                      // 4779
    uint16_t max_per_level;                            // 4780, 0 none
    uint16_t max_per_game;                             // 4782, 0 none
    uint8_t impenetrable;                              // 4784
    uint8_t free4785;
    uint16_t category_ordinals[3]; // 4786, scratch
    uint16_t count_attempt;        // 4792, placed this attempt (scratch)
    uint8_t tried;                 // 4794, scratch (zeroed as a u16 with 4795)
    uint8_t free4795[13];
    uint16_t count_game; // 4808, placed this game (run time, saved)
    uint8_t free4810[2];

    uint8_t& code(int x, int y) { return layout[x - 1][y - 1]; }
    uint8_t code(int x, int y) const { return layout[x - 1][y - 1]; }
    uint8_t& group_flag(int g) { return at1(group_flags, g); }
};
static_assert(sizeof(tvault) == 4812);
static_assert(offsetof(tvault, layout) == 31 && offsetof(tvault, furniture) == 4127);
static_assert(offsetof(tvault, exits) == 4277 && offsetof(tvault, zones) == 4477);
static_assert(offsetof(tvault, group_flags) == 4717 && offsetof(tvault, entry_x) == 4777);
static_assert(offsetof(tvault, entry_y) == 4778 && offsetof(tvault, size) == 4779);
static_assert(offsetof(tvault, max_per_level) == 4780 && offsetof(tvault, max_per_game) == 4782);
static_assert(offsetof(tvault, impenetrable) == 4784 && offsetof(tvault, category_ordinals) == 4786);
static_assert(offsetof(tvault, count_attempt) == 4792 && offsetof(tvault, tried) == 4794);
static_assert(offsetof(tvault, count_game) == 4808);

#pragma pack(pop)

} // namespace dravok
