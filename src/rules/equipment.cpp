#include "rules/equipment.h"
#include "records/layout_being.h"
#include "records/layout_game.h"

#include <algorithm>
#include <string>
#include <vector>

#include "rules/action_time.h"
#include "rules/being_update.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/item_record.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/rounding.h"
#include "world/state.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

constexpr int body = 1;
constexpr int skill_melee = 4, skill_ranged = 5;
constexpr int equip_action_kind = 5;
constexpr int equip_time = 30;
constexpr int two_handed_body = 14; // a body this strong takes a two-handed weapon first
constexpr int shield_body = 12;     // a body this strong wants a shield in its off hand
constexpr int chatter_idle = 56, chatter_idle_unequipped = 57;
constexpr uint32_t chatter_cooldown_rounds = 15;

struct launcher_pair {
    int launcher;
    int ammunition;
};
// The order in which a being looks for a launcher with its ammunition.
constexpr launcher_pair launcher_ammo_pairs[] = {
    {if_bow, if_arrow}, {if_sling, if_bullet}, {if_crossbow, if_bolt}, {if_hoopak, if_bullet}};

bool in_hands(int slot) {
    return slot >= set_1_main_hand && slot <= slot_set2_off;
}
bool is_main_hand(int slot) {
    return slot == set_1_main_hand || slot == set_2_main_hand;
}

// The item in the slot, or nullptr when it is empty or its index is no item of the being.
const titem* worn_item(int being, int slot) {
    const int index = beings[being].equipment_of(slot);
    if (index < 1 || being >= int(being_items.size()) || index >= int(being_items[being].size()))
        return nullptr;
    const titem& item = being_items[being][index];
    return item.plan != 0 ? &item : nullptr;
}

bool matches(const titem& item, std::initializer_list<int> flags) {
    return flags.size() == 0 || item_type_matches(item, flags, 0);
}

bool has_wanted_flag_of_slot(const titem& item, int slot) {
    for (int flag : equipment_slots[slot].accepts) {
        if (flag != 0 && has_item_flag(item, flag)) return true;
    }
    return false;
}

int launcher_flag(const titem& item) {
    for (const launcher_pair& p : launcher_ammo_pairs) {
        if (has_item_flag(item, p.launcher)) return p.launcher;
    }
    return 0;
}

int ammunition_class(const titem& item) {
    for (int flag : {if_arrow, if_bolt, if_bullet}) {
        if (has_item_flag(item, flag)) return flag;
    }
    return 0;
}

bool equip_found(int being, int item, int slot, int depth, bool no_time) {
    depth = trace_enter(depth, trace_equip_found);
    return item > 0 && equip_item(being, item, slot, depth, no_time);
}

// The body modifier's part of a one-handed or two-handed blow: 1.5 times for a weapon held in
// both hands, else once.
void add_single_hand_melee_bonus(const tbeing& b, tweapon_set& w, int hand, bool both_hands) {
    const int m = b.ability_modifier[body - 1];
    if (both_hands) {
        w.melee_damage_bonus[hand] = int8_t(w.melee_damage_bonus[hand] + round_half_even(1.5 * m));
        w.body_factor[hand] = 1.5f;
    } else {
        w.melee_damage_bonus[hand] = int8_t(w.melee_damage_bonus[hand] + m);
        w.body_factor[hand] = 1.0f;
    }
}

// Half the body modifier (a positive one) for an off-hand blow or a throw.
void add_half_bonus(int m, int8_t& bonus, float& factor) {
    if (m > 0) {
        bonus = int8_t(bonus + m / 2);
        factor = 0.5f;
    } else {
        bonus = int8_t(bonus + m);
        factor = 1.0f;
    }
}

