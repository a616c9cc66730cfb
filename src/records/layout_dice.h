// The dice records: a dice formula, one formula per damage type, and a rolled damage.
// Shared by every record below them; the dice code rolls them (see dice.h).
#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>

#include "records/layout_base.h"

namespace dravok {

#pragma pack(push, 1)

// A dice formula: count d sides + bonus, with ability, per-level, per-dungeon-level and
// per-skill parts, and the being whose values it reads.
struct tdice {
    uint8_t count;             // 0
    uint8_t sides;             // 1
    int16_t bonus;             // 2
    int8_t ability;            // 4
    uint8_t all_flag;          // 5
    int16_t per_level;         // 6
    uint8_t per_level_divisor; // 8
    uint8_t free9;
    int16_t per_dungeon_level;         // 10
    uint8_t per_dungeon_level_divisor; // 12
    uint8_t free13;
    int16_t per_skill[skill_count];         // 14, skill s at 14 + 2(s-1)
    uint8_t per_skill_divisor[skill_count]; // 28
    uint8_t free35;
    uint16_t owner; // 36
};
static_assert(sizeof(tdice) == 38);
static_assert(offsetof(tdice, per_level_divisor) == 8 && offsetof(tdice, per_dungeon_level) == 10);
static_assert(offsetof(tdice, per_skill) == 14 && offsetof(tdice, per_skill_divisor) == 28);
static_assert(offsetof(tdice, owner) == 36);
static_assert(offsetof(tdice, sides) == 1 && offsetof(tdice, bonus) == 2 && offsetof(tdice, ability) == 4);
static_assert(offsetof(tdice, all_flag) == 5 && offsetof(tdice, per_level) == 6);
static_assert(offsetof(tdice, per_dungeon_level_divisor) == 12);

// One formula per damage type (blunt .. necrotic) and the bonus against a creature type.
struct tdamage_dice {
    tdice type[damage_type_count]; // 0, type t at 38(t-1)
    uint16_t owner;                // 494
    uint16_t against_type;         // 496
    int8_t against_hit;            // 498
    int8_t against_damage;         // 499
    uint8_t against_multiplier;    // 500
    uint8_t free501;

    tdice& of(int t) { return type[t - 1]; }
    const tdice& of(int t) const { return type[t - 1]; }
};
static_assert(sizeof(tdamage_dice) == 502);
static_assert(offsetof(tdamage_dice, owner) == 494 && offsetof(tdamage_dice, against_multiplier) == 500);
static_assert(offsetof(tdamage_dice, against_type) == 496 && offsetof(tdamage_dice, against_hit) == 498);
static_assert(offsetof(tdamage_dice, against_damage) == 499);

// A rolled damage: the amount of each type, the total and whether it was a critical.
struct tdamage {
    int32_t amount[damage_type_count];     // 0, type t at 4(t-1)
    int16_t raw_amount[damage_type_count]; // 52, the amounts as rolled
    uint8_t free78[2];
    int32_t total;         // 80
    int32_t physical_type; // 84
    uint8_t critical;      // 88
    uint8_t killed;        // 89, set on the result that killed its target
    uint8_t free90[2];

    int32_t& of(int t) { return amount[t - 1]; }
    int32_t of(int t) const { return amount[t - 1]; }
};
static_assert(sizeof(tdamage) == 92);
static_assert(offsetof(tdamage, raw_amount) == 52 && offsetof(tdamage, total) == 80);
static_assert(offsetof(tdamage, physical_type) == 84 && offsetof(tdamage, critical) == 88);
static_assert(offsetof(tdamage, killed) == 89);

#pragma pack(pop)

} // namespace dravok
