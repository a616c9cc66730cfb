#include "rules/attack_damage.h"
#include "records/layout_game.h"

#include <algorithm>

#include "rules/action_time.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/game_record.h"
#include "world/item_record.h"
#include "world/random.h"

namespace dravok {

void roll_attack_damage(bool melee, int attacker, int defender, int attack, int defence, int damage_bonus,
                        const tdamage_dice& given, const titem& item, tdamage& out) {
    out = tdamage{};
    tdamage_dice formula = given;
    const tbeing& a = beings[attacker];
    const tbeing& d = beings[defender];
    int chosen = 0, best = 0;
    int tied[3] = {0, 0, 0};
    int tied_count = 0;
    for (int t = 1; t <= 3; ++t) {
        tdice& dice = formula.of(t);
        if (!is_dice_set(dice)) continue;
        dice.owner = uint16_t(attacker);
        const int v = max_dice(dice, 0) - d.resistance_of(t);
        if (v > best || chosen == 0) {
            tied[0] = t;
            tied_count = 1;
            chosen = t;
            best = v;
        } else if (v == best) {
            tied[tied_count++] = t;
        }
    }
    if (tied_count > 1) chosen = tied[random(tied_count)];
    for (int t = 1; t <= 3; ++t) {
        if (t != chosen) formula.of(t) = dice_template;
    }
    formula.owner = uint16_t(attacker);
    roll_damage(formula, out);
    for (int t = 1; t <= damage_type_count; ++t)
        out.raw_amount[t - 1] = int16_t(out.of(t));
    out.physical_type = chosen;

    const int bonus = damage_bonus + attack_damage_bonus(a);
    for (int t = 1; t <= 3; ++t) {
        if (is_dice_set(formula.of(t))) add_damage_of_type(out, t, bonus, out);
    }
    int m = a.attack_modifiers[am_multiplier];
    if (has_item_flag(item, if_polearm) || has_item_flag(item, if_spear)) m += a.attack_modifiers[am_polearm];
    if (chosen > 0 && m > 0) {
        out.total += out.of(chosen) * (m - 1);
        out.of(chosen) *= m;
    }
    if (being_status(d, st_immunity_critical_hits) == 0) {
        const int attack_total =
            attack + (melee ? a.melee_critical : a.ranged_critical) + item.critical_attack;
        const int defence_total = defence + d.critical_protection;
        if (attack_total - defence_total >= (melee ? melee_critical_margin : ranged_critical_margin))
            out.critical = 1;
    }
}

void add_elemental_damage(const tdamage& damage, const tdice& dice, tdamage& out) {
    out = damage;
    const int type = 6 + random(4);
    const int amount = roll_dice(dice);
    out.of(type) += amount;
    out.total += amount;
}

bool apply_against_bonuses(int attacker, int defender, const tdamage_dice& formula) {
    if (formula.against_type == 0 || !is_being_ok(attacker, 0) || !is_being_ok(defender, 0)) return false;
    if (!has_type_flag(beings[defender], formula.against_type)) return false;
    tbeing& a = beings[attacker];
    bool added = false;
    if (formula.against_hit != 0) {
        a.attack_modifiers[am_hit] = uint8_t(int8_t(a.attack_modifiers[am_hit]) + formula.against_hit);
        added = true;
    }
    if (formula.against_damage != 0) {
        a.attack_modifiers[am_damage] =
            uint8_t(int8_t(a.attack_modifiers[am_damage]) + formula.against_damage);
        added = true;
    }
    if (formula.against_multiplier > 0) {
        a.attack_modifiers[am_multiplier] =
            uint8_t(a.attack_modifiers[am_multiplier] + formula.against_multiplier);
        added = true;
    }
    return added;
}

int surrounded_penalty(int being) {
    if (being < 1 || being >= int(beings.size())) return 0;
    const int n = beings[being].adjacent_hostiles;
    return n >= 2 ? (n - 1) * 2 : 0;
}

int excess_penalty(int distance, int range) {
    const int half = range / 2 + 1;
    return distance > half ? (distance - half) * 2 : 0;
}

uint32_t attack_recovery_time(int being, uint32_t proposed) {
    uint32_t p = proposed;
    const tbeing& b = beings[being];
    for (int i = 1; i <= natural_attack_count; ++i) {
        const tnatural_attack& n = b.natural_attack(i);
        if (n.attack_class != 0 && n.ready_time < p) p = n.ready_time;
    }
    const uint32_t floor = game.game_clock + uint32_t(action_time(being, 20, true));
    return std::max(p, floor);
}

} // namespace dravok
