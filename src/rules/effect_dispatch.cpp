// Effect dispatch. Each handler unit adds its entry to one of the two tables below.
#include "rules/effect_dispatch.h"

#include <array>
#include <string>

#include "rules/effect_tables.h"
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
constexpr std::array<bool, effect_kind_count> quiet_kinds = effect_tables_detail::kind_set({0, 40});

// The handlers built so far, by kind.
const std::array<being_handler, effect_kind_count> being_handlers{};
const std::array<immediate_handler, effect_kind_count> immediate_handlers{};
// Damage to furniture: (origin, x, y, effect, depth, out).
void (*const furniture_damage_handler)(int, int, int, const teffect&, int, teffect&) = nullptr;

void note_missing_handler(int kind, int depth) {
    const std::string name =
        kind >= 0 && kind < effect_kind_count ? effect_kind_names[kind] : std::to_string(kind);
    error_log(depth > 0 ? depth : 1, "Effect kind \"" + name + "\" has no handler yet.", false);
}

} // namespace

void apply_effect_to_being(const teffect& effect, int origin, int being, int depth, teffect& out) {
    out = effect;
    const int kind = effect.kind;
    if (!kind_is(per_being_kinds, kind)) return;
    if (being_handlers[kind] == nullptr) {
        note_missing_handler(kind, depth);
        return;
    }
    being_handlers[kind](origin, being, effect, depth, out);
}

bool has_immediate_handler(int kind) {
    return kind >= 0 && kind < effect_kind_count && !per_being_kinds[kind] && !quiet_kinds[kind];
}

void run_immediate_handler(int being, teffect& effect, int origin, int first, int depth) {
    const int kind = effect.kind;
    if (!has_immediate_handler(kind)) return;
    if (immediate_handlers[kind] == nullptr) {
        note_missing_handler(kind, depth);
        return;
    }
    immediate_handlers[kind](being, effect, origin, first, depth);
}

void run_furniture_damage(int origin, int x, int y, const teffect& effect, int depth, teffect& out) {
    out = effect;
    if (furniture_damage_handler == nullptr) {
        note_missing_handler(ek_damage, depth);
        return;
    }
    furniture_damage_handler(origin, x, y, effect, depth, out);
}

} // namespace dravok
