// The template records of the game database: item plans, talents and being plans. Content
// written by the database builder; the trailing counters are run time and saved per game.
#pragma once
#include <cstddef>
#include <cstdint>

#include "records/layout_base.h"
#include "records/layout_dice.h"
#include "records/layout_parts.h"

namespace dravok {

constexpr int item_group_id_count = 10;
constexpr int talent_group_id_count = 20;   // groups a talent belongs to
constexpr int plan_talent_group_count = 10; // talent groups a being plan draws from
constexpr int spawn_group_id_count = 20;
constexpr int kit_entry_count = 10;
constexpr int attitude_preset_count = 30;
constexpr int fear_preset_count = 10;

#pragma pack(push, 1)

struct titem_plan {
    pstring<30> identifier; // 0
    uint8_t free31;
    uint16_t level_limit;     // 32, per level
    uint16_t game_limit;      // 34, per game
    uint8_t min_enchantment;  // 36
    uint8_t max_enchantment;  // 37
    int8_t enchantment_depth; // 38, enchantment depth modifier
    uint8_t min_depth;        // 39, lowest dungeon depth
    uint8_t max_depth;        // 40, highest dungeon depth
    uint8_t free41[3];
    uint8_t flags[item_flag_count]; // 44, flag i (0..78) at 44 + i
    uint8_t free123;
    uint16_t groups[item_group_id_count]; // 124, item-group ids
    tdice amount;                         // 144
    uint16_t choice;                      // 182, choice number (scratch)
    uint8_t picked;                       // 184, times picked (scratch)
    uint8_t free185[13];
    tdice ability_modifier[ability_count];        // 198, k at 160 + 38k
    tdice skill_modifier[skill_count];            // 350, k at 312 + 38k
    tdice resistance_modifier[damage_type_count]; // 616, t at 578 + 38t
    int8_t ability_minimum[ability_count];        // 1110, k at 1109 + k
    uint8_t health_regen_bonus;                   // 1114, copied to the item's 257..270
    uint8_t health_delay_reduction;               // 1115
    uint8_t stamina_regen_bonus;                  // 1116
    uint8_t stamina_delay_reduction;              // 1117
    int8_t speed;                                 // 1118
    int8_t movement;                              // 1119
    uint8_t max_motion;                           // 1120
    uint8_t device_difficulty;                    // 1121
    int8_t melee_attack;                          // 1122
    int8_t melee_defence;                         // 1123
    int8_t ranged_attack;                         // 1124
    int8_t ranged_defence;                        // 1125
    int8_t critical_attack;                       // 1126
    int8_t critical_defence;                      // 1127
    tdamage_dice damage;                          // 1128
    tdice range;                                  // 1630
    tdice charges;                                // 1668
    uint8_t light_radius;                         // 1706, while worn
    uint8_t dark_vision;                          // 1707, while worn
    uint32_t weight;                              // 1708, unit weight
    uint32_t price;                               // 1712, base price
    uint8_t free1716;
    uint8_t status[status_count];               // 1717, s at 1716 + s
    uint8_t device_status[device_status_count]; // 1836, s = 99..113 at 1737 + s
    uint8_t free1851[5];
    teffect hit_effect;        // 1856
    teffect activation_effect; // 2772
    teffect trap_effect;       // 3688
    uint8_t free4604[4];
    uint16_t last_image; // 4608, last image used
    uint8_t free4610[6];
    pstring<30> name; // 4616, display name
    uint8_t free4647;
    uint16_t created_on_level; // 4648, against the per-level limit
    uint16_t created_in_game;  // 4650, against the per-game limit
    uint16_t uses;             // 4652
    uint16_t counter4;         // 4654

