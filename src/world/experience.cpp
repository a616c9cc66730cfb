#include "world/experience.h"
#include "records/layout_being.h"
#include "records/layout_item.h"
#include "records/layout_parts.h"
#include "records/layout_plans.h"
#include "world/error_log.h"
#include "world/tables.h"

#include <algorithm>

#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/experience_award.h"
#include "world/lookup.h"
#include "world/rounding.h"

namespace dravok {

namespace {

constexpr double health_worth = 2.5, regenerating_health_worth = 6.0;
constexpr int special_attack_bonus = 30, immunity_bonus = 30, gift_bonus = 50;
constexpr int last_melee_natural_kind = 13;
// Talent effect kinds that weigh more than their stamina cost.
constexpr int kind_damage = 5, kind_animate = 24, kind_animate_advanced = 25, kind_web = 58;
constexpr int first_summon_kind = 43, last_summon_kind = 56;
constexpr int ability_body = 1;

std::string hand_item_name(int being, const tweapon_set& set, int hand) {
    const int item = set.hand_item[hand];
    if (item < 1 || item >= int(being_items[being].size())) return {};
    return being_items[being][item].name.str();
}

int talent_worth(const ttalent& t) {
    const int kind = t.effect.kind;
    if (kind == kind_animate || kind == kind_animate_advanced ||
        (kind >= first_summon_kind && kind <= last_summon_kind))
        return round_half_even(t.stamina * 3.0);
    if (kind == kind_web) return round_half_even(t.stamina * 2.5);
    if (kind == kind_damage) return max_damage(t.effect.damage_dice, 0);
    return t.stamina;
}

} // namespace

void calculate_experience_award(int being, int depth, std::string& weapon_text) {
    depth = trace_enter(depth, trace_calculate_experience_award);
    weapon_text.clear();
    if (being < 1 || being >= int(beings.size())) return;
    tbeing& b = beings[being];
    b.xp_worth = 0;
    if (has_type_flag(b, tf_passive)) return;
    long worth = round_half_even(
        b.health_max * (being_status(b, st_regenerating_health) ? regenerating_health_worth : health_worth));

    // The best weapon of both sets and both hands, for melee and for ranged attacks.
    int melee = 0, ranged = 0;
    std::string melee_name, ranged_name;
    for (const tweapon_set* set : {&b.weapon_set, &b.other_weapon_set}) {
        for (int h = 0; h < hand_count; ++h) {
            if (is_damage_set(set->melee_damage[h])) {
                const int v = (max_damage(set->melee_damage[h], being) + set->melee_damage_bonus[h]) *
                              std::max<int>(1, set->melee[h]);
                if (v > melee) {
                    melee = v;
                    melee_name = hand_item_name(being, *set, h);
                }
            }
            if (is_damage_set(set->ranged_damage[h])) {
                const int v = max_damage(set->ranged_damage[h], being) + set->ranged_damage_bonus[h];
                if (v > ranged) {
                    ranged = v;
                    ranged_name = hand_item_name(being, *set, h);
                }
            }
        }
    }
    int special = 0, natural_melee = 0, natural_ranged = 0, melee_kinds = 0;
    for (int i = 1; i <= natural_attack_count; ++i) {
        const tnatural_attack& a = b.natural_attack(i);
        if (a.attack_class == 0) continue;
        if (a.hit_effect.kind != 0) ++special;
        if (a.attack_class <= last_melee_natural_kind) {
            const int v = (max_damage(a.damage, being) + b.ability_modifier[ability_body - 1]);
            natural_melee += std::max(0, v);
            ++melee_kinds;
        } else {
            natural_ranged += std::max(0, max_damage(a.damage, being));
        }
    }
    if (melee == 0 && natural_melee > 0) {
        melee = natural_melee;
        melee_name = melee_kinds > 1 ? "multiple natural" : "natural";
    }
    if (ranged == 0) ranged = natural_ranged;
    worth += melee + ranged + special * special_attack_bonus;

    const int physical =
        round_half_even((b.resistance_of(1) + b.resistance_of(2) + b.resistance_of(3)) / 3.0);
    if (physical > 0) worth += round_half_even(double(physical + 1) * (physical + 1) * physical);
    for (int t = physical_damage_types + 1; t <= damage_type_count; ++t)
        if (b.resistance_of(t) > 0) worth += clamp(b.resistance_of(t), 1, 10);
    for (int s : {st_immunity_critical_hits, st_immunity_disease, st_immunity_poison, st_immunity_web,
                  st_immunity_slime})
        if (being_status(b, s)) worth += immunity_bonus;
    for (int s : {st_regenerating_stamina, st_protection_critical_hits, st_die_hard, st_health_surge})
        if (being_status(b, s)) worth += gift_bonus;
    long talent_sum = 0;
    for (int t = 1; t <= talent_count && t < int(talents.size()); ++t)
        if (b.talent_of(t) != 0) talent_sum += talent_worth(talents[t]);
    worth += 3 * talent_sum;

    if (has_type_flag(b, tf_immobile) && melee == 0 && ranged == 0) worth = 0;
    b.xp_worth = uint32_t(std::max(0L, worth));
    weapon_text = melee_name;
    if (!ranged_name.empty()) weapon_text += (weapon_text.empty() ? "" : ", ") + ranged_name;
}

} // namespace dravok
