#include "ai/attack_devices.h"

#include <initializer_list>

#include "records/being_flags.h"
#include "rules/item_use.h"
#include "rules/map_effects.h"
#include "world/being.h"
#include "world/globals.h"
#include "world/random.h"

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
constexpr int ek_summon_animals = 43, ek_summon_demons = 45, ek_summon_devils = 46, ek_summon_elementals = 47,
              ek_summon_snakes = 50, ek_summon_spiders = 51, ek_summon_spiders_drow = 52,
              ek_summon_wolves_vampiric = 55, ek_summon_yochlol = 56;

constexpr int servant_limit = 2;
constexpr int summoned_hostiles_for_banish = 2;

} // namespace

bool may_summon(int being) {
    if (!is_being_ok(being)) return false;
    const tbeing& b = beings[being];
    if (b.summoned_followers + b.animated_followers >= servant_limit) return false;
    if (has_type_flag(b, tf_summoned) || has_type_flag(b, tf_animated) || state.catch_up != 0) return false;
    // Health above 1.5 times the servants' health.
    return 2 * int(b.health) > 3 * (int(b.summoned_health) + int(b.animated_health));
}

int ai_get_attack_device(int being, int target) {
    if (!is_being_ok(being) || !is_being_ok(target)) return 0;
    const tbeing& b = beings[being];
    const tbeing& t = beings[target];
    auto has = [&](int status) { return being_status(b, status) > 0; };
    const bool summoning = may_summon(being);
    const bool web_immune = being_status(t, st_immunity_web) > 0;
    const bool slime_immune = being_status(t, st_immunity_slime) > 0;
    uint8_t open[kind_count] = {};
    open[kind_animate] = has(st_device_animate) && b.corpse_in_reach != 0 && summoning;
    open[kind_summon] = has(st_device_summon) && summoning;
    open[kind_poison] = has(st_device_poison) && being_status(t, st_poisoned) == 0 &&
                        being_status(t, st_immunity_poison) == 0;
    open[kind_restrain] =
        has(st_device_restrain) && !is_on_restraining_map_effect(target, 0) && !(web_immune && slime_immune);
    open[kind_damage] = has(st_device_damage);
    open[kind_banish] = has(st_device_banish) && b.seen_summoned_hostiles >= summoned_hostiles_for_banish;
    auto device = [&](std::initializer_list<int> kinds) {
        return get_usable_device(being, target, kinds, 0);
    };
    while (true) {
        const int pick = random_set_index(open);
        if (pick == 0) return 0;
        open[pick - 1] = 0;
        int item = 0;
        switch (pick - 1) {
        case kind_animate:
            item = device({ek_animate_advanced, ek_animate});
            break;
        case kind_summon:
            item = device({ek_summon_elementals, ek_summon_devils, ek_summon_demons, ek_summon_yochlol});
            if (item == 0)
                item = device({ek_summon_animals, ek_summon_spiders, ek_summon_spiders_drow,
                               ek_summon_wolves_vampiric, ek_summon_snakes});
            break;
        case kind_poison:
            item = device({ek_poison});
            break;
        case kind_restrain:
            if (!web_immune && !slime_immune)
                item = device({ek_slime, ek_web});
            else
                item = device({slime_immune ? ek_web : ek_slime});
            break;
        case kind_damage:
            item = device({ek_damage});
            break;
        default:
            item = device({ek_banish});
            break;
        }
        if (item != 0) return item;
    }
}

} // namespace dravok
