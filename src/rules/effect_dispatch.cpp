// Effect dispatch: the two tables of handlers by kind, checked when the game is built.
#include "rules/effect_dispatch.h"

#include <array>

#include "rules/effect_adjusting.h"
#include "rules/effect_harm.h"
#include "rules/effect_maneuvers.h"
#include "rules/effect_mind.h"
#include "rules/effect_summoning.h"
#include "rules/effect_tables.h"
#include "rules/effect_things.h"
#include "world/error_log.h"

namespace dravok {

namespace {

// A per-being handler: (origin, being, effect, depth, out); out starts as the effect.
using being_handler = void (*)(int origin, int being, const teffect& effect, int depth, teffect& out);
// An immediate handler: (acting being, working copy, origin index, first being, depth).
using immediate_handler = void (*)(int being, teffect& effect, int origin, int first, int depth);

constexpr std::array<bool, effect_kind_count> per_being_kinds =
    effect_tables_detail::kind_set({5, 8, 9, 10, 11, 12, 13, 14, 15, 29, 31, 32, 33, 35, 36, 39, 41, 42, 58});
// Restoration (40) is stored and shown but changes nothing on its own.
constexpr std::array<bool, effect_kind_count> quiet_kinds =
    effect_tables_detail::kind_set({0, ek_restoration});

// A table slot: the handler and whether one was given (comparing function addresses is not a
// constant expression under every compiler setting, the mark is).
template <typename F> struct slot {
    F handler = nullptr;
    bool set = false;
    constexpr slot& operator=(F f) {
        handler = f;
        set = true;
        return *this;
    }
};

constexpr std::array<slot<being_handler>, effect_kind_count> make_being_handlers() {
    std::array<slot<being_handler>, effect_kind_count> t{};
    t[5] = apply_effect_damage;
    t[8] = apply_effect_adjust_ability;
    t[9] = apply_effect_adjust_ability;
    t[10] = apply_effect_adjust_skill;
    t[11] = apply_effect_adjust_skill;
    t[12] = apply_effect_adjust_resistance;
    t[13] = apply_effect_adjust_resistance;
    t[14] = apply_effect_adjust_movement;
    t[15] = apply_effect_adjust_movement;
    t[29] = apply_effect_charm;
    t[31] = apply_effect_confusion;
    t[32] = apply_effect_disease;
    t[33] = apply_effect_heroism;
    t[35] = apply_effect_mobility;
    t[36] = apply_effect_poison;
    t[39] = apply_effect_regeneration;
    t[41] = apply_effect_slime;
    t[42] = apply_effect_stoneskin;
    t[58] = apply_effect_web;
    return t;
}

constexpr std::array<slot<immediate_handler>, effect_kind_count> make_immediate_handlers() {
    std::array<slot<immediate_handler>, effect_kind_count> t{};
    t[1] = apply_effect_boost_ability;
    t[2] = apply_effect_health_surge;
    t[3] = apply_effect_die_hard;
    t[4] = apply_effect_gain_experience;
    t[6] = apply_effect_restore_health;
    t[7] = apply_effect_restore_stamina;
    t[16] = apply_effect_charge;
    t[17] = apply_effect_dualstrike;
    t[18] = apply_effect_leap;
    t[19] = apply_effect_multistrike;
    t[20] = apply_effect_retreat;
    t[21] = apply_effect_dualshot;
    t[22] = apply_effect_multishot;
    t[23] = apply_effect_alarm;
    t[24] = apply_effect_animate;
    t[25] = apply_effect_animate;
    t[26] = apply_effect_antidote;
    t[27] = apply_effect_banishment;
    t[28] = apply_effect_blink;
    t[30] = apply_effect_clone;
    t[34] = apply_effect_knock;
    t[37] = apply_effect_possess;
    t[38] = apply_effect_possess_break;
    for (int k = 43; k <= 56; ++k)
        t[std::size_t(k)] = apply_effect_summon;
    t[57] = apply_effect_transform;
    t[59] = apply_effect_set_trap;
    t[60] = apply_effect_activate_golem;
    t[61] = apply_effect_enchant_armor;
    t[62] = apply_effect_enchant_weapon;
    t[63] = apply_effect_enchant_weapon;
    t[64] = apply_effect_reveal;
    for (int k = 65; k <= 67; ++k)
        t[std::size_t(k)] = apply_effect_open_area_doors;
    for (int k = 68; k <= 70; ++k)
        t[std::size_t(k)] = apply_effect_close_area_doors;
    t[71] = apply_effect_challenge;
    t[72] = apply_effect_teleport_level_being;
    t[73] = apply_effect_damage_undead;
    t[74] = apply_effect_teleport;
    t[75] = apply_effect_turn_undead_followers_hostile;
    return t;
}

constexpr std::array<slot<being_handler>, effect_kind_count> being_handlers = make_being_handlers();
constexpr std::array<slot<immediate_handler>, effect_kind_count> immediate_handlers =
    make_immediate_handlers();

// Every kind but the quiet ones has exactly one handler, in the table its kind belongs to.
constexpr bool every_kind_handled() {
    for (int k = 0; k < effect_kind_count; ++k) {
        const bool per_being = per_being_kinds[std::size_t(k)];
        const bool quiet = quiet_kinds[std::size_t(k)];
        const bool has_being = being_handlers[std::size_t(k)].set;
        const bool has_immediate = immediate_handlers[std::size_t(k)].set;
        if (quiet && (has_being || has_immediate)) return false;
        if (!quiet && per_being != has_being) return false;
        if (!quiet && per_being == has_immediate) return false;
    }
    return true;
}
static_assert(every_kind_handled(), "an effect kind lacks its handler (only none and restoration have none)");

} // namespace

void apply_effect_to_being(const teffect& effect, int origin, int being, int depth, teffect& out) {
    depth = trace_enter(depth, trace_apply_effect_to_being);
    out = effect;
    if (!kind_is(per_being_kinds, effect.kind)) return;
    being_handlers[effect.kind].handler(origin, being, effect, depth, out);
}

bool has_immediate_handler(int kind) {
    return kind >= 0 && kind < effect_kind_count && !per_being_kinds[std::size_t(kind)] &&
           !quiet_kinds[std::size_t(kind)];
}

void run_immediate_handler(int being, teffect& effect, int origin, int first, int depth) {
    depth = trace_enter(depth, trace_run_immediate_handler);
    if (!has_immediate_handler(effect.kind)) return;
    immediate_handlers[effect.kind].handler(being, effect, origin, first, depth);
}

void run_furniture_damage(int origin, int x, int y, const teffect& effect, int depth, teffect& out) {
    depth = trace_enter(depth, trace_run_furniture_damage);
    out = effect;
    apply_effect_damage_furniture(origin, x, y, effect, depth, out);
}

} // namespace dravok