    uint8_t& status_of(int s) { return at1(status, s); }
    uint8_t& device_status_of(int s) { return at1(device_status, s - device_status_first + 1); }
    tdice& ability_modifier_of(int k) { return at1(ability_modifier, k); }
    tdice& skill_modifier_of(int k) { return at1(skill_modifier, k); }
    tdice& resistance_modifier_of(int t) { return at1(resistance_modifier, t); }
};
static_assert(sizeof(titem_plan) == 4656);
static_assert(offsetof(titem_plan, level_limit) == 32 && offsetof(titem_plan, game_limit) == 34);
static_assert(offsetof(titem_plan, min_enchantment) == 36 && offsetof(titem_plan, max_enchantment) == 37);
static_assert(offsetof(titem_plan, enchantment_depth) == 38 && offsetof(titem_plan, min_depth) == 39);
static_assert(offsetof(titem_plan, max_depth) == 40 && offsetof(titem_plan, flags) == 44);
static_assert(offsetof(titem_plan, groups) == 124 && offsetof(titem_plan, amount) == 144);
static_assert(offsetof(titem_plan, choice) == 182 && offsetof(titem_plan, picked) == 184);
static_assert(offsetof(titem_plan, ability_modifier) == 198 && offsetof(titem_plan, skill_modifier) == 350);
static_assert(offsetof(titem_plan, resistance_modifier) == 616 &&
              offsetof(titem_plan, ability_minimum) == 1110);
static_assert(offsetof(titem_plan, health_regen_bonus) == 1114 && offsetof(titem_plan, speed) == 1118);
static_assert(offsetof(titem_plan, critical_defence) == 1127 && offsetof(titem_plan, damage) == 1128);
static_assert(offsetof(titem_plan, range) == 1630 && offsetof(titem_plan, charges) == 1668);
static_assert(offsetof(titem_plan, light_radius) == 1706 && offsetof(titem_plan, dark_vision) == 1707);
static_assert(offsetof(titem_plan, weight) == 1708 && offsetof(titem_plan, price) == 1712);
static_assert(offsetof(titem_plan, status) == 1717 && offsetof(titem_plan, device_status) == 1836);
static_assert(offsetof(titem_plan, hit_effect) == 1856 && offsetof(titem_plan, activation_effect) == 2772);
static_assert(offsetof(titem_plan, trap_effect) == 3688);
static_assert(offsetof(titem_plan, trap_effect) + offsetof(teffect, kind) == 3888);
static_assert(offsetof(titem_plan, last_image) == 4608 && offsetof(titem_plan, name) == 4616);
static_assert(offsetof(titem_plan, created_on_level) == 4648 &&
              offsetof(titem_plan, created_in_game) == 4650);
static_assert(offsetof(titem_plan, uses) == 4652 && offsetof(titem_plan, counter4) == 4654);

struct ttalent {
    pstring<30> identifier;                 // 0
    pstring<30> name;                       // 31, display name
    uint8_t type;                           // 62
    uint8_t kind;                           // 63
    uint16_t groups[talent_group_id_count]; // 64, talent group ids
    uint8_t candidate;                      // 104, scratch
    uint8_t free105[3];
    teffect effect;                         // 108
    uint8_t min_level;                      // 1024
    uint8_t max_level;                      // 1025
    int8_t required_ability[ability_count]; // 1026
    int8_t required_skill[skill_count];     // 1030
    uint8_t required_talent[talent_count];  // 1037, t at 1036 + t
    uint8_t skill;                          // 1187, skill checked
    int8_t difficulty;                      // 1188, check difficulty
    uint8_t stamina;                        // 1189, stamina cost
    uint16_t action_time;                   // 1190
    uint8_t free1192;
    uint8_t status[status_count]; // 1193, permanent status s at 1192 + s
    uint8_t free1312;
    uint8_t use_status[status_count]; // 1313, on-use status s at 1312 + s
    tcell_xy aim;                     // 1432, scratch
    uint8_t free1434[6];