void fill_hand(int being, const titem& item, int hand, tweapon_set& w) {
    const tbeing& b = beings[being];
    const int shortfall = std::max(0, int(item.ability_minimum[body - 1]) - int(b.ability[body - 1]));
    const int melee_skill = b.skill_of(skill_melee), ranged_skill = b.skill_of(skill_ranged);
    const int ench = item.enchantment;
    int range = 0;
    const bool reaches = has_item_flag(item, if_reach) ||
                         (being_status(b, st_great_reach) != 0 && has_item_flag(item, if_great));
    if (has_item_flag(item, if_throw) || reaches || has_item_flag(item, if_ranged))
        range = roll_dice_for_being(item.range, being);
    if (has_item_flag(item, if_melee)) {
        w.melee[hand] = 1;
        w.melee_available = w.melee_defence_available = 1;
        w.melee_attack[hand] = int8_t(melee_skill + item.melee_attack + ench - shortfall);
        w.melee_defence[hand] = int8_t(melee_skill + item.melee_defence + ench - shortfall);
        w.melee_damage[hand] = item.damage;
        w.melee_damage_bonus[hand] = int8_t(ench);
        w.speed[hand] = item.speed;
    }
    if (has_item_flag(item, if_two_handed)) w.two_handed_held = 1;
    if (has_item_flag(item, if_throw)) {
        w.throws[hand] = 1;
        w.returns[hand] = has_item_flag(item, if_returning) ? 1 : 0;
        w.hand_throws = 1;
        w.ranged_attack[hand] = int8_t(ranged_skill + item.ranged_attack + ench - shortfall);
        w.ranged_damage[hand] = item.damage;
        w.ranged_damage_bonus[hand] = int8_t(ench);
        w.speed[hand] = item.speed;
        w.range[hand] = uint8_t(std::max(1, range));
    }
    if (reaches) {
        w.reach[hand] = 1;
        w.hand_reaches = 1;
        w.range[hand] = uint8_t(std::max(2, range));
    }
    if (has_item_flag(item, if_ranged)) {
        w.launcher[hand] = 1;
        w.ranged_attack[hand] = int8_t(ranged_skill + item.ranged_attack + ench - shortfall);
        w.ranged_damage_bonus[hand] = int8_t(ench);
        w.speed[hand] = item.speed;
        w.range[hand] = uint8_t(std::max(1, range));
    }
    if (has_item_flag(item, if_shield)) {
        w.shield_held = 1;
        w.melee_defence_available = w.ranged_defence_available = 1;
        w.melee_defence[hand] = int8_t(melee_skill + item.melee_defence + ench - shortfall);
        w.ranged_defence[hand] = int8_t(melee_skill + item.ranged_defence + ench - shortfall);
        w.speed[hand] = item.speed;
        if (being_status(b, st_shield_bash) != 0) {
            w.shield_bash = 1;
            w.melee[hand] = 1;
            w.melee_available = 1;
            w.melee_attack[hand] = int8_t(melee_skill + item.melee_attack + ench - shortfall);
            w.melee_damage[hand] = item.damage;
            w.melee_damage_bonus[hand] = int8_t(ench);
        }
    }
}

void record_quiver(int being, tweapon_set& w) {
    tbeing& b = beings[being];
    const int shooting_hand = w.launcher[0] ? 0 : (w.launcher[1] ? 1 : -1);
    if (shooting_hand < 0) return;
    const titem* quiver = worn_item(being, slot_quiver);
    if (quiver == nullptr) {
        const titem* launcher = worn_item(being, w.hand_slot[shooting_hand]);
        const int wanted = launcher != nullptr ? launcher_ammunition_flag(*launcher) : 0;
        if (wanted != 0) b.wish_of(wanted) = 1;
        return;
    }
    w.quiver = b.equipment_of(slot_quiver);
    w.ammunition = uint16_t(ammunition_class(*quiver));
    w.ammunition_amount = uint32_t(std::max(0, quiver->amount));
    w.ammunition_damage = quiver->damage;
    b.wish_of(if_arrow) = b.wish_of(if_bullet) = b.wish_of(if_bolt) = 0;
    if (w.ammunition != 0 && w.ammunition_amount < arrows_wanted_below) b.wish_of(w.ammunition) = 1;
}

