#include "world/item_value.h"
#include "records/layout_plans.h"
#include "world/tables.h"

#include <algorithm>
#include <string>

#include "world/dice.h"
#include "world/item_record.h"
#include "world/rounding.h"

namespace dravok {

namespace {

constexpr int64_t value_cap = 50000, ring_cap = 2500, cloak_cap = 5000;
constexpr int skill_disable = 1, skill_search = 6, skill_stealth = 7;
constexpr int resistance_mental = 4, resistance_sonic = 10;
constexpr int first_elemental_type = 4; // damage types 4..13 count as extra damage
constexpr int kind_damage = 5, kind_restore_health = 6, kind_restore_stamina = 7;
constexpr int shape_ray = 5, shape_ball = 7, shape_chain = 8, shape_seen_hostiles = 9;

int granted_statuses(const titem& item) {
    return int(
        std::count_if(std::begin(item.status), std::end(item.status), [](uint8_t s) { return s != 0; }));
}

int positive(int v) {
    return v > 0 ? v : 0;
}

int extra_damage_types(const titem& item) {
    int count = 0;
    for (int t = first_elemental_type; t <= damage_type_count; ++t) {
        if (max_dice(item.damage.of(t), 0) > 0) ++count;
    }
    return count;
}

int against_bonus(const titem& item) {
    return item.damage.against_damage > 0 || item.damage.against_multiplier >= 1 ? 1 : 0;
}

int64_t armour_value(const titem& item, int64_t price) {
    int n = 5 * item.enchantment;
    for (int k = 0; k < ability_count; ++k)
        n += positive(item.ability_modifier[k]);
    for (int k = 0; k < skill_count; ++k)
        n += positive(item.skill_modifier[k]);
    for (int t = 1; t <= damage_type_count; ++t) {
        const int m = at1(item.resistance_modifier, t);
        n += t <= 3 ? (m > 2 ? (m - 2) * 3 : 0) : (m > 0 ? m / 2 : 0);
    }
    n += positive(item.movement) + positive(item.critical_defence) + 3 * granted_statuses(item);
    return progressive_sum(price, n, 2.0f);
}

int64_t wearable_value(const titem& item, int64_t price) {
    int n = 0;
    for (int k = 0; k < ability_count; ++k)
        n += 2 * positive(item.ability_modifier[k]);
    for (int k = 1; k <= skill_count; ++k) {
        const int m = at1(item.skill_modifier, k);
        if (m > 0) n += k == skill_disable || k == skill_search || k == skill_stealth ? 1 : 2;
    }
    for (int t = 1; t <= damage_type_count; ++t) {
        const int m = at1(item.resistance_modifier, t);
        if (t <= 3)
            n += (m > 0 ? 2 * m : 0) + 2 * m;
        else if (t == resistance_mental || t == resistance_sonic)
            n += m / 5;
        else
            n += m / 2;
    }
    n += item.movement > 0 ? 2 * item.movement : 0;
    if (n > 0) n += 3 * granted_statuses(item);
    return progressive_sum(price, n, 50.0f);
}

int64_t device_value(const titem& item, int64_t price) {
    int64_t value = price;
    const teffect& e = item.activation_effect;
    if (e.kind == kind_damage) {
        value = int64_t(max_damage(e.damage_dice, 0)) * 10;
        if (e.shape == shape_ray || e.shape == shape_ball || e.shape == shape_chain ||
            e.shape == shape_seen_hostiles)
            value = round_half_even(double(value) * 1.3);
    }
    if (item.charges >= 2) value += round_half_even(double(value) * (item.charges - 1) * 0.25);
    return value;
}

int64_t potion_value(const titem& item) {
    const teffect& e = item.activation_effect;
    if (item.name.str().find("tankard") != std::string::npos) return 0;
    switch (e.kind) {
    case 1:
        return 1000;
    case 4:
        return 1500;
    case 30:
        return 500;
    case 12:
        if (e.sub_type == 0) return 300;
        break;
    case kind_restore_health:
    case kind_restore_stamina:
        return round_half_even(double(max_damage(e.damage_dice, 0)) * 5) + 40;
    default:
        break;
    }
    return 100;
}

int64_t other_value(const titem& item, int64_t price) {
    const int e = item.enchantment, s = granted_statuses(item);
    const int64_t maxd = max_damage(item.damage, 0);
    if (has_item_flag(item, if_ranged)) {
        const int64_t r = round_half_even(double(max_dice(item.range, 0)));
        const int n =
            e + s + (has_item_flag(item, if_vampiric) ? 1 : 0) + (has_item_flag(item, if_sentient) ? 1 : 0);
        return progressive_sum(50 * r, n, float(50 * r));
    }
    if (has_item_flag(item, if_shield)) {
        int64_t d = maxd + item.melee_defence + item.ranged_defence + item.critical_defence;
        for (int t = 1; t <= damage_type_count; ++t)
            d += positive(at1(item.resistance_modifier, t));
        const int n =
            e + extra_damage_types(item) + against_bonus(item) + s + (item.hit_effect.kind != 0 ? 1 : 0);
        return progressive_sum(7 * d, n, float(75 * d));
    }
    if (has_item_flag(item, if_ammunition)) {
        if (has_item_flag(item, if_everlasting)) return maxd * 200;
        if (e > 0) return std::max<int64_t>(maxd * e, 5);
        return price;
    }
    if (has_item_flag(item, if_wand) || has_item_flag(item, if_horn) || has_item_flag(item, if_figurine))
        return device_value(item, price);
    if (has_item_flag(item, if_scroll)) return 250;
    if (has_item_flag(item, if_potion)) return potion_value(item);
    return price;
}

int64_t melee_value(const titem& item) {
    const int64_t d = max_damage(item.damage, 0);
    const int n = item.enchantment + extra_damage_types(item) + against_bonus(item) + granted_statuses(item) +
                  (has_item_flag(item, if_vampiric) ? 1 : 0) + (has_item_flag(item, if_returning) ? 1 : 0) +
                  (has_item_flag(item, if_sentient) ? 1 : 0) + (item.hit_effect.kind != 0 ? 1 : 0);
    return progressive_sum(35 * d, n, float(40 * d));
}

} // namespace

int64_t progressive_sum(int64_t base, int steps, float factor) {
    int64_t sum = base;
    for (int i = 1; i <= steps; ++i)
        sum += round_half_even(double(i) * double(factor));
    return sum;
}

uint32_t calculate_item_value(const titem& item) {
    if (item.plan < 1 || item.plan >= item_plans.size()) return 0;
    const int64_t price = item_plans[item.plan].price;
    int64_t v = 0;
    if (has_item_flag(item, if_armor))
        v = armour_value(item, price);
    else if (has_item_flag(item, if_wearable))
        v = wearable_value(item, price);
    else if (!has_item_flag(item, if_melee))
        v = other_value(item, price);
    else
        v = melee_value(item);
    // A cursed item's sums can fall below nothing; it is worth nothing.
    v = std::clamp<int64_t>(v, 0, value_cap);
    if (has_item_flag(item, if_ring)) v = std::min(v, ring_cap);
    if (has_item_flag(item, if_cloak)) v = std::min(v, cloak_cap);
    if (v >= 1000)
        v = int64_t(round_half_even(double(v) / 100.0)) * 100;
    else if (v >= 100)
        v = int64_t(round_half_even(double(v) / 10.0)) * 10;
    return uint32_t(v);
}

} // namespace dravok