    uint8_t& required_talent_of(int t) { return at1(required_talent, t); }
    uint8_t& status_of(int s) { return at1(status, s); }
    uint8_t& use_status_of(int s) { return at1(use_status, s); }
};
static_assert(sizeof(ttalent) == 1440);
static_assert(offsetof(ttalent, name) == 31 && offsetof(ttalent, type) == 62);
static_assert(offsetof(ttalent, kind) == 63 && offsetof(ttalent, groups) == 64);
static_assert(offsetof(ttalent, candidate) == 104 && offsetof(ttalent, effect) == 108);
static_assert(offsetof(ttalent, min_level) == 1024 && offsetof(ttalent, max_level) == 1025);
static_assert(offsetof(ttalent, required_ability) == 1026 && offsetof(ttalent, required_skill) == 1030);
static_assert(offsetof(ttalent, required_talent) == 1037 && offsetof(ttalent, skill) == 1187);
static_assert(offsetof(ttalent, difficulty) == 1188 && offsetof(ttalent, stamina) == 1189);
static_assert(offsetof(ttalent, action_time) == 1190 && offsetof(ttalent, status) == 1193);
static_assert(offsetof(ttalent, use_status) == 1313 && offsetof(ttalent, aim) == 1432);

// An attitude or fear preset of a being plan: a creature group and the value toward it.
struct temotion_preset {
    uint16_t group;
    int16_t value;
};
static_assert(sizeof(temotion_preset) == 4);

struct tbeing_plan {
    pstring<40> identifier; // 0
    pstring<30> name;       // 41, may list several
    pstring<30> title;      // 72
    uint8_t free103[3];
    uint8_t type_flags[type_flag_count];         // 106, flag i (0..219) at 106 + i
    uint16_t spawn_groups[spawn_group_id_count]; // 326, j = 0..19 at 326 + 2j, up to the first 0
    uint16_t spawn_ordinal;                      // 366, per-level scratch
    uint8_t spawned;                             // 368, spawned on this level (scratch)
    uint8_t width;                               // 369
    uint8_t height;                              // 370
    uint8_t dark_vision;                         // 371
    uint8_t special;                             // 372, special kind 1..8
    uint8_t free373[3];
    tdice ability[ability_count]; // 376, k at 338 + 38k
    tdice race_bonus;             // 528, added to one random ability by a reroll
    uint8_t free566[2];
    tdice skill[skill_count]; // 568, k at 530 + 38k
    uint8_t free834[2];
    tdice resistance[damage_type_count]; // 836, t at 798 + 38t
    tdice multiplier[damage_type_count]; // 1330, damage multiplier t at 1292 + 38t
    uint8_t free1824;
    uint8_t status[status_count];                      // 1825, s at 1824 + s
    uint16_t talent_groups[plan_talent_group_count];   // 1944, i at 1942 + 2i
    tdice talent_group_count[plan_talent_group_count]; // 1964, i at 1926 + 38i
    uint8_t talent[talent_count];                      // 2344, t at 2343 + t
    uint8_t free2494[2];
    tdice health;                 // 2496
    tdice stamina;                // 2534
    tdice companion_health;       // 2572
    tdice companion_stamina;      // 2610
    uint16_t health_regen;        // 2648
    uint16_t health_regen_delay;  // 2650
    uint16_t stamina_regen;       // 2652
    uint16_t stamina_regen_delay; // 2654
    uint8_t free2656;
    int8_t speed_bonus;                                      // 2657, movement speed bonus
    uint16_t cap;                                            // 2658, creation limit per level
    uint16_t max_per_game;                                   // 2660, 1 = unique
    temotion_preset attitude_presets[attitude_preset_count]; // 2662
    temotion_preset fear_presets[fear_preset_count];         // 2782
    uint8_t free2822[2];
    tnatural_attack natural_attacks[natural_attack_count]; // 2824, i at 1352 + 1472i
    uint8_t furniture_owned[furniture_kind_count];         // 20488, f at 20487 + f
    uint8_t ai_preset;                                     // 20548
    uint8_t wake_up;                                       // 20549
    tdice idle_turns_before_sleep;                         // 20550, idle turns before sleeping
    tdice sleep_turns;                                     // 20588, turns asleep
    uint8_t morale_index;                                  // 20626
    uint8_t behaviour;                                     // 20627
    uint8_t fighting_style;                                // 20628
    uint8_t preferred_distance;                            // 20629
    uint16_t kit_class[kit_entry_count];                   // 20630, i at 20628 + 2i
    tdice kit_count[kit_entry_count];                      // 20650, i at 20612 + 38i
    uint16_t kit_plan[kit_entry_count];                    // 21030, fixed kit item plan, i at 21028 + 2i
    tdice kit_amount[kit_entry_count];                     // 21050, i at 21012 + 38i
    uint8_t wish[item_wish_count];                         // 21430, i at 21429 + i
    uint8_t prison_wish[item_wish_count];                  // 21508, prison-cell wishes
    uint8_t free21586[2];
    uint8_t spawn_limit;         // 21588, limit per level for spawning
    uint8_t level_cap;           // 21589, automatic level cap
    int8_t kit_enchantment;      // 21590, kit enchantment bonus
    uint8_t last_variant;        // 21591, last-used image variant (run time)
    uint8_t reroll_chance;       // 21592, percent
    uint8_t extra_skill_points;  // 21593
    uint8_t extra_talent_points; // 21594
    uint8_t free21595[8];
    uint8_t comments_friend_killed; // 21603
    uint8_t comments_kills;         // 21604
    uint8_t free21605[43];
    uint32_t chatter_switch[chatter_trigger_count];  // 21648, t at 21644 + 4t; non-zero = may say it
    uint8_t reaction[creature_type_count];           // 21880, i at 21879 + i
    uint8_t kill_comment_type[creature_type_count];  // 22099, t at 22098 + t
    uint8_t friend_death_type[creature_type_count];  // 22318, t at 22317 + t
    uint8_t used_variants[used_image_variant_count]; // 22537 (run time)
    uint8_t free22568[100];
    pstring<30> unique_title; // 22668, run time
    uint8_t free22699;
    uint16_t created_on_level; // 22700, against the cap
    uint16_t created_in_game;  // 22702, against the maximum per game
    uint16_t first_sightings;  // 22704
    uint16_t player_kills;     // 22706, kills by the player
    uint16_t kills;            // 22708
    uint8_t free22710[2];

