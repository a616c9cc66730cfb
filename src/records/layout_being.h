// The being record: one player character, companion or creature with everything it
// carries from turn to turn (30008 bytes, stored raw in level files, saves and the
// pantheon). Reached through world/layout.h.
#pragma once
#include <cstddef>
#include <cstdint>

#include "records/layout_base.h"
#include "records/layout_dice.h"
#include "records/layout_parts.h"

namespace dravok {

#pragma pack(push, 1)

// The plan a creature follows, kept in the being (ai_plan).
enum ai_plan_kind : int {
    plan_none = 0,
    plan_sleep = 1,
    plan_idle = 2,
    plan_wander = 3,
    plan_approach = 4,
    plan_follow = 5,
    plan_investigate = 6,
    plan_chase = 7,
    plan_move_for_lof = 8,
    plan_melee_attack = 9,
    plan_ranged_attack = 10,
    plan_talent = 11,
    plan_swap_weapons = 12,
    plan_flee = 13,
    plan_avoid = 14,
    plan_pick_item = 15,
    plan_use_item = 16,
    plan_teleporter_follow = 17,
    plan_teleporter_flee = 18,
};
constexpr int ai_plan_count = 18;

struct tbeing {
    pstring<40> identifier; // 0, template identifier
    pstring<30> name;       // 41
    pstring<30> title;      // 72
    uint8_t free103;
    int32_t serial;                      // 104, 0 empty, -1 refused
    uint32_t killer_serial;              // 108, set on the victim
    int32_t fled_from_serial;            // 112
    uint32_t flee_text_time;             // 116
    uint8_t type_flags[type_flag_count]; // 120, flag i (0..219) at 120 + i
    uint8_t category;                    // 340
    uint8_t race;                        // 341
    uint8_t size;                        // 342
    uint8_t gender;                      // 343
    uint8_t width;                       // 344
    uint8_t height;                      // 345
    uint8_t x;                           // 346
    uint8_t y;                           // 347
    uint8_t dark_vision;                 // 348
    uint8_t avatar_slot;                 // 349, 1..8
    uint16_t plan;                       // 350, template index in being_plans
    uint16_t demigod;                    // 352, demigod number
    uint16_t number;                     // 354, display number
    uint16_t image;                      // 356
    uint8_t free358;
    uint8_t status[status_count]; // 359, status s at 358 + s
    uint8_t free478[2];
    uint32_t xp_worth;            // 480
    uint32_t award;               // 484
    uint32_t experience;          // 488
    uint32_t experience_previous; // 492, at the start of the level
    uint32_t experience_next;     // 496, for the next level
    uint8_t level;                // 500
    uint8_t skill_points;         // 501
    uint8_t talent_points;        // 502
    int8_t talent_point_counter;  // 503
    uint16_t area;                // 504
    uint16_t home_level;          // 506
    uint16_t home_area;           // 508
    uint8_t home_x;               // 510
    uint8_t home_y;               // 511
    uint8_t in_use;               // 512, slot in use
    uint8_t present;              // 513, active
    uint8_t stats_dirty;          // 514
    uint8_t name_known;           // 515
    uint8_t commanded;            // 516, under command; the command-path flag
    uint8_t friendly;             // 517, friendly to the party
    uint8_t hostile;              // 518, hostile to the party
    uint8_t uses_items;           // 519, the item review mark
    uint8_t wants_corpses;        // 520
    uint8_t moved;                // 521, placed on the map this turn
    uint8_t left_behind;          // 522
    uint8_t free523;
    tdamage last_damage;                           // 524, the killing damage record; byte 89 is dying
    uint8_t situation[situation_count];            // 616, situation s at 615 + s
    int16_t attitude_to_player;                    // 650
    uint32_t next_action_time;                     // 652
    uint32_t last_processed_time;                  // 656, map effects
    uint32_t unsummon_time;                        // 660
    uint32_t possession_end;                       // 664
    uint32_t charm_end;                            // 668
    uint32_t confusion_end;                        // 672
    int8_t base_ability[ability_count];            // 676, k at 675 + k
    int8_t ability[ability_count];                 // 680, current, k at 679 + k
    int8_t ability_modifier[ability_count];        // 684
    int8_t item_ability_modifier[ability_count];   // 688
    int8_t temp_ability_modifier[ability_count];   // 692
    uint8_t motion_cap;                            // 696, 255 = none
    int8_t base_skill[skill_count];                // 697, k at 696 + k
    int8_t skill[skill_count];                     // 704, current, k at 703 + k
    int8_t item_skill_modifier[skill_count];       // 711
    int8_t temp_skill_modifier[skill_count];       // 718
    uint8_t talent[talent_count];                  // 725, talent t at 724 + t
    uint8_t knows_talents;                         // 875, talent count of all types
    uint8_t talent_type_counts[talent_type_count]; // 876, type at 875 + type
    uint8_t stamina_reserve[attack_kind_count];    // 881, stamina cost per attack kind
    uint8_t encumbrance;                           // 889
    uint8_t free890[2];
    uint32_t carried_weight;    // 892
    uint32_t carrying_capacity; // 896
    uint32_t carrying_limit;    // 900
    uint8_t motion_penalty;     // 904
    int8_t speed_bonus;         // 905, movement speed bonus
    uint8_t active_set;         // 906, 13 or 15
    uint8_t free907;
    tweapon_set weapon_set;                                // 908, the active set
    tweapon_set other_weapon_set;                          // 3492
    tnatural_attack natural_attacks[natural_attack_count]; // 6076, i at 6076 + 1472(i-1)
    uint8_t attack_modifiers[5];                           // 23740
    uint8_t meets_again_friendly;                          // 23745
    uint8_t meets_again_hostile;                           // 23746
    uint8_t free23747;
    temotion attitude[emotion_entry_count];      // 23748, entry k at 23720 + 28k
    temotion fear[emotion_entry_count];          // 24588, entry k at 24560 + 28k
    uint8_t sentient_countdown;                  // 25428, prompt counter
    uint8_t sentient_get;                        // 25429, pending comments
    uint8_t sentient_first_use;                  // 25430
    uint8_t sentient_kill;                       // 25431
    int16_t base_resistance[damage_type_count];  // 25432, t at 25430 + 2t
    int16_t resistance[damage_type_count];       // 25458, current
    int16_t item_resistance[damage_type_count];  // 25484
    int16_t temp_resistance[damage_type_count];  // 25510
    uint16_t base_multiplier[damage_type_count]; // 25536
    uint16_t multiplier[damage_type_count];      // 25562, current
    uint16_t health_base;                        // 25588
    uint16_t health;                             // 25590
    uint16_t health_max;                         // 25592
    uint16_t stamina_base;                       // 25594
    uint16_t stamina;                            // 25596
    uint16_t stamina_max;                        // 25598
    uint16_t health_regen;                       // 25600
    uint16_t health_regen_delay;                 // 25602
    uint16_t health_regen_countdown;             // 25604
    uint16_t stamina_regen;                      // 25606
    uint16_t stamina_regen_delay;                // 25608
    uint16_t stamina_regen_countdown;            // 25610
    uint16_t damage_taken;                       // 25612
    uint16_t damage_from_player;                 // 25614
    uint16_t damage_from_companions;             // 25616
    uint8_t free25618[2];
    uint32_t last_health_loss;                     // 25620
    uint32_t last_stamina_use;                     // 25624
    uint32_t rest_rounds;                          // 25628
    uint8_t resting;                               // 25632, rest until healed
    uint8_t bleeding;                              // 25633
    uint8_t attacked;                              // 25634
    int8_t melee_critical;                         // 25635
    int8_t ranged_critical;                        // 25636
    int8_t critical_protection;                    // 25637
    uint16_t equipment[equipment_slot_count];      // 25638, slot s at 25636 + 2s
    uint16_t slot_companion[equipment_slot_count]; // 25672, s at 25670 + 2s
    uint8_t class_equipped[equipment_slot_count];  // 25706, class last equipped, 25705 + s
    uint8_t wish[item_wish_count];                 // 25723, item wish i at 25722 + i
    uint8_t free25801;
    uint16_t highest_item;                        // 25802, highest item index
    uint8_t light_radius;                         // 25804
    uint8_t divine_god;                           // 25805, god chosen by divine essence
    uint16_t carried_sentient;                    // 25806
    uint16_t equipped_sentient;                   // 25808
    uint16_t speaking_sentient;                   // 25810
    tquickslot quickslots[quickslot_count];       // 25812, k at 25772 + 40k
    uint8_t ai_plan;                              // 26612
    uint8_t last_action_kind;                     // 26613
    uint8_t level_reentered;                      // 26614
    uint8_t behaviour;                            // 26615
    uint8_t fighting_style;                       // 26616
    uint8_t preferred_distance;                   // 26617
    uint8_t stimulus_chance[stimulus_kind_count]; // 26618, AI row 1
    uint8_t stimulus_range[stimulus_kind_count];  // 26636, AI row 2
    uint8_t cornered;                             // 26654
    uint8_t teleport_cooldown;                    // 26655
    uint8_t damaged_by_being;                     // 26656
    uint8_t path_kept;                            // 26657
    uint8_t investigate_slot;                     // 26658, the AI plan state byte
    uint8_t turns_unseen_by_player;               // 26659
    uint16_t idle_turns_before_sleep;             // 26660, idle turns after which it may fall asleep
    uint16_t sleep_turns;                         // 26662
    uint16_t wake_up;                             // 26664
    uint16_t idle_turns;                          // 26666, idle turns counted so far
    uint16_t asleep_counter;                      // 26668
    uint8_t asleep_when_damaged;                  // 26670
    uint8_t on_map_effect;                        // 26671, on a stat-changing map effect
    tsound noticed_stimulus;                      // 26672, stimulus slot 1 (a light)
    tsound heard_sound;                           // 26692, stimulus slot 2, the last noticed sound
    tsound made_sound;                            // 26712, the last made sound
    int16_t morale[morale_count];                 // 26732
    int16_t courage;                              // 26740
    uint16_t master_unseen_turns;                 // 26742
    uint16_t damage_this_turn;                    // 26744
    uint16_t blocked_by_follower_turns;           // 26746
    uint16_t plan_target_area;                    // 26748
    uint16_t plan_target_being;                   // 26750
    uint8_t plan_target_x;                        // 26752
    uint8_t plan_target_y;                        // 26753
    uint16_t seen_beings;                         // 26754
    uint16_t seen_non_hostiles;                   // 26756
    uint16_t seen_awake_hostiles;                 // 26758
    uint16_t seen_hostiles;                       // 26760
    uint16_t seen_friends;                        // 26762
    uint16_t seen_friends_in_area;                // 26764
    uint16_t seen_feared;                         // 26766
    uint16_t seen_summoned_friends;               // 26768
    uint16_t seen_summoned_hostiles;              // 26770
    uint16_t turns_without_hostiles;              // 26772
    uint8_t adjacent_friends;                     // 26774
    uint8_t adjacent_hostiles;                    // 26775
    uint8_t nearest_friend;                       // 26776
    uint8_t nearest_hostile;                      // 26777, distance
    uint8_t free26778[2];
    uint32_t seen_friends_worth;  // 26780
    uint32_t seen_hostiles_worth; // 26784
    uint8_t corpse_in_reach;      // 26788
    uint8_t teleporter_x;         // 26789
    uint8_t teleporter_y;         // 26790
    uint8_t teleporter_countdown; // 26791
    uint8_t meeting_trigger;      // 26792
    uint8_t type_comment_trigger; // 26793
    uint16_t type_comment_type;   // 26794
    int32_t master;               // 26796, serial
    int32_t creator;              // 26800, serial
    int32_t leader;               // 26804, possessor or group-leader serial
    int32_t possessed;            // 26808, serial
    int32_t charmer;              // 26812, serial
    uint16_t followers;           // 26816
    uint16_t summoned_followers;  // 26818
    uint16_t animated_followers;  // 26820
    uint16_t summoned_health;     // 26822
    uint16_t animated_health;     // 26824
    uint16_t follower_word;       // 26826
    uint8_t free26828[2];
    pstring<30> master_name; // 26830
    uint8_t free26861[3];
    tpath path; // 26864
    uint8_t free27180;
    uint8_t check_target;         // 27181, the last skill check
    uint8_t check_roll;           // 27182
    uint8_t check_total;          // 27183
    taction_memory attack_memory; // 27184, the ranged-target block
    taction_memory talent_memory; // 28116, the last talent use
    uint8_t lunge_direction;      // 29048
    uint8_t free29049;
    uint16_t lunge_timer;                          // 29050
    uint16_t last_damager;                         // 29052, serial (low 16 bits)
    uint16_t last_killed;                          // 29054, serial (low 16 bits)
    uint16_t last_killed_plan;                     // 29056
    uint16_t kill_comment_type;                    // 29058, noted type
    uint16_t friend_death_type;                    // 29060, noted type
    uint16_t friend_killer;                        // 29062, serial (low 16 bits)
    uint32_t chatter_time[chatter_trigger_count];  // 29064, t at 29060 + 4t
    uint8_t types_to_comment[creature_type_count]; // 29296, type i at 29295 + i
    uint8_t flee_mark;                             // 29515
    uint8_t follower_help_mark;                    // 29516
    uint8_t seen_light_mark;                       // 29517
    uint8_t heard_noise_mark;                      // 29518
    uint8_t free29519;
    tnoted_item noted_items[noted_item_count]; // 29520, n at 29504 + 16n
    uint32_t turn_mark;                        // 30000
    uint8_t free30004[4];