void apply_body_modifier(int being, tweapon_set& w) {
    const tbeing& b = beings[being];
    const int m = b.ability_modifier[body - 1];
    const titem* main = w.hand_item[0] ? worn_item(being, w.hand_slot[0]) : nullptr;
    const titem* off = w.hand_item[1] ? worn_item(being, w.hand_slot[1]) : nullptr;
    if (w.melee[0] && !w.melee[1]) {
        const bool both = main != nullptr && (has_item_flag(*main, if_two_handed) ||
                                              (has_item_flag(*main, if_versatile) && off == nullptr));
        add_single_hand_melee_bonus(b, w, 0, both);
    } else if (w.melee[1] && !w.melee[0]) {
        const bool both = off != nullptr && (has_item_flag(*off, if_two_handed) ||
                                             (has_item_flag(*off, if_versatile) && main == nullptr));
        add_single_hand_melee_bonus(b, w, 1, both);
    } else if (w.melee[0] && w.melee[1]) {
        if (!w.shield_bash) {
            w.melee_attack[0] = int8_t(w.melee_attack[0] - 2);
            w.melee_attack[1] = int8_t(w.melee_attack[1] - 4);
            w.melee_defence[0] = int8_t(w.melee_defence[0] - 2);
            w.melee_defence[1] = int8_t(w.melee_defence[1] - 4);
        } else {
            w.melee_attack[1] = int8_t(w.melee_attack[1] - 3);
        }
        w.melee_damage_bonus[0] = int8_t(w.melee_damage_bonus[0] + m);
        w.body_factor[0] = 1.0f;
        add_half_bonus(m, w.melee_damage_bonus[1], w.body_factor[1]);
    }

    // Of two thrown weapons where only one comes back, only that one is thrown.
    if (w.throws[0] && w.throws[1] && w.returns[0] != w.returns[1]) w.throws[w.returns[0] ? 1 : 0] = 0;
    if (w.throws[0] || w.throws[1]) {
        w.quiver = 0;
        if (w.throws[0] && w.throws[1]) {
            w.ranged_attack[0] = int8_t(w.ranged_attack[0] - 2);
            w.ranged_attack[1] = int8_t(w.ranged_attack[1] - 4);
        }
        for (int h = 0; h < hand_count; ++h) {
            if (w.throws[h]) add_half_bonus(m, w.ranged_damage_bonus[h], w.body_factor[2 + h]);
        }
    }
}

void match_ammunition(int being, tweapon_set& w) {
    if (!w.launcher[0]) return;
    const titem* launcher = worn_item(being, w.hand_slot[0]);
    const titem* ammunition = w.quiver ? worn_item(being, slot_quiver) : nullptr;
    if (launcher != nullptr && ammunition != nullptr &&
        ammo_matches_launcher(being, *launcher, *ammunition)) {
        const int m = beings[being].ability_modifier[body - 1];
        w.quiver_matches_launcher = 1;
        w.ranged_attack[0] = int8_t(w.ranged_attack[0] + ammunition->enchantment);
        merge_damage(ammunition->damage, launcher->damage, w.ranged_damage[0]);
        w.ranged_damage_bonus[0] = int8_t(w.ranged_damage_bonus[0] + ammunition->enchantment);
        w.ammunition_everlasting = has_item_flag(*ammunition, if_everlasting) ? 1 : 0;
        if (being_status(beings[being], st_strengthened_shots) != 0 && m >= 1)
            w.ranged_damage_bonus[0] = int8_t(w.ranged_damage_bonus[0] + m);
        return;
    }
    w.launcher[0] = 0;
    w.launcher_without_ammo = 1;
}

} // namespace

int other_hand_slot(int slot) {
    switch (slot) {
    case slot_set1_main:
        return slot_set1_off;
    case slot_set1_off:
        return slot_set1_main;
    case slot_set2_main:
        return slot_set2_off;
    case slot_set2_off:
        return slot_set2_main;
    default:
        return 0;
    }
}

int launcher_ammunition_flag(const titem& launcher) {
    const int flag = launcher_flag(launcher);
    for (const launcher_pair& p : launcher_ammo_pairs) {
        if (p.launcher == flag) return p.ammunition;
    }
    return 0;
}

bool meets_ability_requirements(int being, const titem& item) {
    for (int k = 1; k <= ability_count; ++k) {
        if (beings[being].ability_of(k) < at1(item.ability_minimum, k)) return false;
    }
    return true;
}

bool weapon_set_hand_ok(int being, int slot, const titem& item) {
    if (!in_hands(slot)) return true;
    const titem* other = worn_item(being, other_hand_slot(slot));
    if (has_item_flag(item, if_ranged)) {
        if (!is_main_hand(slot)) return false;
        if (other != nullptr && has_item_flag(*other, if_weapon)) return false;
    }
    if (other != nullptr && has_item_flag(*other, if_ranged) && has_item_flag(item, if_weapon)) return false;
    return true;
}

