// The building blocks embedded in the larger records: sounds, attitude entries, noted
// items, quickslots, paths, effects, natural attacks, weapon sets, action memories,
// placement requests and portals. Byte-exact; reached through world/layout.h.
#pragma once
#include <cstddef>
#include <cstdint>

#include "records/layout_base.h"
#include "records/layout_dice.h"

namespace dravok {

#pragma pack(push, 1)

// A sound event: where, what, who made it, how loud, where it was heard and when.
struct tsound {
    uint8_t x;               // 0
    uint8_t y;               // 1
    uint16_t kind;           // 2
    uint16_t maker;          // 4
    uint16_t loudness;       // 6
    uint16_t distance;       // 8
    uint16_t area;           // 10
    uint16_t half_loudness;  // 12
    uint16_t heard_loudness; // 14
    uint32_t time;           // 16
};
static_assert(sizeof(tsound) == 20);
static_assert(offsetof(tsound, kind) == 2 && offsetof(tsound, maker) == 4);
static_assert(offsetof(tsound, y) == 1);
static_assert(offsetof(tsound, loudness) == 6 && offsetof(tsound, distance) == 8);
static_assert(offsetof(tsound, area) == 10 && offsetof(tsound, half_loudness) == 12);
static_assert(offsetof(tsound, heard_loudness) == 14 && offsetof(tsound, time) == 16);

// One entry of a being's attitude or fear table, about the being with this serial.
struct temotion {
    int32_t serial;               // 0
    int16_t value;                // 4
    int16_t previous_value;       // 6
    uint16_t distance;            // 8
    uint16_t turns_unseen;        // 10
    uint16_t informant;           // 12
    uint8_t x;                    // 14
    uint8_t y;                    // 15
    uint32_t time_seen;           // 16
    uint32_t time_turned_hostile; // 20
    uint8_t clear_shot;           // 24
    uint8_t free25[3];
};
static_assert(sizeof(temotion) == 28);
static_assert(offsetof(temotion, value) == 4 && offsetof(temotion, previous_value) == 6);
static_assert(offsetof(temotion, distance) == 8 && offsetof(temotion, turns_unseen) == 10);
static_assert(offsetof(temotion, informant) == 12 && offsetof(temotion, x) == 14);
static_assert(offsetof(temotion, y) == 15 && offsetof(temotion, time_seen) == 16);
static_assert(offsetof(temotion, time_turned_hostile) == 20 && offsetof(temotion, clear_shot) == 24);

// An item a being has noticed on the level (x 0 = empty entry).
struct tnoted_item {
    uint8_t x;         // 0
    uint8_t y;         // 1
    uint16_t item;     // 2, index in level_items
    uint16_t distance; // 4
    uint8_t free6[2];
    uint32_t serial; // 8
    uint8_t skip;    // 12, the last walk toward it failed
    uint8_t free13[3];
};
static_assert(sizeof(tnoted_item) == 16);
static_assert(offsetof(tnoted_item, item) == 2 && offsetof(tnoted_item, distance) == 4);
static_assert(offsetof(tnoted_item, y) == 1);
static_assert(offsetof(tnoted_item, serial) == 8 && offsetof(tnoted_item, skip) == 12);

// Quickslot kinds.
constexpr uint8_t quickslot_empty = 0;
constexpr uint8_t quickslot_equipment = 1;
constexpr uint8_t quickslot_usable_item = 2;
constexpr uint8_t quickslot_talent = 3;

// One quickslot: an equipped item, a usable item or a talent, with its icon.
struct tquickslot {
    uint8_t kind; // 0
    uint8_t free1;
    uint16_t index;          // 2
    uint8_t equipment_slot;  // 4
    pstring<30> talent_name; // 5
    uint16_t icon;           // 36
    uint8_t free38[2];
};
static_assert(sizeof(tquickslot) == 40);
static_assert(offsetof(tquickslot, index) == 2 && offsetof(tquickslot, equipment_slot) == 4);
static_assert(offsetof(tquickslot, talent_name) == 5 && offsetof(tquickslot, icon) == 36);

// Purposes of a walk, kept in its path; each has its own limit on the search.
enum path_purpose : int {
    purpose_wander = 1,
    purpose_item = 2,
    purpose_follow = 3,
    purpose_investigate = 4,
    purpose_chase = 5,
    purpose_line_of_fire = 6,
    purpose_other_area = 7,
    purpose_flee = 8,
    purpose_correct_position = 9,
    purpose_cloud = 10,
    purpose_teleporter_follow = 11,
    purpose_teleporter_flee = 12,
    purpose_travel = 13,
};
constexpr int path_purpose_count = 13;
// The purpose of the player's autopilot travel.
constexpr int autopilot_purpose = purpose_travel;

// A found path of up to 255 steps (directions), its purpose, its ends and its search record.
struct tpath {
    uint8_t free0;                  // step numbering starts at 1
    uint8_t steps[path_step_count]; // 1, step i at byte i
    uint8_t target_area;            // 256
    uint8_t purpose;                // 257
    uint8_t start_x;                // 258
    uint8_t start_y;                // 259
    uint8_t target_x;               // 260
    uint8_t target_y;               // 261
    uint8_t next_x;                 // 262
    uint8_t next_y;                 // 263
    uint8_t last_direction;         // 264
    uint8_t free265;
    uint16_t expansions;    // 266
    uint16_t follow_target; // 268
    uint16_t length;        // 270
    uint16_t cursor;        // 272
    uint8_t free274[2];
    uint32_t beings_on_path;   // 276
    uint32_t blocked_area;     // 280
    uint32_t blocked_variant;  // 284
    int32_t last_move_result;  // 288
    uint32_t blocker;          // 292
    uint32_t times_blocked;    // 296
    uint32_t areas_entered;    // 300
    uint32_t variant1_entries; // 304
    uint32_t harmful_cells;    // 308
    uint8_t ignore_beings;     // 312
    uint8_t ignore_harm;       // 313
    uint8_t left_open_door;    // 314
    uint8_t free315;