    // 1-based entries, as the rules number them.
    uint8_t& status_of(int s) { return at1(status, s); }
    uint8_t status_of(int s) const { return at1(status, s); }
    uint8_t& situation_of(int s) { return at1(situation, s); }
    uint8_t situation_of(int s) const { return at1(situation, s); }
    int8_t& base_ability_of(int k) { return at1(base_ability, k); }
    int8_t& ability_of(int k) { return at1(ability, k); }
    int8_t ability_of(int k) const { return at1(ability, k); }
    int8_t& base_skill_of(int k) { return at1(base_skill, k); }
    int8_t& skill_of(int k) { return at1(skill, k); }
    int8_t skill_of(int k) const { return at1(skill, k); }
    uint8_t& talent_of(int t) { return at1(talent, t); }
    uint8_t talent_of(int t) const { return at1(talent, t); }
    uint8_t& talents_of_type(int type) { return at1(talent_type_counts, type); }
    uint8_t talents_of_type(int type) const { return at1(talent_type_counts, type); }
    uint8_t& stamina_reserve_of(int kind) { return at1(stamina_reserve, kind); }
    tnatural_attack& natural_attack(int i) { return at1(natural_attacks, i); }
    const tnatural_attack& natural_attack(int i) const { return at1(natural_attacks, i); }
    temotion& attitude_of(int k) { return at1(attitude, k); }
    temotion& fear_of(int k) { return at1(fear, k); }
    int16_t& resistance_of(int t) { return at1(resistance, t); }
    int16_t resistance_of(int t) const { return at1(resistance, t); }
    uint16_t& multiplier_of(int t) { return at1(multiplier, t); }
    uint16_t& equipment_of(int s) { return at1(equipment, s); }
    uint16_t equipment_of(int s) const { return at1(equipment, s); }
    uint8_t& wish_of(int i) { return at1(wish, i); }
    tquickslot& quickslot(int k) { return at1(quickslots, k); }
    uint32_t& chatter_time_of(int t) { return at1(chatter_time, t); }
    uint8_t& types_to_comment_of(int type) { return at1(types_to_comment, type); }
    tnoted_item& noted_item(int n) { return at1(noted_items, n); }

