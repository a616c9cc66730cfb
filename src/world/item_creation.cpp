#include "world/item_creation.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "world/tables.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/item_record.h"
#include "world/item_value.h"
#include "world/level_record.h"
#include "world/random.h"
#include "world/rounding.h"
#include "world/sprite_lookup.h"

namespace dravok {

int enchant_depth_bonus = 0;
int content_creature_bonus = 0;
int enchant_min_level = 0;
int owner_enchant_bonus = 0;
std::array<uint16_t, 6> enchantment_chance_table{};

void enchantment_chances(int category, int value) {
    enchantment_chance_table.fill(0);
    if (value < 1) return;
    static constexpr double wearable_factors[5] = {0.4, 0.15, 0.08, 0.02, 0.005};
    static constexpr double other_factors[5] = {1.0, 0.6, 0.14, 0.06, 0.03};
    const double t = value / 7.0;
    const bool wearable = category == if_wearable;
    const double* factors = wearable ? wearable_factors : other_factors;
    const int highest = std::min(5, round_half_even(t + (wearable ? 0.5 : 1.0)));
    enchantment_chance_table[0] = uint16_t(std::max(highest, 0));
    for (int i = 1; i <= highest; ++i) {
        const int x = value + 3 - i;
        if (x < 1) break;
        const double exponent = std::log(double(x)) / std::log(23.0);
        enchantment_chance_table[i] = uint16_t(round_half_even(factors[i - 1] * std::pow(500.0, exponent)));
    }
}

namespace {

int chance_of_level(int level) {
    if (level < 1 || level > 5 || level > enchantment_chance_table[0]) return 0;
    return enchantment_chance_table[level];
}

// 127 in a template modifier stands for the enchantment level.
template <class T> void replace_placeholder(T& value, int level) {
    if (value == 127) value = T(level);
}

void add_bonus(titem& item, int type, int amount) {
    item.damage.of(type).bonus = int16_t(item.damage.of(type).bonus + amount);
}

void enchant(titem& r, const titem_plan& plan) {
    const int d = level.item_depth + enchant_depth_bonus + owner_enchant_bonus;
    enchantment_chances(r.category, d + plan.enchantment_depth);
    const int floor = std::max<int>(plan.min_enchantment, enchant_min_level);
    int l = plan.max_enchantment;
    while (floor < l) {
        const int roll = d1000();
        if (roll <= chance_of_level(l)) break;
        --l;
    }
    if (l < 1) return;
    r.flags[if_enchanted] = 1;
    r.enchantment = int8_t(l);
    for (int8_t& m : r.ability_modifier)
        replace_placeholder(m, l);
    for (int8_t& m : r.skill_modifier)
        replace_placeholder(m, l);
    for (int16_t& m : r.resistance_modifier)
        replace_placeholder(m, l);
    replace_placeholder(r.movement, l);
    if (r.critical_attack != 0) r.critical_attack = int8_t(r.critical_attack + l);
    if (r.critical_defence != 0) r.critical_defence = int8_t(r.critical_defence + l);

    if (has_item_flag(r, if_armor)) {
        for (int t = 1; t <= 3; ++t)
            r.resistance_modifier_of(t) = int16_t(r.resistance_modifier_of(t) + l);
        if (plan.max_motion != 0) {
            int m = plan.max_motion + l;
            if (m % 2 != 0) ++m;
            r.max_motion = uint8_t(m);
        }
        if (plan.movement < 0) r.movement = int8_t(std::min(0, r.movement + l));
    }

    const bool ammunition = has_item_flag(r, if_ammunition);
    const bool unlimited = plan.game_limit == 0;
    if ((has_item_flag(r, if_melee) || has_item_flag(r, if_ranged) || ammunition) && unlimited) {
        const int c = d * 10 * (ammunition ? 2 : 1);
        const int side = random(100);
        const int aligned_type = side > 50 ? 13 : 12; // necrotic, else holy
        if (c >= d1000()) {
            const int second = d1000();
            add_bonus(r, aligned_type, c >= second ? 2 : 1);
        }
        if (r.hit_effect.kind == 0) {
            int c2 = d * 10 * (ammunition ? 2 : 1);
            if (c2 >= d1000()) {
                const int type = 6 + random(4);
                if (ammunition) c2 *= 2;
                const int second = d1000();
                add_bonus(r, type, c2 >= second ? 2 : 1);
            }
        }
        if (d * (ammunition ? 2 : 1) >= d1000()) r.flags[if_vampiric] = 1;
    }
    if (has_item_flag(r, if_ranged) && unlimited) {
        if (d >= d1000()) r.flags[if_vampiric] = 1;
    }
}

} // namespace

void create_item(int plan_index, const tdice& amount_dice, int depth, titem& r) {
    depth = trace_enter(depth, trace_create_item);
    r = blank_item;
    const int count = int(item_plans.size()) - 1;
    if (plan_index < 1 || plan_index > count) {
        char text[120];
        std::snprintf(text, sizeof text, "Illegal index %d when trying to create item! (max %d)", plan_index,
                      count);
        error_log(depth, text, true);
        return;
    }
    titem_plan& plan = item_plans[plan_index];
    if (plan.level_limit != 0 && plan.created_on_level >= plan.level_limit) return;
    if (plan.game_limit != 0 && plan.created_in_game >= plan.game_limit) return;
    const int amount = roll_dice(amount_dice);
    if (amount < 1) return;
    plan.created_on_level = uint16_t(plan.created_on_level + amount);
    plan.created_in_game = uint16_t(plan.created_in_game + amount);

    r.amount = amount;
    ++game.item_serial;
    r.serial = int32_t(game.item_serial);
    r.identifier = plan.identifier.view();
    r.name = plan.name.view();
    r.plan = uint16_t(plan_index);
    std::memcpy(r.flags, plan.flags, sizeof r.flags);
    for (int f = first_item_category; f <= last_item_category && r.category == 0; ++f) {
        if (plan.flags[f]) r.category = uint8_t(f);
    }
    for (int f = first_item_class; f <= last_item_class && r.item_class == 0; ++f) {
        if (plan.flags[f]) r.item_class = uint8_t(f);
    }

    const tsprite_info sprite = sprite_info(sprites_item, plan_index);
    int variant = 0;
    if (sprite.variants >= 2 && plan.last_image != 0) {
        int image = 0;
        for (int draws = 0; draws < 100; ++draws) {
            variant = random(sprite.variants);
            image = sprite.first_image + variant;
            if (image != plan.last_image) break;
        }
    }
    r.image = uint16_t(sprite.first_image + variant);
    plan.last_image = r.image;
    // The inventory shows the icon list's picture of the same variant.
    r.icon = uint16_t(sprite_info(sprites_icon, plan_index).first_image + variant);

    r.stackable = is_stackable_item_plan(plan_index) ? 1 : 0;
    if (!r.stackable) r.amount = 1;

    r.damage = plan.damage;
    for (int k = 1; k <= ability_count; ++k)
        r.ability_modifier_of(k) = int8_t(roll_dice(plan.ability_modifier_of(k)));
    for (int k = 1; k <= skill_count; ++k)
        r.skill_modifier_of(k) = int8_t(roll_dice(plan.skill_modifier_of(k)));
    for (int t = 1; t <= damage_type_count; ++t) {
        r.resistance_modifier_of(t) = int16_t(roll_dice(plan.resistance_modifier_of(t)));
    }
    std::memcpy(r.ability_minimum, plan.ability_minimum, sizeof r.ability_minimum);
    r.weight = plan.weight;
    r.health_regen_bonus = plan.health_regen_bonus;
    r.health_delay_reduction = plan.health_delay_reduction;
    r.stamina_regen_bonus = plan.stamina_regen_bonus;
    r.stamina_delay_reduction = plan.stamina_delay_reduction;
    r.speed = plan.speed;
    r.movement = plan.movement;
    r.max_motion = plan.max_motion;
    r.device_difficulty = plan.device_difficulty;
    r.melee_attack = plan.melee_attack;
    r.melee_defence = plan.melee_defence;
    r.ranged_attack = plan.ranged_attack;
    r.ranged_defence = plan.ranged_defence;
    r.critical_attack = plan.critical_attack;
    r.critical_defence = plan.critical_defence;
    r.range = plan.range;
    std::memcpy(r.status, plan.status, sizeof r.status);
    std::memcpy(r.device_status, plan.device_status, sizeof r.device_status);
    r.light_radius = plan.light_radius;
    r.dark_vision = plan.dark_vision;
    r.hit_effect = plan.hit_effect;
    r.activation_effect = plan.activation_effect;
    r.charges = uint8_t(roll_dice(plan.charges));

    if (has_item_flag(r, if_corpse) || has_item_flag(r, if_bones)) {
        const std::string id = r.identifier.str();
        for (int c = 1; c <= 12 && r.corpse_category == 0; ++c) {
            if (id.find(creature_category_names[c]) != std::string::npos) r.corpse_category = uint8_t(c);
        }
    }

    if (plan.max_enchantment > 0) enchant(r, plan);

    if ((has_item_flag(r, if_armor) || has_item_flag(r, if_shield)) && r.enchantment > 0) {
        const uint32_t loss = r.weight * uint32_t(r.enchantment) * 10 / 100;
        if (loss < r.weight) r.weight -= loss;
    }

    std::string name;
    build_item_full_name(r, name);
    r.name = name;
    r.value = calculate_item_value(r);
}

} // namespace dravok