bool weapon_set_twohand_ok(int being, int slot, const titem& item) {
    if (!in_hands(slot)) return true;
    const titem* other = worn_item(being, other_hand_slot(slot));
    if (has_item_flag(item, if_two_handed)) return is_main_hand(slot) && other == nullptr;
    return other == nullptr || !has_item_flag(*other, if_two_handed);
}

bool item_fits_slot(int being, int item, int slot) {
    if (slot < 1 || slot > equipment_slot_count || !is_item_ok(item, being, 0)) return false;
    const titem& it = being_items[being][item];
    if (it.slot != 0) return false;
    if (!weapon_set_hand_ok(being, slot, it) || !weapon_set_twohand_ok(being, slot, it)) return false;
    if ((slot == slot_set1_off || slot == slot_set2_off) && !has_item_flag(it, if_shield) &&
        being_status(beings[being], st_dualwield) == 0)
        return false;
    return has_wanted_flag_of_slot(it, slot);
}

int count_items_for_slot(int being, int slot) {
    if (being < 1 || being >= int(being_items.size())) return 0;
    int count = 0;
    for (std::size_t i = 1; i < being_items[being].size(); ++i) {
        if (item_fits_slot(being, int(i), slot)) ++count;
    }
    return count;
}

int get_equipment_slot(int being, int item, int depth) {
    depth = trace_enter(depth, trace_get_equipment_slot);
    if (!is_item_ok(item, being, depth)) return 0;
    const titem& it = being_items[being][item];
    if (!meets_ability_requirements(being, it)) return 0;
    int slot = 0;
    for (int s = 1; s <= equipment_slot_count && slot == 0; ++s) {
        if (item_fits_slot(being, item, s)) slot = s;
    }
    const tbeing& b = beings[being];
    if (slot == slot_finger1 && b.equipment_of(slot_finger1) != 0 && b.equipment_of(slot_finger2) == 0)
        slot = slot_finger2;
    if (slot == set_1_main_hand && has_item_flag(it, if_ranged)) {
        if (b.equipment_of(slot_set2_off) != 0 && has_item_flag(it, if_two_handed)) return slot;
        const titem* second = worn_item(being, set_2_main_hand);
        // A launcher belongs to the second set unless that set's other hand forbids it.
        if ((second == nullptr || has_item_flag(*second, if_ranged)) &&
            weapon_set_hand_ok(being, set_2_main_hand, it) &&
            weapon_set_twohand_ok(being, set_2_main_hand, it))
            slot = set_2_main_hand;
    }
    return slot;
}

bool equip_item(int being, int item, int slot, int depth, bool no_time) {
    depth = trace_enter(depth, trace_equip_item);
    if (item >= 1 ? !is_item_ok(item, being, depth) : !is_being_ok(being, depth)) return false;
    if (slot == 0 && item >= 1) slot = get_equipment_slot(being, item, depth);
    if (slot < 1 || slot > equipment_slot_count) return false;
    tbeing& b = beings[being];
    std::vector<titem>& list = being_items[being];
    if (item >= 1) {
        const int old = list[item].slot;
        if (old >= 1 && old <= equipment_slot_count && b.equipment_of(old) == item) {
            b.equipment_of(old) = 0;
            at1(b.slot_companion, old) = 0;
        }
    }
    const int held = b.equipment_of(slot);
    if (held >= 1 && held < int(list.size())) list[held].slot = 0;
    b.equipment_of(slot) = uint16_t(item);
    at1(b.slot_companion, slot) = 0;
    if (item >= 1) {
        titem& it = list[item];
        it.slot = uint8_t(slot);
        at1(b.class_equipped, slot) = it.item_class;
        if (being == player && it.time_equipped == 0) {
            it.time_equipped = game.game_clock;
            if (has_item_flag(it, if_sentient)) {
                b.sentient_countdown = 2;
                b.sentient_first_use = 2;
                it.chatter_time_of(chatter_idle) = game.game_clock + chatter_cooldown_rounds * round_time;
                it.chatter_time_of(chatter_idle_unequipped) =
                    game.game_clock + chatter_cooldown_rounds * round_time;
            }
        }
    }
    if (slot != slot_quiver && !no_time) {
        b.last_action_kind = equip_action_kind;
        b.next_action_time = game.game_clock + uint32_t(action_time(being, equip_time));
    }
    return true;
}

