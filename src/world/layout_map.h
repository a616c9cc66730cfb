// The records of the map: one cell of the 128 x 128 grid, one area of a level, and the
// change record a level file stores for each non-zero cell field.
#pragma once
#include <cstddef>
#include <cstdint>

#include "world/layout_base.h"

namespace dravok {

#pragma pack(push, 1)

// One map cell: block, area, furniture with its lock and switch settings, trap, splash,
// the items and the being on it, and the player's explored mark.
struct tcell {
    uint8_t block;                // 0, block kind: 1..40 wall, 41..90 floor
    uint8_t block_variant;        // 1
    uint16_t block_image;         // 2, also the remembered terrain sprite
    uint8_t shape;                // 4, area kind of the shape that made the cell
    uint8_t area;                 // 5
    uint8_t vault_zone;           // 6
    uint8_t furniture;            // 7
    uint8_t furniture_variant;    // 8
    uint8_t furniture_state;      // 9
    uint8_t free10[2];
    uint16_t furniture_value;     // 12, also the remembered furniture sprite
    uint8_t lock;                 // 14
    uint8_t free15;
    uint16_t key_item;            // 16, key item template
    uint16_t hidden_creature;     // 18, being plan
    uint8_t switch_off;           // 20, effect when turned off
    uint8_t switch_on;            // 21, effect when turned on
    uint8_t noticed;              // 22, something odd noticed
    uint8_t looted;               // 23
    uint8_t contents_seen;        // 24
    uint8_t secret_door;          // 25, search difficulty
    uint16_t trap;                // 26, item plan of the trap
    uint16_t trap_setter;         // 28, serial (low 16 bits)
    int8_t trap_difficulty;       // 30, negative once found
    uint8_t free31;
    uint16_t trap_value;          // 32
    uint16_t placement;           // 34, placement value of level contents
    uint8_t splash;               // 36
    uint8_t splash_variant;       // 37
    uint16_t top_item;            // 38, index in level_items
    uint16_t loose_items;         // 40
    uint16_t held_items;          // 42, items inside the furniture
    uint16_t being;               // 44
    uint8_t footprint;            // 46, 1 = the being's own position
    uint8_t explored;             // 47

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

#pragma pack(pop)

} // namespace dravok