    uint8_t& step(int i) { return at1(steps, i); }
    uint8_t step(int i) const { return at1(steps, i); }
};
static_assert(sizeof(tpath) == 316);
static_assert(offsetof(tpath, steps) == 1 && offsetof(tpath, target_area) == 256);
static_assert(offsetof(tpath, purpose) == 257 && offsetof(tpath, start_x) == 258);
static_assert(offsetof(tpath, target_x) == 260 && offsetof(tpath, next_x) == 262);
static_assert(offsetof(tpath, last_direction) == 264 && offsetof(tpath, expansions) == 266);
static_assert(offsetof(tpath, follow_target) == 268 && offsetof(tpath, length) == 270);
static_assert(offsetof(tpath, cursor) == 272 && offsetof(tpath, beings_on_path) == 276);
static_assert(offsetof(tpath, blocked_area) == 280 && offsetof(tpath, blocked_variant) == 284);
static_assert(offsetof(tpath, last_move_result) == 288 && offsetof(tpath, blocker) == 292);
static_assert(offsetof(tpath, times_blocked) == 296 && offsetof(tpath, areas_entered) == 300);
static_assert(offsetof(tpath, variant1_entries) == 304 && offsetof(tpath, harmful_cells) == 308);
static_assert(offsetof(tpath, ignore_beings) == 312 && offsetof(tpath, ignore_harm) == 313);
static_assert(offsetof(tpath, left_open_door) == 314);
static_assert(offsetof(tpath, start_y) == 259 && offsetof(tpath, target_y) == 261 &&
              offsetof(tpath, next_y) == 263);

// An effect in progress or lasting: where it comes from, its formulas, what was rolled,
// its times, who made it and whom or which cells it works on.
struct teffect {
    uint8_t source; // 0
    uint8_t free1;
    uint8_t natural_attack_kind; // 2
    uint8_t free3;
    uint32_t serial;     // 4
    uint8_t shape;       // 8
    uint8_t min_range;   // 9
    tdice range_dice;    // 10
    tdice duration_dice; // 48
    tdice periodic_dice; // 86
    tdice power_dice;    // 124
    tdice size_dice;     // 162
    uint8_t kind;        // 200, 0 = empty record
    uint8_t free201;
    tdamage_dice damage_dice; // 202
    uint8_t sub_type;         // 704
    uint8_t period;           // 705
    uint16_t graphic_frame;   // 706
    uint8_t action_kind;      // 708
    uint8_t free709;
    uint16_t item_type;                // 710
    uint16_t talent;                   // 712
    uint16_t used_item;                // 714
    uint16_t range;                    // 716, evaluated (0 = not yet rolled)
    uint16_t duration;                 // 718, evaluated, in rounds
    uint16_t power;                    // 720, evaluated
    uint16_t size;                     // 722, evaluated
    tdamage damage;                    // 724, rolled
    uint32_t start_time;               // 816
    uint32_t next_tick;                // 820
    uint32_t fade_time;                // 824
    uint32_t expiry_time;              // 828
    uint16_t origin;                   // 832, serial (low 16 bits)
    uint16_t target;                   // 834, serial (low 16 bits)
    tcell_xy aim;                      // 836
    tcell_xy cells[effect_cell_count]; // 838, cell i at 836 + 2i
    uint8_t refreshed;                 // 898
    uint8_t message_given;             // 899
    uint8_t keep_message;              // 900
    uint8_t light;                     // 901
    uint8_t animate_cells;             // 902
    uint8_t animation_frames;          // 903
    uint8_t animation_repeats;         // 904
    uint8_t graphic_index;             // 905
    uint8_t animate_target;            // 906
    uint8_t free907;
    uint16_t destination_content; // 908, a teleport's; a trap's extra value
    uint8_t free910[2];
    uint32_t processed; // 912

