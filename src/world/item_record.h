// The item vocabulary and the small queries on one item record: its 78 flags and their names,
// the 17 equipment slots, the validity test, names with articles and enchantment words, the
// flag filter and template look-ups. Used by every unit that creates, lists, shows or uses items.
#pragma once
#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "records/layout_item.h"

namespace dravok {

// Item flags 1..78: categories 1..9, classes 10..58, properties 59..78.
enum item_flag : int {
    if_wearable = 1,
    if_shield = 2,
    if_weapon = 3,
    if_ammunition = 4,
    if_jewellery = 5,
    if_device = 6,
    if_valuable = 7,
    if_tool = 8,
    if_other = 9,
    if_armor = 10,
    if_robe = 11,
    if_helmet = 12,
    if_cloak = 13,
    if_belt = 14,
    if_boots = 15,
    if_bracers = 16,
    if_gauntlets = 17,
    if_axe = 18,
    if_blade = 19,
    if_bow = 20,
    if_crossbow = 21,
    if_club = 22,
    if_dart = 23,
    if_flail = 24,
    if_hammer = 25,
    if_hoopak = 26,
    if_mace = 27,
    if_polearm = 28,
    if_sling = 29,
    if_staff = 30,
    if_spear = 31,
    if_sword = 32,
    if_whip = 33,
    if_arrow = 34,
    if_bolt = 35,
    if_bullet = 36,
    if_amulet = 37,
    if_lenses = 38,
    if_pick = 39,
    if_ring = 40,
    if_book = 41,
    if_food = 42,
    if_orb = 43,
    if_potion = 44,
    if_scroll = 45,
    if_wand = 46,
    if_horn = 47,
    if_figurine = 48,
    if_lantern = 49,
    if_key = 50,
    if_trapkit = 51,
    if_trap = 52,
    if_coin = 53,
    if_gem = 54,
    if_corpse = 55,
    if_bones = 56,
    if_cosmic_essence = 57,
    if_divine_essence = 58,
    if_melee = 59,
    if_ranged = 60,
    if_throw = 61,
    if_reach = 62,
    if_two_handed = 63,
    if_versatile = 64,
    if_armor_light = 65,
    if_armor_medium = 66,
    if_armor_heavy = 67,
    if_great = 68,
    if_enchanted = 69,
    if_sentient = 70,
    if_has_oneliners = 71,
    if_returning = 72,
    if_vampiric = 73,
    if_humanoid = 74,
    if_everlasting = 75,
    if_ignore = 76,
    if_usable_only_from_dialog = 77,
    if_report = 78,
};
constexpr int first_item_category = 1, last_item_category = 9;
constexpr int first_item_class = 10, last_item_class = 58;
constexpr int last_item_flag = 78;

// Entry i = the name of item flag i ("" for 0), as the data files and item_flag_words spell it.
extern const std::array<std::string_view, item_flag_count> item_flag_names;

// The equipment slots 1..17 of a being.
enum equipment_slot : int {
    slot_head = 1,
    slot_back,
    slot_body,
    slot_waist,
    slot_feet,
    slot_forearms,
    slot_hands,
    slot_neck,
    slot_finger1,
    slot_finger2,
    slot_eyes,
    slot_light,
    slot_set1_main,
    slot_set1_off,
    slot_set2_main,
    slot_set2_off,
    slot_quiver,
};
struct tequipment_slot_info {
    std::string_view name;
    std::string_view description; // shown for an empty slot
    int accepts[2];               // item flags that fit (any one), 0 = unused
};
// Entry s = slot s (entry 0 blank).
extern const std::array<tequipment_slot_info, equipment_slot_count + 1> equipment_slots;

// Creature categories 1..12 as corpse and bones items name them.
extern const std::array<std::string_view, 13> creature_category_names;

inline bool has_item_flag(const titem& item, int flag) {
    return flag >= 0 && flag < item_flag_count && item.flags[flag] != 0;
}

// Being 0 tests level_items, otherwise that being's list; a depth of 0 makes the test silent.
bool is_item_ok(int item, int being, int depth);
// The item of a list entry (being 0: level_items); the caller has tested it with is_item_ok.
titem& item_at(int being, int item);

// Mode 1 "3 x Arrows"; mode 2 "an arrow"; mode 3 as 2 with "the " for the player's own item;
// mode 4 as 2 capitalised.
void item_name(std::string_view name, int amount, int stackable, std::string& out, int being, int mode);
std::string item_name(std::string_view name, int amount, int stackable, int being, int mode);
// The template's name with the enchantment words ("Vampiric Long sword of Fire/Cold +2").
void build_item_full_name(const titem& item, std::string& out);
// Every entry n > 0 needs flag n, every n <= 0 needs flag |n| clear; false for an empty list.
bool item_type_matches(const titem& item, std::initializer_list<int> flags, int depth);
int find_item_plan_by_name(std::string_view identifier);
bool is_stackable_item_plan(int plan);
int count_enchantments(const titem& item);
int item_enchantment_total(const titem& item);
void item_flag_words(const titem& item, std::string& out);
// Whether two items may share one stack.
bool same_item_kind(const titem& a, const titem& b);

} // namespace dravok
