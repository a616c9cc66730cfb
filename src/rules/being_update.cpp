#include "rules/being_update.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"

#include <algorithm>

#include "rules/equipment.h"
#include "rules/lasting_effects.h"
#include "rules/map_effects.h"
#include "rules/quickslots.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/encumbrance.h"
#include "world/error_log.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/item_statuses.h"
#include "world/settings_record.h"
#include "world/tables.h"

namespace dravok {

namespace {

constexpr int body = 1, motion = 2, mind = 3, spirit = 4;
constexpr int lasting_status_level = 3; // statuses of this level and above outlive an update
constexpr int item_status_level = 2;
constexpr uint8_t no_motion_cap = 255;
constexpr int motion_cap_limit = 128; // caps from here up mean none
constexpr int improved_critical_bonus = 4;
constexpr int emitted_light_radius = 3;
constexpr int natural_item_slots = 12; // slots 1..12 always count; the hands only for the active set

// The ability that governs each skill 1..7 (disable, dodge, magic, melee, ranged, search, stealth).
constexpr int skill_ability[skill_count] = {motion, motion, mind, motion, motion, mind, motion};

bool present(int being) {
    return being < int(beings.size()) && beings[being].present != 0;
}

void reset_to_base(tbeing& b) {
    for (int k = 1; k <= ability_count; ++k) {
        b.ability_of(k) = b.base_ability_of(k);
        at1(b.item_ability_modifier, k) = at1(b.temp_ability_modifier, k) = 0;
    }
    for (int k = 1; k <= skill_count; ++k) {
        b.skill_of(k) = b.base_skill_of(k);
        at1(b.item_skill_modifier, k) = at1(b.temp_skill_modifier, k) = 0;
    }
    for (int t = 1; t <= damage_type_count; ++t) {
        b.resistance_of(t) = at1(b.base_resistance, t);
        at1(b.item_resistance, t) = at1(b.temp_resistance, t) = 0;
        b.multiplier_of(t) = at1(b.base_multiplier, t);
    }
    b.speed_bonus = 0; // a being made without a template has no speed of its own
    if (b.plan >= 1 && b.plan < being_plans.size()) {
        const tbeing_plan& plan = being_plans[b.plan];
        b.speed_bonus = plan.speed_bonus;
        b.health_regen = plan.health_regen;
        b.health_regen_delay = plan.health_regen_delay;
        b.stamina_regen = plan.stamina_regen;
        b.stamina_regen_delay = plan.stamina_regen_delay;
        b.dark_vision = plan.dark_vision;
    }
    for (int s = 1; s <= status_count; ++s) {
        if (b.status_of(s) < lasting_status_level) b.status_of(s) = 0;
    }
}

bool slot_counts(const tbeing& b, int slot) {
    return slot <= natural_item_slots || slot == slot_quiver || slot == b.active_set ||
           slot == b.active_set + 1;
}

void add_worn_item(int being, const titem& item) {
    tbeing& b = beings[being];
    for (int k = 1; k <= ability_count; ++k) {
        b.ability_of(k) = int8_t(b.ability_of(k) + at1(item.ability_modifier, k));
        at1(b.item_ability_modifier, k) =
            int8_t(at1(b.item_ability_modifier, k) + at1(item.ability_modifier, k));
    }
    for (int k = 1; k <= skill_count; ++k) {
        b.skill_of(k) = int8_t(b.skill_of(k) + at1(item.skill_modifier, k));
        at1(b.item_skill_modifier, k) = int8_t(at1(b.item_skill_modifier, k) + at1(item.skill_modifier, k));
    }
    for (int t = 1; t <= damage_type_count; ++t) {
        b.resistance_of(t) = int16_t(b.resistance_of(t) + at1(item.resistance_modifier, t));
        at1(b.item_resistance, t) = int16_t(at1(b.item_resistance, t) + at1(item.resistance_modifier, t));
    }
    b.health_regen = uint16_t(b.health_regen + item.health_regen_bonus);
    b.health_regen_delay = uint16_t(std::max(1, int(b.health_regen_delay) - item.health_delay_reduction));
    b.stamina_regen = uint16_t(b.stamina_regen + item.stamina_regen_bonus);
    b.stamina_regen_delay = uint16_t(std::max(1, int(b.stamina_regen_delay) - item.stamina_delay_reduction));
    b.speed_bonus = int8_t(b.speed_bonus + item.speed);
    if (item.max_motion != 0 && item.max_motion < b.motion_cap) b.motion_cap = item.max_motion;
    for (int s = 1; s <= status_count; ++s) {
        if (item.status_of(s) != 0) set_being_status(being, s, item_status_level);
    }
    b.light_radius = std::max(b.light_radius, item.light_radius);
    b.dark_vision = std::max(b.dark_vision, item.dark_vision);
    if (has_item_flag(item, if_melee)) b.melee_critical = int8_t(b.melee_critical + item.critical_attack);
    if (has_item_flag(item, if_ranged) || has_item_flag(item, if_throw))
        b.ranged_critical = int8_t(b.ranged_critical + item.critical_attack);
    b.critical_protection = int8_t(b.critical_protection + item.critical_defence);
}

void add_worn_items(int being) {
    tbeing& b = beings[being];
    b.light_radius = 0;
    b.motion_cap = no_motion_cap;
    b.melee_critical = b.ranged_critical = b.critical_protection = 0;
    for (int s = 1; s <= equipment_slot_count; ++s) {
        const int index = b.equipment_of(s);
        if (index == 0 || !slot_counts(b, s) || index >= int(being_items[being].size())) continue;
        const titem& item = being_items[being][index];
        if (item.plan == 0) continue;
        // Without dual wielding an off hand holds no weapon.
        if ((s == slot_set1_off || s == slot_set2_off) && has_item_flag(item, if_melee) &&
            being_status(b, st_dualwield) == 0) {
            equip_item(being, 0, s, 0, true);
            continue;
        }
        add_worn_item(being, item);
    }
    if (being_status(b, st_improved_melee_criticals) != 0)
        b.melee_critical = int8_t(b.melee_critical + improved_critical_bonus);
    if (being_status(b, st_improved_ranged_criticals) != 0)
        b.ranged_critical = int8_t(b.ranged_critical + improved_critical_bonus);
}

void apply_load(int being) {
    tbeing& b = beings[being];
    const titem* armour = nullptr;
    const int body_item = b.equipment_of(slot_body);
    if (body_item != 0 && body_item < int(being_items[being].size()) &&
        being_items[being][body_item].plan != 0)
        armour = &being_items[being][body_item];
    if (armour != nullptr && at1(armour->ability_minimum, body) > b.ability_of(body)) {
        const int shortfall = at1(armour->ability_minimum, body) - b.ability_of(body);
        const int cap = b.motion_cap == no_motion_cap ? b.ability_of(motion) : b.motion_cap;
        b.motion_cap = uint8_t(std::max(0, cap - shortfall));
    }
    if (b.motion_cap < motion_cap_limit && b.ability_of(motion) > b.motion_cap)
        b.ability_of(motion) = int8_t(b.motion_cap);
    update_encumbrance(being);
    b.ability_of(motion) = int8_t(b.ability_of(motion) - b.motion_penalty);
    at1(b.item_ability_modifier, motion) = int8_t(at1(b.item_ability_modifier, motion) - b.motion_penalty);
    if (b.carried_weight > b.carrying_limit) {
        b.ability_of(motion) = 0;
        b.status_of(st_encumbered_6) = 1;
    } else if (b.encumbrance >= 1) {
        b.status_of(st_encumbered_1 + b.encumbrance - 1) = 1;
    }
}

void derive_figures(int being, int depth) {
    depth = trace_enter(depth, trace_derive_figures);
    tbeing& b = beings[being];
    for (int k = 1; k <= ability_count; ++k) {
        if (b.ability_of(k) < 0) b.ability_of(k) = 0;
        at1(b.ability_modifier, k) = ability_modifier(b.ability_of(k));
    }
    for (int k = 1; k <= skill_count; ++k)
        b.skill_of(k) = int8_t(b.skill_of(k) + at1(b.ability_modifier, skill_ability[k - 1]));
    const int motion_modifier = at1(b.ability_modifier, motion);
    b.speed_bonus = int8_t(b.speed_bonus + motion_modifier);
    if (b.light_radius == 0 && has_type_flag(b, tf_emits_light)) b.light_radius = emitted_light_radius;
    setup_weapon_set(being, true, depth, b.weapon_set);
    setup_weapon_set(being, false, depth, b.other_weapon_set);
    for (int i = 1; i <= natural_attack_count; ++i) {
        tnatural_attack& n = b.natural_attack(i);
        n.attack_bonus = int8_t(n.value + motion_modifier);
    }
    const int health = b.level * at1(b.ability_modifier, body) + b.health_base;
    const int stamina = b.level * at1(b.ability_modifier, spirit) + b.stamina_base;
    b.health_max = uint16_t(std::max(health, 1));
    b.stamina_max = uint16_t(std::max(stamina, 1));
    b.health = std::min(b.health, b.health_max);
    b.stamina = std::min(b.stamina, b.stamina_max);
}

} // namespace

void update_being(int being, int depth) {
    depth = trace_enter(depth, trace_update_being);
    if (!is_being_ok(being, depth)) return;
    if (being >= int(being_items.size())) being_items.resize(being + 1);
    tbeing& b = beings[being];
    reset_to_base(b);
    update_carried_weight(being);
    add_worn_items(being);
    // The lasting effects and the stat-changing map effects under the being count again.
    update_duration_effects_on_being(being, depth);
    if (!present(being)) return;
    apply_map_effects_on_being(being, true, depth);
    if (!present(being)) return;
    apply_load(being);
    derive_figures(being, depth);
    combine_similar_being_items(being, depth);
    tbeing& after = beings[being];
    if (has_type_flag(after, tf_player) && settings.auto_quickslots) assign_quickslots(being);
    update_item_statuses(being);
    if (has_type_flag(after, tf_player)) after.experience_next = experience_for_level(after.level + 1);
    after.stats_dirty = 0; // the figures are current again
}

} // namespace dravok
