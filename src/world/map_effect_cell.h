// What the lasting effects leave on one map cell, a fixed-layout record.
#pragma once
#include <cstddef>
#include <cstdint>

#include "records/layout_base.h"

namespace dravok {

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

} // namespace dravok