bool auto_equip_like_item(int being, int slot, int item) {
    if (!is_being_ok(being) || being >= int(being_items.size())) return false;
    const tbeing& b = beings[being];
    std::vector<titem>& list = being_items[being];
    if (item == 0 && slot >= 1 && slot <= equipment_slot_count) {
        const uint8_t last = at1(b.class_equipped, slot);
        for (std::size_t i = 1; i < list.size() && item == 0 && last != 0; ++i) {
            if (list[i].plan != 0 && list[i].slot == 0 && list[i].item_class == last) item = int(i);
        }
    } else if (item >= 1 && slot == 0 && item < int(list.size())) {
        for (int s = set_1_main_hand; s <= slot_quiver && slot == 0; ++s) {
            if (b.equipment_of(s) == 0 && list[item].item_class != 0 &&
                at1(b.class_equipped, s) == list[item].item_class)
                slot = s;
        }
    }
    if (item < 1 || item >= int(list.size()) || slot < 1 || has_item_flag(list[item], if_shield))
        return false;
    return equip_item(being, item, slot, 0, true);
}

void get_next_matching_equipped_item(int being, int after_slot, const titem& like, titem& out, int depth) {
    depth = trace_enter(depth, trace_get_next_matching_equipped_item);
    out = blank_item;
    if (!is_being_ok(being, depth)) return;
    for (int s = after_slot + 1; s <= equipment_slot_count; ++s) {
        const titem* worn = worn_item(being, s);
        if (worn == nullptr) continue;
        for (int flag : equipment_slots[s].accepts) {
            if (flag == 0 || !has_item_flag(like, flag)) continue;
            const bool fits = has_item_flag(like, if_melee)    ? has_item_flag(*worn, if_melee)
                              : has_item_flag(like, if_ranged) ? has_item_flag(*worn, if_ranged)
                                                               : true;
            if (fits) {
                out = *worn;
                return;
            }
        }
    }
}

int get_being_item_type(int being, std::initializer_list<int> flags, int depth, bool include_equipped) {
    depth = trace_enter(depth, trace_get_being_item_type);
    if (!is_being_ok(being, depth) || being >= int(being_items.size())) return 0;
    const std::vector<titem>& list = being_items[being];
    int best = 0;
    for (std::size_t i = 1; i < list.size(); ++i) {
        const titem& it = list[i];
        if (it.serial == 0 || it.plan == 0 || (it.slot != 0 && !include_equipped)) continue;
        if (!matches(it, flags)) continue;
        if (best == 0 || it.value > list[best].value) best = int(i);
    }
    return best;
}