    // Other names of the same bytes.
    uint8_t& dying() { return last_damage.killed; }
    bool dying() const { return last_damage.killed != 0; }
    // Ascension comment marks of triggers 37..39 are situations 31..33.
    uint8_t& ascension_comment(int trigger) { return situation_of(trigger - 6); }
    uint8_t& former_companion_help() { return situation_of(34); }
    uint8_t& escaped_from_cell() { return situation_of(22); }
    // The anger mark, set when the being turns hostile to the player, on the situation of the
    // chatter trigger it leads to (gets angry, 15).
    uint8_t& anger_mark() { return situation_of(15); }
    // Low ammunition marks: item wishes 34 arrow, 35 bolt, 36 bullet.
    uint8_t* low_ammo_marks() { return &wish_of(34); }
    uint8_t& knows_utility_talents() { return talents_of_type(2); }
    uint8_t& knows_attack_talents() { return talents_of_type(3); }
    uint8_t knows_attack_talents() const { return talents_of_type(3); }
    uint8_t knows_protection_talents() const { return talents_of_type(4); }
    // Monster powers, the last talent group.
    uint8_t knows_monster_talents() const { return talents_of_type(5); }
    tsound& noticed_noise() { return heard_sound; }
    uint32_t& ammunition_left() { return weapon_set.ammunition_amount; }
};
static_assert(sizeof(tbeing) == 30008);
static_assert(offsetof(tbeing, name) == 41 && offsetof(tbeing, title) == 72);
static_assert(offsetof(tbeing, serial) == 104 && offsetof(tbeing, killer_serial) == 108);
static_assert(offsetof(tbeing, fled_from_serial) == 112 && offsetof(tbeing, flee_text_time) == 116);
static_assert(offsetof(tbeing, type_flags) == 120 && offsetof(tbeing, category) == 340);
static_assert(offsetof(tbeing, race) == 341 && offsetof(tbeing, size) == 342);
static_assert(offsetof(tbeing, gender) == 343 && offsetof(tbeing, width) == 344);
static_assert(offsetof(tbeing, height) == 345 && offsetof(tbeing, x) == 346);
static_assert(offsetof(tbeing, y) == 347 && offsetof(tbeing, dark_vision) == 348);
static_assert(offsetof(tbeing, avatar_slot) == 349 && offsetof(tbeing, plan) == 350);
static_assert(offsetof(tbeing, demigod) == 352 && offsetof(tbeing, number) == 354);
static_assert(offsetof(tbeing, image) == 356 && offsetof(tbeing, status) == 359);
static_assert(offsetof(tbeing, xp_worth) == 480 && offsetof(tbeing, award) == 484);
static_assert(offsetof(tbeing, experience) == 488 && offsetof(tbeing, experience_previous) == 492);
static_assert(offsetof(tbeing, experience_next) == 496 && offsetof(tbeing, level) == 500);
static_assert(offsetof(tbeing, skill_points) == 501 && offsetof(tbeing, talent_points) == 502);
static_assert(offsetof(tbeing, talent_point_counter) == 503 && offsetof(tbeing, area) == 504);
static_assert(offsetof(tbeing, home_level) == 506 && offsetof(tbeing, home_area) == 508);
static_assert(offsetof(tbeing, home_x) == 510 && offsetof(tbeing, home_y) == 511);
static_assert(offsetof(tbeing, in_use) == 512 && offsetof(tbeing, present) == 513);
static_assert(offsetof(tbeing, stats_dirty) == 514 && offsetof(tbeing, name_known) == 515);
static_assert(offsetof(tbeing, commanded) == 516 && offsetof(tbeing, friendly) == 517);
static_assert(offsetof(tbeing, hostile) == 518 && offsetof(tbeing, uses_items) == 519);
static_assert(offsetof(tbeing, wants_corpses) == 520 && offsetof(tbeing, moved) == 521);
static_assert(offsetof(tbeing, left_behind) == 522 && offsetof(tbeing, last_damage) == 524);
static_assert(offsetof(tbeing, last_damage) + offsetof(tdamage, killed) == 613);
static_assert(offsetof(tbeing, situation) == 616 && offsetof(tbeing, situation) + 30 == 646);
static_assert(offsetof(tbeing, attitude_to_player) == 650 && offsetof(tbeing, next_action_time) == 652);
static_assert(offsetof(tbeing, last_processed_time) == 656 && offsetof(tbeing, unsummon_time) == 660);
static_assert(offsetof(tbeing, possession_end) == 664 && offsetof(tbeing, charm_end) == 668);
static_assert(offsetof(tbeing, confusion_end) == 672 && offsetof(tbeing, base_ability) == 676);
static_assert(offsetof(tbeing, ability) == 680 && offsetof(tbeing, ability_modifier) == 684);
static_assert(offsetof(tbeing, item_ability_modifier) == 688 &&
              offsetof(tbeing, temp_ability_modifier) == 692);
static_assert(offsetof(tbeing, motion_cap) == 696 && offsetof(tbeing, base_skill) == 697);
static_assert(offsetof(tbeing, skill) == 704 && offsetof(tbeing, item_skill_modifier) == 711);
static_assert(offsetof(tbeing, temp_skill_modifier) == 718 && offsetof(tbeing, talent) == 725);
static_assert(offsetof(tbeing, knows_talents) == 875 && offsetof(tbeing, talent_type_counts) == 876);
static_assert(offsetof(tbeing, stamina_reserve) == 881 && offsetof(tbeing, encumbrance) == 889);
static_assert(offsetof(tbeing, carried_weight) == 892 && offsetof(tbeing, carrying_capacity) == 896);
static_assert(offsetof(tbeing, carrying_limit) == 900 && offsetof(tbeing, motion_penalty) == 904);
static_assert(offsetof(tbeing, speed_bonus) == 905 && offsetof(tbeing, active_set) == 906);
static_assert(offsetof(tbeing, weapon_set) == 908 && offsetof(tbeing, other_weapon_set) == 3492);
static_assert(offsetof(tbeing, weapon_set) + offsetof(tweapon_set, ammunition_amount) == 928);
static_assert(offsetof(tbeing, weapon_set) + offsetof(tweapon_set, min_range) == 3476);
static_assert(offsetof(tbeing, weapon_set) + offsetof(tweapon_set, max_range) == 3477);
static_assert(offsetof(tbeing, weapon_set) + offsetof(tweapon_set, melee_available) == 3479);
static_assert(offsetof(tbeing, weapon_set) + offsetof(tweapon_set, quiver_matches_launcher) == 3481);
static_assert(offsetof(tbeing, weapon_set) + offsetof(tweapon_set, ammunition_everlasting) == 3489);
static_assert(offsetof(tbeing, natural_attacks) == 6076 && offsetof(tbeing, attack_modifiers) == 23740);
static_assert(offsetof(tbeing, meets_again_friendly) == 23745 &&
              offsetof(tbeing, meets_again_hostile) == 23746);
static_assert(offsetof(tbeing, attitude) == 23748 && offsetof(tbeing, fear) == 24588);
static_assert(offsetof(tbeing, sentient_countdown) == 25428 && offsetof(tbeing, sentient_get) == 25429);
static_assert(offsetof(tbeing, sentient_first_use) == 25430 && offsetof(tbeing, sentient_kill) == 25431);
static_assert(offsetof(tbeing, base_resistance) == 25432 && offsetof(tbeing, resistance) == 25458);
static_assert(offsetof(tbeing, item_resistance) == 25484 && offsetof(tbeing, temp_resistance) == 25510);
static_assert(offsetof(tbeing, base_multiplier) == 25536 && offsetof(tbeing, multiplier) == 25562);
static_assert(offsetof(tbeing, health_base) == 25588 && offsetof(tbeing, health) == 25590);
static_assert(offsetof(tbeing, health_max) == 25592 && offsetof(tbeing, stamina_base) == 25594);
static_assert(offsetof(tbeing, stamina) == 25596 && offsetof(tbeing, stamina_max) == 25598);
static_assert(offsetof(tbeing, health_regen) == 25600 && offsetof(tbeing, health_regen_delay) == 25602);
static_assert(offsetof(tbeing, health_regen_countdown) == 25604 && offsetof(tbeing, stamina_regen) == 25606);
static_assert(offsetof(tbeing, stamina_regen_delay) == 25608 &&
              offsetof(tbeing, stamina_regen_countdown) == 25610);
static_assert(offsetof(tbeing, damage_taken) == 25612 && offsetof(tbeing, damage_from_player) == 25614);
static_assert(offsetof(tbeing, damage_from_companions) == 25616 &&
              offsetof(tbeing, last_health_loss) == 25620);
static_assert(offsetof(tbeing, last_stamina_use) == 25624 && offsetof(tbeing, rest_rounds) == 25628);
static_assert(offsetof(tbeing, resting) == 25632 && offsetof(tbeing, bleeding) == 25633);
static_assert(offsetof(tbeing, attacked) == 25634 && offsetof(tbeing, melee_critical) == 25635);
static_assert(offsetof(tbeing, ranged_critical) == 25636 && offsetof(tbeing, critical_protection) == 25637);
static_assert(offsetof(tbeing, equipment) == 25638 && offsetof(tbeing, slot_companion) == 25672);
static_assert(offsetof(tbeing, class_equipped) == 25706 && offsetof(tbeing, wish) == 25723);
static_assert(offsetof(tbeing, wish) + 33 == 25756); // the low ammunition marks
static_assert(offsetof(tbeing, highest_item) == 25802 && offsetof(tbeing, light_radius) == 25804);
static_assert(offsetof(tbeing, divine_god) == 25805 && offsetof(tbeing, carried_sentient) == 25806);
static_assert(offsetof(tbeing, equipped_sentient) == 25808 && offsetof(tbeing, speaking_sentient) == 25810);
static_assert(offsetof(tbeing, quickslots) == 25812 && offsetof(tbeing, ai_plan) == 26612);
static_assert(offsetof(tbeing, last_action_kind) == 26613 && offsetof(tbeing, level_reentered) == 26614);
static_assert(offsetof(tbeing, behaviour) == 26615 && offsetof(tbeing, fighting_style) == 26616);
static_assert(offsetof(tbeing, preferred_distance) == 26617 && offsetof(tbeing, stimulus_chance) == 26618);
static_assert(offsetof(tbeing, stimulus_range) == 26636 && offsetof(tbeing, cornered) == 26654);
static_assert(offsetof(tbeing, teleport_cooldown) == 26655 && offsetof(tbeing, damaged_by_being) == 26656);
static_assert(offsetof(tbeing, path_kept) == 26657 && offsetof(tbeing, investigate_slot) == 26658);
static_assert(offsetof(tbeing, turns_unseen_by_player) == 26659 &&
              offsetof(tbeing, idle_turns_before_sleep) == 26660);
static_assert(offsetof(tbeing, sleep_turns) == 26662 && offsetof(tbeing, wake_up) == 26664);
static_assert(offsetof(tbeing, idle_turns) == 26666 && offsetof(tbeing, asleep_counter) == 26668);
static_assert(offsetof(tbeing, asleep_when_damaged) == 26670 && offsetof(tbeing, on_map_effect) == 26671);
static_assert(offsetof(tbeing, noticed_stimulus) == 26672 && offsetof(tbeing, heard_sound) == 26692);
static_assert(offsetof(tbeing, made_sound) == 26712 && offsetof(tbeing, morale) == 26732);
static_assert(offsetof(tbeing, courage) == 26740 && offsetof(tbeing, master_unseen_turns) == 26742);
static_assert(offsetof(tbeing, damage_this_turn) == 26744 &&
              offsetof(tbeing, blocked_by_follower_turns) == 26746);
static_assert(offsetof(tbeing, plan_target_area) == 26748 && offsetof(tbeing, plan_target_being) == 26750);
static_assert(offsetof(tbeing, plan_target_x) == 26752 && offsetof(tbeing, plan_target_y) == 26753);
static_assert(offsetof(tbeing, seen_beings) == 26754 && offsetof(tbeing, seen_non_hostiles) == 26756);
static_assert(offsetof(tbeing, seen_awake_hostiles) == 26758 && offsetof(tbeing, seen_hostiles) == 26760);
static_assert(offsetof(tbeing, seen_friends) == 26762 && offsetof(tbeing, seen_friends_in_area) == 26764);
static_assert(offsetof(tbeing, seen_feared) == 26766 && offsetof(tbeing, seen_summoned_friends) == 26768);
static_assert(offsetof(tbeing, seen_summoned_hostiles) == 26770 &&
              offsetof(tbeing, turns_without_hostiles) == 26772);
static_assert(offsetof(tbeing, adjacent_friends) == 26774 && offsetof(tbeing, adjacent_hostiles) == 26775);
static_assert(offsetof(tbeing, nearest_friend) == 26776 && offsetof(tbeing, nearest_hostile) == 26777);
static_assert(offsetof(tbeing, seen_friends_worth) == 26780 &&
              offsetof(tbeing, seen_hostiles_worth) == 26784);
static_assert(offsetof(tbeing, corpse_in_reach) == 26788 && offsetof(tbeing, teleporter_x) == 26789);
static_assert(offsetof(tbeing, teleporter_y) == 26790 && offsetof(tbeing, teleporter_countdown) == 26791);
static_assert(offsetof(tbeing, meeting_trigger) == 26792 && offsetof(tbeing, type_comment_trigger) == 26793);
static_assert(offsetof(tbeing, type_comment_type) == 26794 && offsetof(tbeing, master) == 26796);
static_assert(offsetof(tbeing, creator) == 26800 && offsetof(tbeing, leader) == 26804);
static_assert(offsetof(tbeing, possessed) == 26808 && offsetof(tbeing, charmer) == 26812);
static_assert(offsetof(tbeing, followers) == 26816 && offsetof(tbeing, summoned_followers) == 26818);
static_assert(offsetof(tbeing, animated_followers) == 26820 && offsetof(tbeing, summoned_health) == 26822);
static_assert(offsetof(tbeing, animated_health) == 26824 && offsetof(tbeing, follower_word) == 26826);
static_assert(offsetof(tbeing, master_name) == 26830 && offsetof(tbeing, path) == 26864);
static_assert(offsetof(tbeing, check_target) == 27181 && offsetof(tbeing, check_roll) == 27182);
static_assert(offsetof(tbeing, check_total) == 27183 && offsetof(tbeing, attack_memory) == 27184);
static_assert(offsetof(tbeing, talent_memory) == 28116 && offsetof(tbeing, lunge_direction) == 29048);
static_assert(offsetof(tbeing, lunge_timer) == 29050 && offsetof(tbeing, last_damager) == 29052);
static_assert(offsetof(tbeing, last_killed) == 29054 && offsetof(tbeing, last_killed_plan) == 29056);
static_assert(offsetof(tbeing, kill_comment_type) == 29058 && offsetof(tbeing, friend_death_type) == 29060);
static_assert(offsetof(tbeing, friend_killer) == 29062 && offsetof(tbeing, chatter_time) == 29064);
static_assert(offsetof(tbeing, types_to_comment) == 29296 && offsetof(tbeing, flee_mark) == 29515);
static_assert(offsetof(tbeing, follower_help_mark) == 29516 && offsetof(tbeing, seen_light_mark) == 29517);
static_assert(offsetof(tbeing, heard_noise_mark) == 29518 && offsetof(tbeing, noted_items) == 29520);
static_assert(offsetof(tbeing, turn_mark) == 30000);

#pragma pack(pop)

} // namespace dravok
