// The records of the map: one cell of the 128 x 128 grid, one area of a level, and the
// change record a level file stores for each non-zero cell field.
#pragma once
#include <cstddef>
#include <cstdint>

#include "records/layout_base.h"

namespace dravok {

#pragma pack(push, 1)

// One map cell: block, area, furniture with its lock and switch settings, trap, splash,
// the items and the being on it, and the player's explored mark.
struct tcell {
    uint8_t block;             // 0, block kind: 1..40 wall, 41..90 floor
    uint8_t block_variant;     // 1
    uint16_t block_image;      // 2, also the remembered terrain sprite
    uint8_t shape;             // 4, area kind of the shape that made the cell
    uint8_t area;              // 5
    uint8_t vault_zone;        // 6
    uint8_t furniture;         // 7
    uint8_t furniture_variant; // 8
    uint8_t furniture_state;   // 9
    uint8_t free10[2];
    uint16_t furniture_value; // 12, also the remembered furniture sprite
    uint8_t lock;             // 14
    uint8_t free15;
    uint16_t key_item;        // 16, key item template
    uint16_t hidden_creature; // 18, being plan
    uint8_t switch_off;       // 20, effect when turned off
    uint8_t switch_on;        // 21, effect when turned on
    uint8_t noticed;          // 22, something odd noticed
    uint8_t looted;           // 23
    uint8_t contents_seen;    // 24
    uint8_t secret_door;      // 25, search difficulty
    uint16_t trap;            // 26, item plan of the trap
    uint16_t trap_setter;     // 28, serial (low 16 bits)
    int8_t trap_difficulty;   // 30, negative once found
    uint8_t free31;
    uint16_t trap_value;    // 32
    uint16_t placement;     // 34, placement value of level contents
    uint8_t splash;         // 36
    uint8_t splash_variant; // 37
    uint16_t top_item;      // 38, index in level_items
    uint16_t loose_items;   // 40
    uint16_t held_items;    // 42, items inside the furniture
    uint16_t being;         // 44
    uint8_t footprint;      // 46, 1 = the being's own position
    uint8_t explored;       // 47