    // The same u16 at 908 read as a trap's extra value.
    uint16_t& extra_value() { return destination_content; }
    uint16_t extra_value() const { return destination_content; }
    tcell_xy& cell(int i) { return at1(cells, i); }
    const tcell_xy& cell(int i) const { return at1(cells, i); }
};
static_assert(sizeof(teffect) == 916);
static_assert(offsetof(teffect, natural_attack_kind) == 2 && offsetof(teffect, serial) == 4);
static_assert(offsetof(teffect, shape) == 8 && offsetof(teffect, min_range) == 9);
static_assert(offsetof(teffect, range_dice) == 10 && offsetof(teffect, duration_dice) == 48);
static_assert(offsetof(teffect, periodic_dice) == 86 && offsetof(teffect, power_dice) == 124);
static_assert(offsetof(teffect, size_dice) == 162 && offsetof(teffect, kind) == 200);
static_assert(offsetof(teffect, damage_dice) == 202 && offsetof(teffect, sub_type) == 704);
static_assert(offsetof(teffect, period) == 705 && offsetof(teffect, graphic_frame) == 706);
static_assert(offsetof(teffect, action_kind) == 708 && offsetof(teffect, item_type) == 710);
static_assert(offsetof(teffect, talent) == 712 && offsetof(teffect, used_item) == 714);
static_assert(offsetof(teffect, range) == 716 && offsetof(teffect, duration) == 718);
static_assert(offsetof(teffect, power) == 720 && offsetof(teffect, size) == 722);
static_assert(offsetof(teffect, damage) == 724 &&
              offsetof(teffect, damage) + offsetof(tdamage, total) == 804);
static_assert(offsetof(teffect, start_time) == 816 && offsetof(teffect, next_tick) == 820);
static_assert(offsetof(teffect, fade_time) == 824 && offsetof(teffect, expiry_time) == 828);
static_assert(offsetof(teffect, origin) == 832 && offsetof(teffect, target) == 834);
static_assert(offsetof(teffect, aim) == 836 && offsetof(teffect, cells) == 838);
static_assert(offsetof(teffect, refreshed) == 898 && offsetof(teffect, message_given) == 899);
static_assert(offsetof(teffect, keep_message) == 900 && offsetof(teffect, light) == 901);
static_assert(offsetof(teffect, animate_cells) == 902 && offsetof(teffect, animation_frames) == 903);
static_assert(offsetof(teffect, animation_repeats) == 904 && offsetof(teffect, graphic_index) == 905);
static_assert(offsetof(teffect, animate_target) == 906 && offsetof(teffect, destination_content) == 908);
static_assert(offsetof(teffect, processed) == 912);

// A natural attack of a being or its template: class, attack formula, damage and hit effect.
struct tnatural_attack {
    uint8_t attack_class; // 0
    uint8_t free1;
    tdice attack_dice;       // 2
    uint8_t value;           // 40, the rolled attack value
    int8_t attack_bonus;     // 41
    uint8_t time_multiplier; // 42
    uint8_t reach;           // 43
    tdamage_dice damage;     // 44
    uint8_t free546[2];
    uint32_t ready_time; // 548
    teffect hit_effect;  // 552
    uint8_t vampiric;    // 1468
    uint8_t free1469[3];
};
static_assert(sizeof(tnatural_attack) == 1472);
static_assert(offsetof(tnatural_attack, attack_dice) == 2 && offsetof(tnatural_attack, value) == 40);
static_assert(offsetof(tnatural_attack, attack_bonus) == 41 &&
              offsetof(tnatural_attack, time_multiplier) == 42);
static_assert(offsetof(tnatural_attack, reach) == 43 && offsetof(tnatural_attack, damage) == 44);
static_assert(offsetof(tnatural_attack, ready_time) == 548 && offsetof(tnatural_attack, hit_effect) == 552);
static_assert(offsetof(tnatural_attack, vampiric) == 1468);

// The figures of one weapon set: per hand (1 main, 2 off) and for the set as a whole.
struct tweapon_set {
    uint16_t hand_item[hand_count];         // 0, hand h at 2h-2
    uint8_t hand_slot[hand_count];          // 4, 3+h
    uint8_t melee[hand_count];              // 6, 5+h
    uint8_t throws[hand_count];             // 8, 7+h
    uint8_t reach[hand_count];              // 10, 9+h
    uint8_t launcher[hand_count];           // 12, 11+h
    uint8_t returns[hand_count];            // 14
    uint16_t quiver;                        // 16
    uint16_t ammunition;                    // 18
    uint32_t ammunition_amount;             // 20
    tdamage_dice ammunition_damage;         // 24
    int8_t melee_attack[hand_count];        // 526, 525+h
    int8_t melee_defence[hand_count];       // 528, 527+h
    int8_t ranged_attack[hand_count];       // 530, 529+h
    int8_t ranged_defence[hand_count];      // 532 (533: shield block against missiles)
    tdamage_dice melee_damage[hand_count];  // 534 + 502(h-1)
    tdamage_dice ranged_damage[hand_count]; // 1538 + 502(h-1)
    int8_t melee_damage_bonus[hand_count];  // 2542, 2541+h
    int8_t ranged_damage_bonus[hand_count]; // 2544, 2543+h
    int8_t speed[hand_count];               // 2546, 2545+h
    float body_factor[body_modifier_count]; // 2548
    uint8_t free2564[2];
    uint8_t range[hand_count];        // 2566, 2565+h
    uint8_t min_range;                // 2568
    uint8_t max_range;                // 2569
    uint8_t bare_hands;               // 2570
    uint8_t melee_available;          // 2571
    uint8_t melee_defence_available;  // 2572
    uint8_t quiver_matches_launcher;  // 2573
    uint8_t ranged_defence_available; // 2574
    uint8_t hand_reaches;             // 2575
    uint8_t hand_throws;              // 2576
    uint8_t shield_bash;              // 2577
    uint8_t shield_held;              // 2578
    uint8_t two_handed_held;          // 2579
    uint8_t launcher_without_ammo;    // 2580
    uint8_t ammunition_everlasting;   // 2581
    uint8_t free2582[2];
};
static_assert(sizeof(tweapon_set) == 2584);
static_assert(offsetof(tweapon_set, hand_slot) == 4 && offsetof(tweapon_set, melee) == 6);
static_assert(offsetof(tweapon_set, throws) == 8 && offsetof(tweapon_set, reach) == 10);
static_assert(offsetof(tweapon_set, launcher) == 12 && offsetof(tweapon_set, returns) == 14);
static_assert(offsetof(tweapon_set, quiver) == 16 && offsetof(tweapon_set, ammunition) == 18);
static_assert(offsetof(tweapon_set, ammunition_amount) == 20 &&
              offsetof(tweapon_set, ammunition_damage) == 24);
static_assert(offsetof(tweapon_set, melee_attack) == 526 && offsetof(tweapon_set, melee_defence) == 528);
static_assert(offsetof(tweapon_set, ranged_attack) == 530 && offsetof(tweapon_set, ranged_defence) == 532);
static_assert(offsetof(tweapon_set, melee_damage) == 534 && offsetof(tweapon_set, ranged_damage) == 1538);
static_assert(offsetof(tweapon_set, melee_damage_bonus) == 2542 &&
              offsetof(tweapon_set, ranged_damage_bonus) == 2544);
static_assert(offsetof(tweapon_set, speed) == 2546 && offsetof(tweapon_set, body_factor) == 2548);
static_assert(offsetof(tweapon_set, range) == 2566 && offsetof(tweapon_set, min_range) == 2568);
static_assert(offsetof(tweapon_set, max_range) == 2569 && offsetof(tweapon_set, bare_hands) == 2570);
static_assert(offsetof(tweapon_set, melee_available) == 2571 &&
              offsetof(tweapon_set, melee_defence_available) == 2572);
static_assert(offsetof(tweapon_set, quiver_matches_launcher) == 2573 &&
              offsetof(tweapon_set, ranged_defence_available) == 2574);
static_assert(offsetof(tweapon_set, hand_reaches) == 2575 && offsetof(tweapon_set, hand_throws) == 2576);
static_assert(offsetof(tweapon_set, shield_bash) == 2577 && offsetof(tweapon_set, shield_held) == 2578);
static_assert(offsetof(tweapon_set, two_handed_held) == 2579 &&
              offsetof(tweapon_set, launcher_without_ammo) == 2580);
static_assert(offsetof(tweapon_set, ammunition_everlasting) == 2581);

// A remembered action: the ranged-target block (attack memory) or the last talent use
// (talent memory); one shape serves both.
struct taction_memory {
    uint8_t action;         // 0, attack: the action; talent: 0
    uint8_t action_kind;    // 1, attack: the set-up byte; talent: 16
    tcell_xy aim;           // 2, talent memory
    teffect effect;         // 4
    uint16_t talent;        // 920
    uint16_t talent_icon;   // 922
    uint16_t target;        // 924, being index
    uint16_t counter;       // 926
    uint8_t has_target;     // 928, the aimed flag
    uint8_t attack_kind[3]; // 929, the three attack-kind flags