bool equip_weapons(int being, bool melee_set, bool ranged_set, int depth, bool no_time, bool unequip_first) {
    depth = trace_enter(depth, trace_equip_weapons);
    if (!is_being_ok(being, depth)) return false;
    tbeing& b = beings[being];
    if (unequip_first) {
        if (melee_set) {
            equip_item(being, 0, slot_set1_main, depth, true);
            equip_item(being, 0, slot_set1_off, depth, true);
        }
        if (ranged_set) {
            equip_item(being, 0, slot_set2_main, depth, true);
            equip_item(being, 0, slot_set2_off, depth, true);
            equip_item(being, 0, slot_quiver, depth, true);
        }
    }
    bool equipped = false;
    const int base_body = b.base_ability[body - 1];
    if (melee_set && (b.equipment_of(slot_set1_main) == 0 || b.equipment_of(slot_set1_off) == 0)) {
        if (b.equipment_of(slot_set1_main) == 0) {
            int found = get_being_item_type(being, {if_melee, -if_two_handed, if_enchanted}, depth, false);
            if (found == 0)
                found = get_being_item_type(being, {if_melee, -if_two_handed, if_throw, if_returning}, depth,
                                            false);
            if (found == 0 && base_body >= two_handed_body)
                found = get_being_item_type(being, {if_melee, if_two_handed}, depth, false);
            if (found == 0)
                found = get_being_item_type(being, {if_melee, -if_two_handed, -if_throw}, depth, false);
            if (found == 0) found = get_being_item_type(being, {if_melee, -if_two_handed}, depth, false);
            if (found == 0) found = get_being_item_type(being, {if_melee, if_two_handed}, depth, false);
            if (equip_found(being, found, slot_set1_main, depth, no_time)) {
                b.wish_of(if_melee) = 0;
                equipped = true;
            }
        }
        b.wish_of(if_shield) = 0;
        const titem* main = worn_item(being, slot_set1_main);
        if (main != nullptr && !has_item_flag(*main, if_two_handed) && b.equipment_of(slot_set1_off) == 0) {
            int found = 0;
            if (being_status(b, st_dualwield) != 0) {
                found = get_being_item_type(being, {if_melee, -if_two_handed, if_enchanted}, depth, false);
                if (found == 0) found = get_being_item_type(being, {if_melee, -if_two_handed}, depth, false);
            }
            if (found == 0) found = get_being_item_type(being, {if_shield}, depth, false);
            if (found == 0) {
                if (base_body >= shield_body) b.wish_of(if_shield) = 1;
            } else if (base_body >= being_items[being][found].ability_minimum[body - 1] &&
                       equip_found(being, found, slot_set1_off, depth, no_time)) {
                equipped = true;
            }
        }
    }
    if (ranged_set && (b.equipment_of(slot_set2_main) == 0 || b.equipment_of(slot_quiver) == 0)) {
        if (b.equipment_of(slot_set2_main) == 0) {
            bool done = false;
            for (const launcher_pair& p : launcher_ammo_pairs) {
                const int launcher = get_being_item_type(being, {p.launcher}, depth, false);
                const int ammunition =
                    launcher ? get_being_item_type(being, {p.ammunition}, depth, false) : 0;
                if (launcher == 0 || ammunition == 0) continue;
                equip_item(being, launcher, slot_set2_main, depth, no_time);
                equip_item(being, ammunition, slot_quiver, depth, true);
                b.wish_of(if_ranged) = 0;
                equipped = done = true;
                break;
            }
            if (!done) {
                const int thrown = get_being_item_type(being, {if_throw}, depth, false);
                if (equip_found(being, thrown, slot_set2_main, depth, no_time)) {
                    equipped = done = true;
                }
            }
            for (int flag : {if_bow, if_sling, if_crossbow}) {
                if (done) break;
                const int launcher = get_being_item_type(being, {flag}, depth, false);
                if (!equip_found(being, launcher, slot_set2_main, depth, no_time)) continue;
                b.wish_of(if_ranged) = 0;
                b.wish_of(launcher_ammunition_flag(being_items[being][launcher])) = 1;
                b.uses_items = 1;
                equipped = done = true;
            }
        } else if (b.equipment_of(slot_quiver) == 0) {
            const titem* launcher = worn_item(being, slot_set2_main);
            const int kind = launcher != nullptr ? launcher_ammunition_flag(*launcher) : 0;
            const int ammunition = kind ? get_being_item_type(being, {kind}, depth, true) : 0;
            if (ammunition != 0 && being_items[being][ammunition].slot == 0 &&
                equip_item(being, ammunition, slot_quiver, depth, true)) {
                b.wish_of(kind) = being_items[being][ammunition].amount >= arrows_wanted_below ? 0 : 1;
                equipped = true;
            }
        }
    }
    return equipped;
}

bool equip_being(int being, int slot, int depth) {
    depth = trace_enter(depth, trace_equip_being);
    if (!is_being_ok(being, depth) || !has_type_flag(beings[being], tf_can_use_items)) return false;
    if (being >= int(being_items.size())) return false;
    tbeing& b = beings[being];
    uint16_t before[equipment_slot_count];
    std::copy(std::begin(b.equipment), std::end(b.equipment), before);
    int first = slot, last = slot;
    if (slot == 0) {
        equip_weapons(being, true, true, depth, true, true);
        first = 1;
        last = slot_light;
    } else if (slot < 1 || slot > equipment_slot_count) {
        return false;
    }
    const int master = find_being_by_serial(b.master);
    const bool master_dark = master == 0 || worn_item(master, slot_light) == nullptr;
    for (int s = first; s <= last; ++s) {
        if (s == slot_light && b.dark_vision > 0 && master != 0 && master_dark) continue;
        const std::vector<titem>& list = being_items[being];
        int best = 0;
        for (std::size_t i = 1; i < list.size(); ++i) {
            if (!item_fits_slot(being, int(i), s) || !meets_ability_requirements(being, list[i])) continue;
            if (best == 0 || list[i].value > list[best].value || list[best].value == 0) best = int(i);
        }
        if (best != 0) equip_item(being, best, s, depth, true);
    }
    if (state.busy) return false;
    std::string names;
    for (int s = 1; s <= equipment_slot_count; ++s) {
        const titem* worn = worn_item(being, s);
        if (b.equipment_of(s) == at1(before, s) || worn == nullptr) continue;
        if (!names.empty()) names += ", ";
        names += item_name(worn->name.view(), worn->amount, worn->stackable, being, 1);
    }
    if (!names.empty()) {
        std::string sentence;
        action_sentence(being, 0, "%s %s: $N" + names + "$B.", sentence, "equips", "equip");
        if (!sentence.empty()) add_message("$B" + sentence);
    }
    return !std::equal(std::begin(b.equipment), std::end(b.equipment), before);
}