    // Other names of the same bytes.
    uint16_t& remembered_terrain() { return block_image; }
    uint16_t& remembered_furniture() { return furniture_value; }
    uint8_t& furniture_extra1() { return switch_off; }
    uint8_t& furniture_extra2() { return switch_on; }
    uint8_t& hidden_creature_mark() { return noticed; } // the furniture path flag
    uint8_t& warning() { return noticed; }              // drawn as a red "!"
    uint16_t& floor_symbol() { return placement; }      // the overlay kind
    uint8_t& splash_amount() { return splash_variant; }
};
static_assert(sizeof(tcell) == 48);
static_assert(offsetof(tcell, block_variant) == 1 && offsetof(tcell, block_image) == 2);
static_assert(offsetof(tcell, shape) == 4 && offsetof(tcell, area) == 5);
static_assert(offsetof(tcell, vault_zone) == 6 && offsetof(tcell, furniture) == 7);
static_assert(offsetof(tcell, furniture_variant) == 8 && offsetof(tcell, furniture_state) == 9);
static_assert(offsetof(tcell, furniture_value) == 12 && offsetof(tcell, lock) == 14);
static_assert(offsetof(tcell, key_item) == 16 && offsetof(tcell, hidden_creature) == 18);
static_assert(offsetof(tcell, switch_off) == 20 && offsetof(tcell, switch_on) == 21);
static_assert(offsetof(tcell, noticed) == 22 && offsetof(tcell, looted) == 23);
static_assert(offsetof(tcell, contents_seen) == 24 && offsetof(tcell, secret_door) == 25);
static_assert(offsetof(tcell, trap) == 26 && offsetof(tcell, trap_setter) == 28);
static_assert(offsetof(tcell, trap_difficulty) == 30 && offsetof(tcell, trap_value) == 32);
static_assert(offsetof(tcell, placement) == 34 && offsetof(tcell, splash) == 36);
static_assert(offsetof(tcell, splash_variant) == 37 && offsetof(tcell, top_item) == 38);
static_assert(offsetof(tcell, loose_items) == 40 && offsetof(tcell, held_items) == 42);
static_assert(offsetof(tcell, being) == 44 && offsetof(tcell, footprint) == 46);
static_assert(offsetof(tcell, explored) == 47);

constexpr int area_neighbour_count = 100;
constexpr int cell_zone_first = 31; // cell zones 31..38 keep their exit cell
constexpr int cell_zone_count = 8;

// An exit cell of a cell zone (0 none).
struct tzone_exit {
    uint16_t x;
    uint16_t y;
};
static_assert(sizeof(tzone_exit) == 4);

// One area of the current level: its shape and rectangle, kind, templates, counts kept by
// the generator and the rules, vault zones, neighbours and door states.
struct tarea {
    int32_t origin_x;                               // 0, the mark the area was built from
    int32_t origin_y;                               // 4
    int32_t direction;                              // 8
    int32_t x1;                                     // 12
    int32_t y1;                                     // 16
    int32_t x2;                                     // 20
    int32_t y2;                                     // 24
    int32_t width;                                  // 28
    int32_t height;                                 // 32
    int32_t centre_x;                               // 36
    int32_t centre_y;                               // 40
    int32_t kind;                                   // 44
    int32_t vault;                                  // 48, vault template
    int32_t cells;                                  // 52, cell count
    int32_t parent;                                 // 56, parent area
    int32_t generator_counter;                      // 60
    int32_t exits;                                  // 64, exit-neighbour count
    int32_t non_corridor_neighbours;                // 68
    int32_t dead_end_root;                          // 72
    int32_t exit_cells;                             // 76
    int32_t door_cells;                             // 80
    int32_t openings;                               // 84
    int32_t opened_doors;                           // 88
    int32_t closed_doors;                           // 92
    int32_t locked_doors;                           // 96
    int32_t passable_exits;                         // 100
    int32_t touching;                               // 104, touching count
    int32_t content;                                // 108, content template
    int32_t text;                                   // 112, description text section
    int32_t text_entry;                             // 116, description entry
    int32_t report;                                 // 120, discovery text
    int32_t doors;                                  // 124, door count; item-holding furniture count
    int32_t beings;                                 // 128, being count
    int32_t rules_counter;                          // 132, hidden living statues
    int32_t noise;                                  // 136, noise level
    int32_t switch_uses;                            // 140
    int32_t special_cells;                          // 144, floor cells
    int32_t explored_special_cells;                 // 148
    uint32_t quiet_time;                            // 152, no further sound heard from it before this
    tzone_rect zones[zone_count];                   // 156, zone z at 152 + 4z
    tzone_exit cell_zone_exits[cell_zone_count];    // 396, zones 31..38
    uint16_t zone_text[zone_count];                 // 428, z at 426 + 2z
    uint16_t zone_entry[zone_count];                // 548, z at 546 + 2z
    uint16_t exit_neighbours[area_neighbour_count]; // 668
    uint16_t touching_areas[area_neighbour_count];  // 868
    uint8_t neighbour_kind[area_neighbour_count];   // 1068
    uint8_t door_state[area_neighbour_count];       // 1168
    uint8_t exit_count[area_neighbour_count];       // 1268
    uint8_t vault_group;                            // 1368, impenetrable
    uint8_t search;                                 // 1369, search mark
    uint8_t symbol;                                 // 1370, symbol flag
    uint8_t restricted;                             // 1371, no blink
    uint8_t no_creatures;                           // 1372, no creatures or portals
    uint8_t hidden;                                 // 1373
    uint8_t discovered;                             // 1374, visited
    uint8_t explored;                               // 1375, the second exploration flag
    uint8_t skip;                                   // 1376, explore or skip flag
    uint8_t free1377;
    uint16_t ordinal; // 1378, walk ordinal
    uint8_t numbered; // 1380, numbered mark
    uint8_t free1381[3];
    uint32_t scratch; // 1384

