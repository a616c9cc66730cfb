// The vocabulary of effects: sources, shapes and kinds with their boolean property tables
// (aimed, needs a being, area, map, dodgeable; harmful, stat-changing). Read by the effect
// pipeline, the effect areas, the lasting effects, the handlers, the AI and the map view.
#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>

#include "records/vocabulary.h"

namespace dravok {

enum effect_source : uint8_t {
    es_none = 0,
    es_talent = 1,
    es_natural_attack = 2,
    es_trap = 3,
    es_item_activate = 4,
    es_item_hit = 5,
    es_switch = 6,
};

enum effect_shape : uint8_t {
    sh_none = 0,
    sh_special = 1,
    sh_self = 2,
    sh_single = 3,
    sh_bolt = 4,
    sh_ray = 5,
    sh_cone = 6,
    sh_ball = 7,
    sh_chain = 8,
    sh_seen_hostiles = 9,
    sh_cloud = 10,
    sh_wall = 11,
    sh_spot = 12,
    sh_free = 13,
    sh_opposite_free = 14,
};
constexpr int effect_shape_count = 15;

// Kinds the rules name; the full list of 76 names is effect_kind_names.
enum effect_kind : uint8_t {
    ek_none = 0,
    ek_boost_ability = 1,
    ek_damage = 5,
    ek_restore_health = 6,
    ek_restore_stamina = 7,
    ek_increase_ability = 8,
    ek_decrease_ability = 9,
    ek_charge = 16,
    ek_dualstrike = 17,
    ek_leap = 18,
    ek_multistrike = 19,
    ek_dualshot = 21,
    ek_multishot = 22,
    ek_blink = 28,
    ek_disease = 32,
    ek_poison = 36,
    ek_possess = 37,
    ek_animate = 24,
    ek_restoration = 40,
    ek_slime = 41,
    ek_transform = 57,
    ek_web = 58,
    ek_set_trap = 59,
    ek_reveal = 64,
    ek_open_area_cell_doors = 67,
};
constexpr int effect_kind_count = 76;

// Action kinds an effect is charged as.
constexpr int action_item_use = 15;
constexpr int action_talent_use = 16;

// Shape properties, indexed by shape 0..14.
inline constexpr std::array<bool, effect_shape_count> aimed_shapes{
    false, false, false, true, true, true, true, true, false, false, true, true, true, true, true};
inline constexpr std::array<bool, effect_shape_count> target_being_shapes{
    false, false, true, true, true, false, false, false, false, false, false, false, false, true, true};
inline constexpr std::array<bool, effect_shape_count> area_shapes{
    false, false, false, false, false, true, true, true, false, false, true, true, true, false, false};
inline constexpr std::array<bool, effect_shape_count> map_shapes{
    false, false, false, false, false, false, false, false, false, false, true, true, true, false, false};
inline constexpr std::array<bool, effect_shape_count> dodgeable_shapes{
    false, false, false, true, true, true, true, true, true, false, false, false, false, false, false};

// The content vocabulary's own list.
inline constexpr const auto& effect_shape_names = vocab::effect_shapes;
static_assert(effect_shape_names.size() == effect_shape_count);

// The content vocabulary's own list.
inline constexpr const auto& effect_kind_names = vocab::effect_kinds;
static_assert(effect_kind_names.size() == effect_kind_count);

namespace effect_tables_detail {
constexpr std::array<bool, effect_kind_count> kind_set(std::initializer_list<int> kinds) {
    std::array<bool, effect_kind_count> t{};
    for (int k : kinds)
        t[k] = true;
    return t;
}
} // namespace effect_tables_detail

inline constexpr std::array<bool, effect_kind_count> harmful_kinds = effect_tables_detail::kind_set(
    {5, 9, 11, 13, 15, 16, 17, 18, 19, 20, 21, 22, 27, 29, 31, 32, 36, 37, 41, 57, 58, 73, 75});
inline constexpr std::array<bool, effect_kind_count> stat_changing_kinds =
    effect_tables_detail::kind_set({4, 8, 9, 10, 11, 12, 13, 14, 15, 32, 33, 35, 39, 40, 41, 42, 58});

// Table look-ups that answer false outside the tables (a damaged record must not read past them).
inline bool shape_is(const std::array<bool, effect_shape_count>& table, int shape) {
    return shape >= 0 && shape < effect_shape_count && table[shape];
}
inline bool kind_is(const std::array<bool, effect_kind_count>& table, int kind) {
    return kind >= 0 && kind < effect_kind_count && table[kind];
}

} // namespace dravok