void setup_weapon_set(int being, bool active, int depth, tweapon_set& w) {
    depth = trace_enter(depth, trace_setup_weapon_set);
    w = tweapon_set{};
    if (!is_being_ok(being, depth)) return;
    const tbeing& b = beings[being];
    int main = b.active_set;
    if (!active) main = main == set_1_main_hand ? set_2_main_hand : set_1_main_hand;
    if (b.active_set < 1 || b.active_set > slot_set2_off) return;
    for (int h = 0; h < hand_count; ++h) {
        const int slot = main + h;
        w.hand_slot[h] = uint8_t(slot);
        const int index = b.equipment_of(slot);
        if (index == 0 || !is_item_ok(index, being, 0)) continue;
        w.hand_item[h] = uint16_t(index);
        fill_hand(being, being_items[being][index], h, w);
    }
    record_quiver(being, w);
    apply_body_modifier(being, w);
    match_ammunition(being, w);
    const bool hand_empty = w.hand_item[0] == 0 || w.hand_item[1] == 0;
    w.bare_hands = !w.melee[0] && !w.melee[1] && !w.two_handed_held && hand_empty ? 1 : 0;
    w.min_range = being_status(b, st_close_combat_ranged) != 0 ? 1 : 2;
    w.max_range = std::max(w.range[0], w.range[1]);
}

bool ammo_matches_launcher(int, const titem& launcher, const titem& ammunition) {
    const int kind = launcher_ammunition_flag(launcher);
    return kind != 0 && has_item_flag(ammunition, kind);
}

void check_ammunition(int being, int depth) {
    depth = trace_enter(depth, trace_check_ammunition);
    if (!is_being_ok(being, depth) || being != player) return;
    tbeing& b = beings[being];
    const titem* launcher = worn_item(being, b.active_set);
    if (launcher == nullptr || !has_item_flag(*launcher, if_ranged)) return;
    const titem* quiver = worn_item(being, slot_quiver);
    if (quiver != nullptr && !ammo_matches_launcher(being, *launcher, *quiver)) {
        equip_item(being, 0, slot_quiver, depth, true);
        quiver = nullptr;
    }
    if (quiver != nullptr) return;
    const int kind = launcher_ammunition_flag(*launcher);
    const int ammunition = kind ? get_being_item_type(being, {kind}, depth, false) : 0;
    if (ammunition != 0) equip_item(being, ammunition, slot_quiver, depth, true);
    update_being(being, depth);
}

void switch_ammunition(int being, int depth) {
    depth = trace_enter(depth, trace_switch_ammunition);
    if (!is_being_ok(being, depth) || being >= int(being_items.size())) return;
    tbeing& b = beings[being];
    int current = b.weapon_set.quiver;
    int kind = b.weapon_set.ammunition;
    if (!b.weapon_set.quiver_matches_launcher) {
        const titem* launcher = worn_item(being, b.active_set);
        if (launcher == nullptr || !has_item_flag(*launcher, if_ranged)) return;
        kind = launcher_ammunition_flag(*launcher);
        current = 0; // the search starts at the first item
    }
    const std::vector<titem>& list = being_items[being];
    const int count = int(list.size()) - 1;
    for (int step = 1; step <= count && kind != 0; ++step) {
        const int i = (current - 1 + step) % count + 1;
        if (i == b.equipment_of(slot_quiver) || list[i].plan == 0 || list[i].item_class != kind) continue;
        equip_item(being, i, slot_quiver, depth, true);
        break;
    }
    update_being(being, depth);
}

} // namespace dravok
