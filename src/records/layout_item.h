// The item record: one item on the floor, in furniture or carried (2876 bytes, stored raw
// in level files, saves and the pantheon). Reached through world/layout.h.
#pragma once
#include <cstddef>
#include <cstdint>

#include "records/layout_base.h"
#include "records/layout_dice.h"
#include "records/layout_parts.h"

namespace dravok {

constexpr int item_chatter_first = 52; // item chatter triggers 52..58
constexpr int item_chatter_count = 7;

#pragma pack(push, 1)

struct titem {
    pstring<30> identifier;         // 0
    pstring<50> name;               // 31, display name
    uint16_t plan;                  // 82, template index in item_plans; 0 = free entry
    uint8_t flags[item_flag_count]; // 84, flag i (0..78) at 84 + i
    uint8_t category;               // 163
    uint8_t item_class;             // 164
    uint8_t free165[3];
    int32_t serial;    // 168
    uint32_t weight;   // 172, unit weight
    int32_t amount;    // 176
    uint8_t stackable; // 180
    uint8_t free181;
    uint16_t god_number;    // 182
    uint32_t value;         // 184
    uint32_t time_received; // 188, first received
    uint32_t time_equipped; // 192, first equipped
    uint8_t depth_received; // 196, depth first received
    uint8_t free197[3];
    uint32_t owner_serial; // 200, the last receiver
    uint8_t x;             // 204
    uint8_t y;             // 205
    uint8_t holder;        // 206, holding furniture
    uint8_t free207;
    uint16_t image;                         // 208
    uint16_t icon;                          // 210
    uint8_t slot;                           // 212, equipment slot
    uint8_t quickslot;                      // 213
    int8_t ability_minimum[ability_count];  // 214
    int8_t ability_modifier[ability_count]; // 218
    int8_t skill_modifier[skill_count];     // 222
    uint8_t free229;
    int16_t resistance_modifier[damage_type_count]; // 230
    int8_t enchantment;                             // 256
    uint8_t health_regen_bonus;                     // 257
    uint8_t health_delay_reduction;                 // 258
    uint8_t stamina_regen_bonus;                    // 259
    uint8_t stamina_delay_reduction;                // 260
    int8_t speed;                                   // 261
    int8_t movement;                                // 262, movement modifier
    uint8_t max_motion;                             // 263, highest usable motion
    uint8_t device_difficulty;                      // 264
    int8_t melee_attack;                            // 265
    int8_t melee_defence;                           // 266
    int8_t ranged_attack;                           // 267
    int8_t ranged_defence;                          // 268
    int8_t critical_attack;                         // 269
    int8_t critical_defence;                        // 270
    uint8_t free271;
    tdamage_dice damage; // 272
    tdice range;         // 774
    uint8_t free812;
    uint8_t status[status_count];               // 813, status s at 812 + s
    uint8_t device_status[device_status_count]; // 932, s = 99..113 at 833 + s
    uint8_t charges;                            // 947
    uint8_t light_radius;                       // 948, while worn
    uint8_t dark_vision;                        // 949, while worn
    uint8_t free950[2];
    teffect hit_effect;        // 952
    teffect activation_effect; // 1868
    pstring<30> corpse_name;   // 2784
    uint8_t free2815[2];
    uint8_t corpse_category;                   // 2817
    uint8_t corpse_race;                       // 2818
    uint8_t corpse_size;                       // 2819, 1..4
    uint16_t corpse_plan;                      // 2820, the dead being's template
    uint16_t corpse_health;                    // 2822, health at death
    int32_t corpse_serial;                     // 2824, the dead being's serial
    uint32_t corpse_time;                      // 2828, when the corpse was first laid
    int32_t corpse_killer;                     // 2832, the killer's serial
    uint32_t chatter_time[item_chatter_count]; // 2836, trigger t at 2836 + 4(t-52)
    uint8_t free2864[4];
    uint32_t tag;  // 2868
    uint16_t tag2; // 2872, second tag
    uint8_t free2874[2];

