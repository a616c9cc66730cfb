#include "world/dice.h"

#include <cstring>
#include <vector>

#include "world/dice_world.h"
#include "world/random.h"
#include "world/rounding.h"

namespace dravok {

tdice one_dice = [] {
    tdice d{};
    d.bonus = 1;
    return d;
}();
tdice d2_dice = [] {
    tdice d{};
    d.count = 1;
    d.sides = 2;
    return d;
}();
tdice d20_dice = [] {
    tdice d{};
    d.count = 1;
    d.sides = 20;
    return d;
}();

void init_global_dice() {
    one_dice = dice_template;
    one_dice.bonus = 1;
    d2_dice = dice_template;
    d2_dice.count = 1;
    d2_dice.sides = 2;
    d20_dice = dice_template;
    d20_dice.count = 1;
    d20_dice.sides = 20;
}

namespace {

bool owner_in_range(int being) {
    return being >= 1 && being <= dice_last_being_index();
}

int32_t owner_bonus(const tdice& dice, int owner) {
    if (!owner_in_range(owner)) return 0;
    int32_t sum = 0;
    if (dice.ability != 0) {
        const int k = dice.ability < 0 ? -dice.ability : dice.ability;
        if (k >= 1 && k <= 4) {
            const int32_t modifier = dice_being_ability_modifier(owner, k);
            sum += dice.ability < 0 ? -modifier : modifier;
        }
    }
    for (int k = 1; k <= skill_count; ++k) {
        const int32_t amount = dice.per_skill[k - 1];
        const int32_t divisor = dice.per_skill_divisor[k - 1];
        if (amount < 1 || divisor == 0) continue;
        const int32_t skill = dice_being_current_skill(owner, k);
        if (skill > 0) sum += (skill / divisor) * amount;
    }
    if (dice.per_level != 0 && dice.per_level_divisor > 0)
        sum += (dice_being_level(owner) * static_cast<int32_t>(dice.per_level)) / dice.per_level_divisor;
    return sum;
}

int32_t dungeon_level_bonus(const tdice& dice) {
    if (dice.per_dungeon_level == 0 || dice.per_dungeon_level_divisor == 0) return 0;
    const int32_t depth = dice_current_depth();
    if (depth <= 0) return 0;
    return (depth / dice.per_dungeon_level_divisor) * dice.per_dungeon_level;
}

} // namespace

int32_t roll_dice(const tdice& dice) {
    int32_t sum = 0;
    for (int i = 0; i < dice.count; ++i) {
        const int32_t die = random(dice.sides) + 1;
        sum += die;
    }
    sum += dice.bonus;
    if (dice.owner != 0) sum += owner_bonus(dice, dice.owner);
    sum += dungeon_level_bonus(dice);
    return sum;
}

int32_t roll_dice_for_being(const tdice& dice, int being) {
    if (!owner_in_range(being)) return roll_dice(dice);
    tdice d = dice;
    d.owner = static_cast<uint16_t>(being);
    return roll_dice(d);
}

int32_t get_dice_being_bonus(const tdice& dice) {
    return owner_bonus(dice, dice.owner);
}

int32_t min_dice(const tdice& dice, int being) {
    return dice.count + dice.bonus + owner_bonus(dice, being) + dungeon_level_bonus(dice);
}

int32_t max_dice(const tdice& dice, int being) {
    const int32_t sides = dice.sides > 0 ? dice.sides : 1; // a die of 0 sides rolls 1
    return dice.count * sides + dice.bonus + owner_bonus(dice, being) + dungeon_level_bonus(dice);
}

int32_t min_damage(const tdamage_dice& damage, int being) {
    int32_t kept = 0;
    for (int t = 1; t <= physical_damage_types; ++t) {
        const int32_t m = min_dice(damage.of(t), being);
        if (kept == 0 || (m >= 1 && m < kept)) kept = m;
    }
    for (int t = physical_damage_types + 1; t <= damage_type_count; ++t)
        kept += min_dice(damage.of(t), being);
    return kept;
}

int32_t max_damage(const tdamage_dice& damage, int being) {
    int32_t best = 0;
    for (int t = 1; t <= physical_damage_types; ++t) {
        const int32_t m = max_dice(damage.of(t), being);
        if (m > best) best = m;
    }
    for (int t = physical_damage_types + 1; t <= damage_type_count; ++t)
        best += max_dice(damage.of(t), being);
    return best;
}

void max_damage_by_type(const tdamage_dice& damage, int being, tdamage& out) {
    out = tdamage{};
    for (int t = 1; t <= damage_type_count; ++t) {
        out.of(t) = max_dice(damage.of(t), being);
        out.total += out.of(t);
    }
}

void make_fixed_dice(int32_t value, tdice& out) {
    out = dice_template;
    out.bonus = static_cast<int16_t>(value);
}

bool is_dice_set(const tdice& d) {
    if (d.count != 0 || d.sides != 0 || d.bonus != 0 || d.all_flag != 0 || d.ability != 0 ||
        d.per_dungeon_level_divisor != 0)
        return true;
    if (d.per_level >= 1 || d.per_dungeon_level >= 1) return true;
    for (int k = 0; k < skill_count; ++k)
        if (d.per_skill[k] >= 1) return true;
    return false;
}

bool is_damage_set(const tdamage_dice& damage) {
    for (int t = 1; t <= damage_type_count; ++t)
        if (is_dice_set(damage.of(t))) return true;
    return false;
}

bool is_dice_fixed(const tdice& d) {
    if (d.count > 0 || d.sides > 0 || d.per_level > 0 || d.ability != 0) return false;
    for (int k = 0; k < skill_count; ++k)
        if (d.per_skill[k] > 0) return false;
    return true;
}

bool same_damage(const tdamage_dice& a, const tdamage_dice& b) {
    return std::memcmp(&a, &b, sizeof(tdamage_dice)) == 0;
}

void roll_damage(const tdamage_dice& damage, tdamage& out) {
    out.total = 0;
    for (int t = 1; t <= damage_type_count; ++t) {
        tdice d = damage.of(t);
        d.owner = damage.owner;
        if (d.count > 0 || d.bonus != 0 || d.owner > 0) {
            out.of(t) = roll_dice(d);
            out.total += out.of(t);
        } else {
            out.of(t) = 0;
        }
    }
}

void roll_damage_for_being(const tdamage_dice& damage, int being, tdamage& out) {
    tdamage_dice d = damage;
    d.owner = static_cast<uint16_t>(being);
    roll_damage(d, out);
}

void add_damage_of_type(const tdamage& damage, int type, int32_t amount, tdamage& out) {
    out = damage;
    if (type < 1 || type > damage_type_count) return;
    out.of(type) += amount;
    out.total += amount;
}

void scale_damage_result(const tdamage& damage, tdamage& out, float factor) {
    out = damage;
    out.total = 0;
    for (int t = 1; t <= damage_type_count; ++t) {
        out.of(t) = round_half_even(static_cast<double>(damage.of(t)) * static_cast<double>(factor));
        out.total += out.of(t);
    }
}

void add_physical_damage_bonus(const tdamage_dice& damage, int32_t amount, tdamage_dice& out) {
    out = damage;
    for (int t = 1; t <= physical_damage_types; ++t)
        if (is_dice_set(out.of(t))) out.of(t).bonus = static_cast<int16_t>(out.of(t).bonus + amount);
}

void merge_damage(const tdamage_dice& a, const tdamage_dice& b, tdamage_dice& out) {
    const tdamage_dice merged_from = b; // out may be a or b
    out = a;
    for (int t = 1; t <= damage_type_count; ++t)
        out.of(t).bonus = static_cast<int16_t>(out.of(t).bonus + merged_from.of(t).bonus);
    if (out.against_type == 0 && merged_from.against_type != 0) {
        out.against_type = merged_from.against_type;
        out.against_hit = merged_from.against_hit;
        out.against_damage = merged_from.against_damage;
        out.against_multiplier = merged_from.against_multiplier;
    }
}

} // namespace dravok