    // The attack memory's set-up byte is the byte a talent memory keeps its action kind in.
    uint8_t& setup() { return action_kind; }
    uint8_t setup() const { return action_kind; }
};
static_assert(sizeof(taction_memory) == 932);
static_assert(offsetof(taction_memory, action_kind) == 1 && offsetof(taction_memory, aim) == 2);
static_assert(offsetof(taction_memory, effect) == 4 && offsetof(taction_memory, talent) == 920);
static_assert(offsetof(taction_memory, talent_icon) == 922 && offsetof(taction_memory, target) == 924);
static_assert(offsetof(taction_memory, counter) == 926 && offsetof(taction_memory, has_target) == 928);
static_assert(offsetof(taction_memory, attack_kind) == 929);

// A placement request (and a stuff row of a level, content or portal): what to place,
// where, under which conditions, and what was placed.
struct tstuff {
    uint8_t area_kind;      // 0, area kind or kind-or-template id
    uint8_t zone;           // 1
    uint8_t pattern;        // 2
    uint8_t passable_exits; // 3
    uint8_t area_choice;    // 4
    uint8_t free5;
    uint16_t vault;            // 6
    uint16_t content_required; // 8
    uint16_t min_exit_cells;   // 10
    uint16_t max_exit_cells;   // 12
    uint8_t lowest_level;      // 14
    uint8_t highest_level;     // 15
    uint16_t min_cells;        // 16
    uint16_t max_cells;        // 18
    uint8_t no_content;        // 20
    uint8_t no_portal_near;    // 21
    uint8_t no_being;          // 22
    uint8_t no_floor_symbol;   // 23
    tdice chance;              // 24
    uint8_t kind;              // 62
    uint8_t width;             // 63
    uint8_t height;            // 64
    uint8_t free65;
    uint16_t content;               // 66, content to place
    uint16_t pick_cap;              // 68, cap for random picks
    uint16_t object_id;             // 70
    tdice count;                    // 72
    uint16_t result_id;             // 110
    uint16_t result_vault;          // 112
    uint16_t area;                  // 114, in and out
    uint16_t owner_content;         // 116
    uint8_t result_x;               // 118
    uint8_t result_y;               // 119
    uint8_t shape_step;             // 120
    uint8_t population_row;         // 121
    uint8_t use_previous_area;      // 122
    uint8_t new_area_per_piece;     // 123
    uint8_t if_previous_placed;     // 124
    uint8_t if_previous_not_placed; // 125
    uint8_t if_no_item;             // 126
    uint8_t if_no_creature;         // 127
    uint8_t mandatory;              // 128
    uint8_t keep_content_demand;    // 129
    uint8_t no_relaxation;          // 130
    uint8_t group_first;            // 131, first of a pick-one group
    uint8_t group_last;             // 132
    uint8_t group_member;           // 133
    uint8_t group_chosen;           // 134
    uint8_t spawn_group_slot;       // 135
    uint8_t container_threshold;    // 136
    uint8_t bones_chance;           // 137
    tdice hidden_creature_chance;   // 138
    int16_t hidden_creature;        // 176, being template
    uint8_t furniture_extra1;       // 178
    uint8_t furniture_extra2;       // 179
    uint8_t use_item_cap;           // 180
    uint8_t trap_into_container;    // 181
    uint8_t trap_onto_door;         // 182
    uint8_t free183;
    tdice trap_strength; // 184
    uint16_t trap_value; // 222
    uint8_t zone_below;  // 224
    uint8_t free225;
    uint16_t pieces_placed; // 226
};
static_assert(sizeof(tstuff) == 228);
static_assert(offsetof(tstuff, zone) == 1 && offsetof(tstuff, pattern) == 2);
static_assert(offsetof(tstuff, passable_exits) == 3 && offsetof(tstuff, area_choice) == 4);
static_assert(offsetof(tstuff, vault) == 6 && offsetof(tstuff, content_required) == 8);
static_assert(offsetof(tstuff, min_exit_cells) == 10 && offsetof(tstuff, max_exit_cells) == 12);
static_assert(offsetof(tstuff, lowest_level) == 14 && offsetof(tstuff, highest_level) == 15);
static_assert(offsetof(tstuff, min_cells) == 16 && offsetof(tstuff, max_cells) == 18);
static_assert(offsetof(tstuff, no_content) == 20 && offsetof(tstuff, no_portal_near) == 21);
static_assert(offsetof(tstuff, no_being) == 22 && offsetof(tstuff, no_floor_symbol) == 23);
static_assert(offsetof(tstuff, chance) == 24 && offsetof(tstuff, kind) == 62);
static_assert(offsetof(tstuff, width) == 63 && offsetof(tstuff, height) == 64);
static_assert(offsetof(tstuff, content) == 66 && offsetof(tstuff, pick_cap) == 68);
static_assert(offsetof(tstuff, object_id) == 70 && offsetof(tstuff, count) == 72);
static_assert(offsetof(tstuff, result_id) == 110 && offsetof(tstuff, result_vault) == 112);
static_assert(offsetof(tstuff, area) == 114 && offsetof(tstuff, owner_content) == 116);
static_assert(offsetof(tstuff, result_x) == 118 && offsetof(tstuff, result_y) == 119);
static_assert(offsetof(tstuff, shape_step) == 120 && offsetof(tstuff, population_row) == 121);
static_assert(offsetof(tstuff, use_previous_area) == 122 && offsetof(tstuff, new_area_per_piece) == 123);
static_assert(offsetof(tstuff, if_previous_placed) == 124 && offsetof(tstuff, if_previous_not_placed) == 125);
static_assert(offsetof(tstuff, if_no_item) == 126 && offsetof(tstuff, if_no_creature) == 127);
static_assert(offsetof(tstuff, mandatory) == 128 && offsetof(tstuff, keep_content_demand) == 129);
static_assert(offsetof(tstuff, no_relaxation) == 130 && offsetof(tstuff, group_first) == 131);
static_assert(offsetof(tstuff, group_last) == 132 && offsetof(tstuff, group_member) == 133);
static_assert(offsetof(tstuff, group_chosen) == 134 && offsetof(tstuff, spawn_group_slot) == 135);
static_assert(offsetof(tstuff, container_threshold) == 136 && offsetof(tstuff, bones_chance) == 137);
static_assert(offsetof(tstuff, hidden_creature_chance) == 138 && offsetof(tstuff, hidden_creature) == 176);
static_assert(offsetof(tstuff, furniture_extra1) == 178 && offsetof(tstuff, furniture_extra2) == 179);
static_assert(offsetof(tstuff, use_item_cap) == 180 && offsetof(tstuff, trap_into_container) == 181);
static_assert(offsetof(tstuff, trap_onto_door) == 182 && offsetof(tstuff, trap_strength) == 184);
static_assert(offsetof(tstuff, trap_value) == 222 && offsetof(tstuff, zone_below) == 224);
static_assert(offsetof(tstuff, pieces_placed) == 226);

// A portal link between levels with its placement request; x, y and used are run time.
struct tportal {
    uint16_t index;            // 0
    uint16_t destination;      // 2
    uint16_t level;            // 4, level index
    uint16_t return_level;     // 6
    tstuff request;            // 8
    uint8_t inactive;          // 236
    uint8_t hidden_teleporter; // 237
    uint8_t return_flag;       // 238
    uint8_t free239;
    uint16_t spawn_ordinal; // 240
    uint8_t x;              // 242, run time, saved
    uint8_t y;              // 243, run time, saved
    uint8_t used;           // 244, run time, saved
    uint8_t free245;
};
static_assert(sizeof(tportal) == 246);
static_assert(offsetof(tportal, destination) == 2 && offsetof(tportal, level) == 4);
static_assert(offsetof(tportal, return_level) == 6 && offsetof(tportal, request) == 8);
static_assert(offsetof(tportal, inactive) == 236 && offsetof(tportal, hidden_teleporter) == 237);
static_assert(offsetof(tportal, return_flag) == 238 && offsetof(tportal, spawn_ordinal) == 240);
static_assert(offsetof(tportal, x) == 242 && offsetof(tportal, y) == 243 && offsetof(tportal, used) == 244);

#pragma pack(pop)

} // namespace dravok
