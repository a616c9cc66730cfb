#include "ai/attack_kinds.h"

#include <functional>
#include <initializer_list>

#include "ai/attacking.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "rules/item_use.h"
#include "rules/map_effects.h"
#include "rules/talents.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/map.h"
#include "world/random.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {

namespace {

enum attack_kind : int {
    kind_animate,
    kind_summon,
    kind_poison,
    kind_restrain,
    kind_damage,
    kind_banish,
    kind_count
};

// Activation kinds of the effects each attack kind asks for.
constexpr int ek_damage = 5, ek_animate = 24, ek_animate_advanced = 25, ek_banish = 27, ek_poison = 36,
              ek_slime = 41, ek_web = 58;
constexpr int ek_summon_animals = 43, ek_summon_celestials = 44, ek_summon_demons = 45, ek_summon_devils = 46,
              ek_summon_elementals = 47, ek_summon_slaad = 49, ek_summon_snakes = 50, ek_summon_spiders = 51,
              ek_summon_spiders_drow = 52, ek_summon_unicorn = 53, ek_summon_wolves_vampiric = 55,
              ek_summon_yochlol = 56;

// The stamina reserves the being keeps per attack kind (the cheapest talent of the kind).
constexpr int reserve_animate = 1, reserve_banish = 2, reserve_damage = 3, reserve_restrain = 4,
              reserve_summon = 5, reserve_poison = 6;

constexpr int servant_limit = 2;
constexpr int summoned_hostiles_for_banish = 2;

// What the target is open to, whoever attacks it.
struct ttarget_state {
    bool poisonable, web_immune, slime_immune, holdable;
};

ttarget_state target_state(int target) {
    const tbeing& t = beings[target];
    ttarget_state s{};
    s.web_immune = being_status(t, st_immunity_web) > 0;
    s.slime_immune = being_status(t, st_immunity_slime) > 0;
    s.poisonable = being_status(t, st_poisoned) == 0 && being_status(t, st_immunity_poison) == 0;
    s.holdable = !is_on_restraining_map_effect(target, 0) && !(s.web_immune && s.slime_immune);
    return s;
}

// Draws the open kinds one by one, at random, until one gives something to use; 0 when none.
int draw_attack(uint8_t (&open)[kind_count], const std::function<int(int)>& ask_kind) {
    while (true) {
        const int pick = random_set_index(open);
        if (pick == 0) return 0;
        open[pick - 1] = 0;
        const int found = ask_kind(pick - 1);
        if (found != 0) return found;
    }
}

// Slime or web when the target is immune to neither, else the one it is not immune to.
int restraint(const ttarget_state& t, const std::function<int(std::initializer_list<int>)>& ask) {
    if (!t.web_immune && !t.slime_immune) return ask({ek_slime, ek_web});
    return ask({t.slime_immune ? ek_web : ek_slime});
}

} // namespace

bool may_summon(int being) {
    if (!is_being_ok(being)) return false;
    const tbeing& b = beings[being];
    if (b.summoned_followers + b.animated_followers >= servant_limit) return false;
    if (has_type_flag(b, tf_summoned) || has_type_flag(b, tf_animated) || state.catch_up != 0) return false;
    // Health above 1.5 times the servants' health.
    return 2 * int(b.health) > 3 * (int(b.summoned_health) + int(b.animated_health));
}

int ai_get_attack_spell(int being, int target) {
    if (!is_being_ok(being) || !is_being_ok(target)) return 0;
    tbeing& b = beings[being];
    // Still in its prison cell.
    if (has_type_flag(b, tf_spawned_in_cell) && has_type_flag(b, tf_has_not_left_cell)) return 0;
    const ttarget_state t = target_state(target);
    auto has = [&](int status, int reserve) {
        return being_status(b, status) > 0 && b.stamina >= b.stamina_reserve_of(reserve);
    };
    const bool summoning = may_summon(being) && has_free_neighbour_cell(target);
    uint8_t open[kind_count] = {};
    open[kind_animate] = has(st_animate, reserve_animate) && b.corpse_in_reach != 0 && summoning;
    open[kind_summon] = has(st_summon, reserve_summon) && summoning;
    open[kind_poison] = has(st_poison, reserve_poison) && t.poisonable;
    open[kind_restrain] = has(st_restrain, reserve_restrain) && t.holdable;
    open[kind_damage] = has(st_damage, reserve_damage);
    open[kind_banish] =
        has(st_banish, reserve_banish) && b.seen_summoned_hostiles >= summoned_hostiles_for_banish;
    auto talent = [&](std::initializer_list<int> kinds) { return get_talent(being, target, kinds, 0); };
    return draw_attack(open, [&](int kind) {
        switch (kind) {
        case kind_animate: {
            const int advanced = talent({ek_animate_advanced});
            return advanced != 0 ? advanced : talent({ek_animate});
        }
        case kind_summon: {
            const int strong =
                talent({ek_summon_celestials, ek_summon_devils, ek_summon_demons, ek_summon_elementals,
                        ek_summon_slaad, ek_summon_unicorn, ek_summon_yochlol});
            return strong != 0 ? strong
                               : talent({ek_summon_animals, ek_summon_spiders, ek_summon_spiders_drow,
                                         ek_summon_wolves_vampiric, ek_summon_snakes});
        }
        case kind_poison:
            return talent({ek_poison});
        case kind_restrain:
            return restraint(t, talent);
        case kind_damage:
            return talent({ek_damage});
        default:
            return talent({ek_banish});
        }
    });
}

int ai_get_attack_device(int being, int target) {
    if (!is_being_ok(being) || !is_being_ok(target)) return 0;
    const tbeing& b = beings[being];
    const ttarget_state t = target_state(target);
    auto has = [&](int status) { return being_status(b, status) > 0; };
    const bool summoning = may_summon(being);
    uint8_t open[kind_count] = {};
    open[kind_animate] = has(st_device_animate) && b.corpse_in_reach != 0 && summoning;
    open[kind_summon] = has(st_device_summon) && summoning;
    open[kind_poison] = has(st_device_poison) && t.poisonable;
    open[kind_restrain] = has(st_device_restrain) && t.holdable;
    open[kind_damage] = has(st_device_damage);
    open[kind_banish] = has(st_device_banish) && b.seen_summoned_hostiles >= summoned_hostiles_for_banish;
    auto device = [&](std::initializer_list<int> kinds) {
        return get_usable_device(being, target, kinds, 0);
    };
    return draw_attack(open, [&](int kind) {
        switch (kind) {
        case kind_animate:
            return device({ek_animate_advanced, ek_animate});
        case kind_summon: {
            const int strong =
                device({ek_summon_elementals, ek_summon_devils, ek_summon_demons, ek_summon_yochlol});
            return strong != 0 ? strong
                               : device({ek_summon_animals, ek_summon_spiders, ek_summon_spiders_drow,
                                         ek_summon_wolves_vampiric, ek_summon_snakes});
        }
        case kind_poison:
            return device({ek_poison});
        case kind_restrain:
            return restraint(t, device);
        case kind_damage:
            return device({ek_damage});
        default:
            return device({ek_banish});
        }
    });
}

} // namespace dravok