    uint8_t& status_of(int s) { return at1(status, s); }
    uint8_t status_of(int s) const { return at1(status, s); }
    uint8_t& device_status_of(int s) { return at1(device_status, s - device_status_first + 1); }
    int8_t& skill_modifier_of(int k) { return at1(skill_modifier, k); }
    int8_t& ability_modifier_of(int k) { return at1(ability_modifier, k); }
    int8_t& ability_minimum_of(int k) { return at1(ability_minimum, k); }
    int16_t& resistance_modifier_of(int t) { return at1(resistance_modifier, t); }
    uint32_t& chatter_time_of(int t) { return at1(chatter_time, t - item_chatter_first + 1); }
};
static_assert(sizeof(titem) == 2876);
static_assert(offsetof(titem, name) == 31 && offsetof(titem, plan) == 82);
static_assert(offsetof(titem, flags) == 84 && offsetof(titem, category) == 163);
static_assert(offsetof(titem, item_class) == 164 && offsetof(titem, serial) == 168);
static_assert(offsetof(titem, weight) == 172 && offsetof(titem, amount) == 176);
static_assert(offsetof(titem, stackable) == 180 && offsetof(titem, god_number) == 182);
static_assert(offsetof(titem, value) == 184 && offsetof(titem, time_received) == 188);
static_assert(offsetof(titem, time_equipped) == 192 && offsetof(titem, depth_received) == 196);
static_assert(offsetof(titem, owner_serial) == 200 && offsetof(titem, x) == 204);
static_assert(offsetof(titem, y) == 205 && offsetof(titem, holder) == 206);
static_assert(offsetof(titem, image) == 208 && offsetof(titem, icon) == 210);
static_assert(offsetof(titem, slot) == 212 && offsetof(titem, quickslot) == 213);
static_assert(offsetof(titem, ability_minimum) == 214 && offsetof(titem, ability_modifier) == 218);
static_assert(offsetof(titem, skill_modifier) == 222 && offsetof(titem, resistance_modifier) == 230);
static_assert(offsetof(titem, enchantment) == 256 && offsetof(titem, health_regen_bonus) == 257);
static_assert(offsetof(titem, health_delay_reduction) == 258 && offsetof(titem, stamina_regen_bonus) == 259);
static_assert(offsetof(titem, stamina_delay_reduction) == 260 && offsetof(titem, speed) == 261);
static_assert(offsetof(titem, movement) == 262 && offsetof(titem, max_motion) == 263);
static_assert(offsetof(titem, device_difficulty) == 264 && offsetof(titem, melee_attack) == 265);
static_assert(offsetof(titem, melee_defence) == 266 && offsetof(titem, ranged_attack) == 267);
static_assert(offsetof(titem, ranged_defence) == 268 && offsetof(titem, critical_attack) == 269);
static_assert(offsetof(titem, critical_defence) == 270 && offsetof(titem, damage) == 272);
static_assert(offsetof(titem, range) == 774 && offsetof(titem, status) == 813);
static_assert(offsetof(titem, device_status) == 932 && offsetof(titem, charges) == 947);
static_assert(offsetof(titem, light_radius) == 948 && offsetof(titem, dark_vision) == 949);
static_assert(offsetof(titem, hit_effect) == 952 && offsetof(titem, activation_effect) == 1868);
static_assert(offsetof(titem, corpse_name) == 2784 && offsetof(titem, corpse_category) == 2817);
static_assert(offsetof(titem, corpse_race) == 2818 && offsetof(titem, corpse_size) == 2819);
static_assert(offsetof(titem, corpse_plan) == 2820 && offsetof(titem, corpse_health) == 2822);
static_assert(offsetof(titem, corpse_serial) == 2824 && offsetof(titem, corpse_time) == 2828);
static_assert(offsetof(titem, corpse_killer) == 2832 && offsetof(titem, chatter_time) == 2836);
static_assert(offsetof(titem, tag) == 2868 && offsetof(titem, tag2) == 2872);

#pragma pack(pop)

} // namespace dravok