    tzone_rect& zone(int z) { return at1(zones, z); }
    const tzone_rect& zone(int z) const { return at1(zones, z); }
    tzone_exit& cell_zone_exit(int z) { return at1(cell_zone_exits, z - cell_zone_first + 1); }
    uint16_t& exit_neighbour(int i) { return at1(exit_neighbours, i); }
    uint16_t& touching_area(int i) { return at1(touching_areas, i); }
    uint8_t& door_state_of(int i) { return at1(door_state, i); }
};
static_assert(sizeof(tarea) == 1388);
static_assert(offsetof(tarea, direction) == 8 && offsetof(tarea, x1) == 12);
static_assert(offsetof(tarea, y1) == 16 && offsetof(tarea, x2) == 20 && offsetof(tarea, y2) == 24);
static_assert(offsetof(tarea, width) == 28 && offsetof(tarea, height) == 32);
static_assert(offsetof(tarea, centre_x) == 36 && offsetof(tarea, centre_y) == 40);
static_assert(offsetof(tarea, kind) == 44 && offsetof(tarea, vault) == 48);
static_assert(offsetof(tarea, cells) == 52 && offsetof(tarea, parent) == 56);
static_assert(offsetof(tarea, generator_counter) == 60 && offsetof(tarea, exits) == 64);
static_assert(offsetof(tarea, non_corridor_neighbours) == 68 && offsetof(tarea, dead_end_root) == 72);
static_assert(offsetof(tarea, exit_cells) == 76 && offsetof(tarea, door_cells) == 80);
static_assert(offsetof(tarea, openings) == 84 && offsetof(tarea, opened_doors) == 88);
static_assert(offsetof(tarea, closed_doors) == 92 && offsetof(tarea, locked_doors) == 96);
static_assert(offsetof(tarea, passable_exits) == 100 && offsetof(tarea, touching) == 104);
static_assert(offsetof(tarea, content) == 108 && offsetof(tarea, text) == 112);
static_assert(offsetof(tarea, text_entry) == 116 && offsetof(tarea, report) == 120);
static_assert(offsetof(tarea, doors) == 124 && offsetof(tarea, beings) == 128);
static_assert(offsetof(tarea, rules_counter) == 132 && offsetof(tarea, noise) == 136);
static_assert(offsetof(tarea, switch_uses) == 140 && offsetof(tarea, special_cells) == 144);
static_assert(offsetof(tarea, explored_special_cells) == 148 && offsetof(tarea, quiet_time) == 152);
static_assert(offsetof(tarea, zones) == 156 && offsetof(tarea, cell_zone_exits) == 396);
static_assert(offsetof(tarea, zone_text) == 428 && offsetof(tarea, zone_entry) == 548);
static_assert(offsetof(tarea, exit_neighbours) == 668 && offsetof(tarea, touching_areas) == 868);
static_assert(offsetof(tarea, neighbour_kind) == 1068 && offsetof(tarea, door_state) == 1168);
static_assert(offsetof(tarea, exit_count) == 1268 && offsetof(tarea, vault_group) == 1368);
static_assert(offsetof(tarea, search) == 1369 && offsetof(tarea, symbol) == 1370);
static_assert(offsetof(tarea, restricted) == 1371 && offsetof(tarea, no_creatures) == 1372);
static_assert(offsetof(tarea, hidden) == 1373 && offsetof(tarea, discovered) == 1374);
static_assert(offsetof(tarea, explored) == 1375 && offsetof(tarea, skip) == 1376);
static_assert(offsetof(tarea, ordinal) == 1378 && offsetof(tarea, numbered) == 1380);
static_assert(offsetof(tarea, scratch) == 1384);

// A level file's record of one non-zero cell field: the cell, the field code 1..23 and
// its value.
struct tlevel_change {
    uint8_t x;      // 0
    uint8_t y;      // 1
    uint8_t code;   // 2
    uint8_t zero;   // 3, always 0
    uint16_t value; // 4
};
static_assert(sizeof(tlevel_change) == 6);
static_assert(offsetof(tlevel_change, code) == 2 && offsetof(tlevel_change, zero) == 3);
static_assert(offsetof(tlevel_change, value) == 4);
static_assert(offsetof(tlevel_change, y) == 1);

#pragma pack(pop)

} // namespace dravok