    uint8_t& status_of(int s) { return at1(status, s); }
    uint8_t& talent_of(int t) { return at1(talent, t); }
    tdice& ability_of(int k) { return at1(ability, k); }
    tdice& skill_of(int k) { return at1(skill, k); }
    tdice& resistance_of(int t) { return at1(resistance, t); }
    tdice& multiplier_of(int t) { return at1(multiplier, t); }
    tnatural_attack& natural_attack(int i) { return at1(natural_attacks, i); }
    uint8_t& furniture_owned_of(int f) { return at1(furniture_owned, f); }
    uint8_t& wish_of(int i) { return at1(wish, i); }
    uint32_t& chatter_switch_of(int t) { return at1(chatter_switch, t); }
    uint32_t chatter_switch_of(int t) const { return at1(chatter_switch, t); }
    uint8_t& reaction_of(int i) { return at1(reaction, i); }
};
static_assert(sizeof(tbeing_plan) == 22712);
static_assert(offsetof(tbeing_plan, name) == 41 && offsetof(tbeing_plan, title) == 72);
static_assert(offsetof(tbeing_plan, type_flags) == 106 && offsetof(tbeing_plan, spawn_groups) == 326);
static_assert(offsetof(tbeing_plan, spawn_ordinal) == 366 && offsetof(tbeing_plan, spawned) == 368);
static_assert(offsetof(tbeing_plan, width) == 369 && offsetof(tbeing_plan, height) == 370);
static_assert(offsetof(tbeing_plan, dark_vision) == 371 && offsetof(tbeing_plan, special) == 372);
static_assert(offsetof(tbeing_plan, ability) == 376 && offsetof(tbeing_plan, race_bonus) == 528);
static_assert(offsetof(tbeing_plan, skill) == 568 && offsetof(tbeing_plan, resistance) == 836);
static_assert(offsetof(tbeing_plan, multiplier) == 1330 && offsetof(tbeing_plan, status) == 1825);
static_assert(offsetof(tbeing_plan, talent_groups) == 1944 &&
              offsetof(tbeing_plan, talent_group_count) == 1964);
static_assert(offsetof(tbeing_plan, talent) == 2344 && offsetof(tbeing_plan, health) == 2496);
static_assert(offsetof(tbeing_plan, stamina) == 2534 && offsetof(tbeing_plan, companion_health) == 2572);
static_assert(offsetof(tbeing_plan, companion_stamina) == 2610 &&
              offsetof(tbeing_plan, health_regen) == 2648);
static_assert(offsetof(tbeing_plan, speed_bonus) == 2657 && offsetof(tbeing_plan, cap) == 2658);
static_assert(offsetof(tbeing_plan, max_per_game) == 2660 && offsetof(tbeing_plan, attitude_presets) == 2662);
static_assert(offsetof(tbeing_plan, fear_presets) == 2782 && offsetof(tbeing_plan, natural_attacks) == 2824);
static_assert(offsetof(tbeing_plan, furniture_owned) == 20488 && offsetof(tbeing_plan, ai_preset) == 20548);
static_assert(offsetof(tbeing_plan, wake_up) == 20549 &&
              offsetof(tbeing_plan, idle_turns_before_sleep) == 20550);
static_assert(offsetof(tbeing_plan, sleep_turns) == 20588 && offsetof(tbeing_plan, morale_index) == 20626);
static_assert(offsetof(tbeing_plan, behaviour) == 20627 && offsetof(tbeing_plan, kit_class) == 20630);
static_assert(offsetof(tbeing_plan, kit_count) == 20650 && offsetof(tbeing_plan, kit_plan) == 21030);
static_assert(offsetof(tbeing_plan, kit_amount) == 21050 && offsetof(tbeing_plan, wish) == 21430);
static_assert(offsetof(tbeing_plan, prison_wish) == 21508 && offsetof(tbeing_plan, spawn_limit) == 21588);
static_assert(offsetof(tbeing_plan, level_cap) == 21589 && offsetof(tbeing_plan, kit_enchantment) == 21590);
static_assert(offsetof(tbeing_plan, last_variant) == 21591 && offsetof(tbeing_plan, reroll_chance) == 21592);
static_assert(offsetof(tbeing_plan, extra_skill_points) == 21593 &&
              offsetof(tbeing_plan, extra_talent_points) == 21594);
static_assert(offsetof(tbeing_plan, comments_friend_killed) == 21603 &&
              offsetof(tbeing_plan, comments_kills) == 21604);
static_assert(offsetof(tbeing_plan, chatter_switch) == 21648);
static_assert(offsetof(tbeing_plan, chatter_switch) + 4 * (35 - 1) == 21784); // follower_idle_chatter
static_assert(offsetof(tbeing_plan, chatter_switch) + 4 * (50 - 1) == 21844); // idle_chatter
static_assert(offsetof(tbeing_plan, reaction) == 21880 && offsetof(tbeing_plan, kill_comment_type) == 22099);
static_assert(offsetof(tbeing_plan, friend_death_type) == 22318 &&
              offsetof(tbeing_plan, used_variants) == 22537);
static_assert(offsetof(tbeing_plan, unique_title) == 22668 &&
              offsetof(tbeing_plan, created_on_level) == 22700);
static_assert(offsetof(tbeing_plan, created_in_game) == 22702 &&
              offsetof(tbeing_plan, first_sightings) == 22704);
static_assert(offsetof(tbeing_plan, player_kills) == 22706 && offsetof(tbeing_plan, kills) == 22708);

#pragma pack(pop)

} // namespace dravok
