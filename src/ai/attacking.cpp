#include "ai/attacking.h"

#include <optional>

#include "ai/attack_kinds.h"
#include "ai/decision.h"
#include "ai/emotion.h"
#include "ai/escape_steps.h"
#include "ai/manoeuvre_choice.h"
#include "ai/paths.h"
#include "ai/sight.h"
#include "ai/walking.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "rules/effect_areas.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/interactions.h"
#include "rules/item_use.h"
#include "rules/melee.h"
#include "rules/move_checks.h"
#include "rules/ranged.h"
#include "rules/talents.h"
#include "world/area_queries.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/directions.h"
#include "world/geometry.h"
#include "world/item_record.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok {

namespace {

constexpr int hostile_threshold = -20;
constexpr int style_keeps_distance_when_shooting = 1, style_keeps_distance = 2;
constexpr int behaviour_follow = 3;
constexpr int default_lof_range = 3;
constexpr int chase_step_limit = 25;
constexpr int corridor_kind = 1;
constexpr int reach_range = 2, reach_chase_range = 5;
constexpr int close_chase_range = 4;
constexpr int companion_pass_distance = 6, companion_stray_distance = 5;
constexpr int keep_distance_random_choice = 31, keep_distance_choice_cap = 3;
constexpr int idle_swap_turns = 20, idle_swap_area_cells = 100;
constexpr int first_cell_zone = 31, last_cell_zone = 38;
constexpr int natural_shot_first_chance = 50;

struct tpass {
    int max_distance, unseen;
};

// What a weapon set offers a fighter. A melee weapon that can also be thrown (a dagger, a
// spear) is a melee weapon with a second, ranged mode, not a ranged weapon.
struct tprofile {
    int min_range = 0, max_range = 0;
    bool holds_ranged = false, holds_melee = false, ranged_ready = false, reach = false;
    bool second_ranged = false;
};

tprofile profile_of(const tweapon_set& s) {
    tprofile p;
    p.min_range = s.min_range;
    p.max_range = s.max_range;
    bool missile = false, launcher = false;
    for (int h = 0; h < hand_count; ++h) {
        if (s.launcher[h] != 0) launcher = true;
        if (s.throws[h] != 0 && s.melee[h] != 0) p.second_ranged = true;
        if (s.throws[h] != 0 && s.melee[h] == 0) missile = true;
        if (s.melee[h] != 0 && s.hand_item[h] != 0) p.holds_melee = true;
    }
    if (s.melee_available != 0) p.holds_melee = true;
    p.holds_ranged = launcher || missile;
    const bool ammunition =
        s.ammunition_everlasting != 0 || (s.quiver_matches_launcher != 0 && s.ammunition_amount > 0);
    p.ranged_ready = missile || (launcher && ammunition);
    p.reach = s.hand_reaches != 0;
    return p;
}

tbeing& B(int being) {
    return beings[size_t(being)];
}

// The attack talent the last plan 11 chose; its effect is aimed in target_effect.
int chosen_talent = 0;

// A bolt from (fx, fy) (0, 0: where the being stands) toward the target strikes the target
// first and nothing else, and the aim is allowed.
bool clean_shot(int being, int target, int fx, int fy, int min_range, int range) {
    teffect probe{};
    probe.shape = sh_bolt;
    probe.min_range = uint8_t(min_range);
    probe.range = uint16_t(std::max(range, 1));
    calculate_effect_coordinates(being, fx, fy, B(target).x, B(target).y, probe, 0);
    return int(effect_first_being) == target && effect_hit_count == 1 && effect_target_invalid == 0;
}

bool in_prison_cell_zone(int being) {
    const int zone = cell_at(B(being).x, B(being).y).vault_zone;
    return zone >= first_cell_zone && zone <= last_cell_zone;
}

// Devices are spent when the enemies seen are worth at least the friends seen, and always
// against the player's side.
bool uses_devices_against(int being, int target) {
    return B(being).seen_hostiles_worth >= B(being).seen_friends_worth ||
           has_type_flag(B(target), tf_player_and_companions);
}

} // namespace

bool throws_by_second_ranged_mode(int being) {
    if (!is_being_ok(being)) return false;
    const tprofile active = profile_of(B(being).weapon_set);
    return !active.ranged_ready && active.second_ranged && profile_of(B(being).other_weapon_set).holds_melee;
}

bool has_free_neighbour_cell(int being) {
    for (int d = 1; d <= 8; ++d) {
        const int x = B(being).x + compass_dx[d], y = B(being).y + compass_dy[d];
        if (on_map(x, y) && can_move_to(being, x, y, 0, true, false) == target_free) return true;
    }
    return false;
}

int ai_try_chase_target(int being, int target, const temotion& entry) {
    if (can_move(being, 0) < 0 || !on_map(entry.x, entry.y)) return 0;
    const bool single = B(target).width <= 1 && B(target).height <= 1;
    if (can_see(being, target, 0, 0) != 0 && single) {
        const int area = cell_at(B(target).x, B(target).y).area;
        if (is_area_ok(area) && areas[area].kind != corridor_kind && !has_free_neighbour_cell(target))
            return 0;
    }
    bool found = pathfind(being, entry.x, entry.y, false, false, purpose_chase);
    if (!found) {
        found = pathfind(being, B(target).x, B(target).y, false, true, purpose_chase);
    } else if (path_result.length > chase_step_limit) {
        if (!is_single_cell_being(being)) return 0;
        found = pathfind(being, B(target).x, B(target).y, false, true, purpose_chase);
    }
    if (!found) return 0;
    B(being).path = path_result;
    B(being).path.follow_target = uint16_t(target);
    return plan_chase;
}

int ai_try_move_for_lof(int being, int target, int min_range, int range) {
    const int tx = B(target).x, ty = B(target).y;
    for (int d = 1; d <= 8; ++d) {
        const int x = B(being).x + compass_dx[d], y = B(being).y + compass_dy[d];
        if (!on_map(x, y) || can_move_to(being, x, y, 0, false, false) != target_free) continue;
        const int dist = get_distance(x, y, tx, ty);
        if (dist < min_range || dist > range || is_in_doorway(0, x, y)) continue;
        if (!clean_shot(being, target, x, y, min_range, range)) continue;
        ai_move(being, x, y, 0);
        return plan_move_for_lof;
    }
    // Cells around the target at the minimum range: toward the being first, then its
    // neighbours, then the perpendiculars.
    static constexpr int around[9][5][2] = {
        {},
        {{0, -1}, {1, -1}, {-1, -1}, {1, 0}, {-1, 0}},
        {{1, -1}, {1, 0}, {0, -1}, {1, 1}, {-1, -1}},
        {{1, 0}, {1, 1}, {1, -1}, {0, 1}, {0, -1}},
        {{1, 1}, {0, 1}, {1, 0}, {-1, 1}, {1, -1}},
        {{0, 1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}},
        {{-1, 1}, {-1, 0}, {0, 1}, {-1, -1}, {1, 1}},
        {{-1, 0}, {-1, -1}, {-1, 1}, {0, -1}, {0, 1}},
        {{-1, -1}, {0, -1}, {-1, 0}, {1, -1}, {-1, 1}},
    };
    const int d = get_direction(tx, ty, B(being).x, B(being).y);
    if (d < 1) return 0;
    for (const auto& offset : around[d]) {
        const int x = tx + offset[0] * min_range, y = ty + offset[1] * min_range;
        if (!on_map(x, y) || can_move_to(being, x, y, 0, false, false) != target_free) continue;
        if (!clean_shot(being, target, x, y, min_range, range)) continue;
        if (ai_walk(being, x, y, false, purpose_line_of_fire, target)) return plan_move_for_lof;
    }
    return 0;
}

bool ai_keep_distance(int being, int target, int range) {
    const int dist = get_being_distance(being, target);
    if (dist >= range || can_move(being, 0) < 0) return false;
    if (B(target).adjacent_hostiles > 0 && dist >= 3) return false;
    const int d = get_direction(B(being).x, B(being).y, B(target).x, B(target).y);
    const int e = pick_escape_direction(being, d, 2, 3, [being](int x, int y) {
        return can_move_to(being, x, y, 0, false, false) == target_free && hostile_grid(x, y) == 0 &&
               feared_grid(x, y) == 0;
    });
    if (e != 0) {
        ai_move(being, B(being).x + compass_dx[e], B(being).y + compass_dy[e], 0);
        if (is_being_ok(being)) B(being).path = empty_path;
        return true;
    }
    clear_area_marks();
    const int own = cell_at(B(being).x, B(being).y).area;
    const int exits = is_area_ok(own) ? std::min(areas[own].exits, keep_distance_choice_cap) : 0;
    for (int choice = d100() < keep_distance_random_choice ? 0 : -1; choice <= exits; ++choice) {
        const int n = pick_neighbour_area(being, choice, true, true, true);
        if (!is_area_ok(n)) continue;
        areas[n].search = 1;
        int x = 0, y = 0;
        find_free_floor_for_being(areas[n].centre_x, areas[n].centre_y, B(being).width, x, y, 0,
                                  B(being).height);
        return on_map(x, y) && ai_walk(being, x, y, false, purpose_other_area, 0);
    }
    return false;
}

namespace {

// A plan settled by a step of the choice, or none yet (0 is a settled "no attack").
using tdecision = std::optional<int>;

// What a being weighs in choosing how to attack a target.
struct tattack_view {
    tattack_view(int attacker, int foe, const temotion& feeling, bool is_afraid)
        : being(attacker), target(foe), entry(feeling), afraid(is_afraid) {}

    int being, target;
    const temotion& entry;
    bool afraid;
    bool sees = false, mobile = false;
    int dist = 0;
    tprofile active, other;
    int preferred = 0, lof_range = 0;
    // The ranged set to shoot with: 1 the set in hand, 2 the other one.
    int kind = 0, min_range = 0, max_range = 0;
    int style = 0;
    bool lof_tried = false, chase_tried = false;
};

// Shoots with the set in hand when it is ready, or throws its melee weapon while the other set
// keeps one for the fight that follows; else shoots with the other set if it reaches.
void choose_ranged_set(tattack_view& v) {
    if (!v.sees) return;
    if (v.active.ranged_ready || (v.active.second_ranged && v.other.holds_melee)) {
        v.kind = 1;
        v.min_range = v.active.min_range;
        v.max_range = v.active.max_range;
    } else if (v.other.ranged_ready && v.other.max_range >= v.dist) {
        v.kind = 2;
        v.min_range = v.other.min_range;
        v.max_range = v.other.max_range;
    }
}

// A distance keeper backs off; one in a doorway with friends about steps out toward the target.
tdecision hold_position(const tattack_view& v) {
    const int being = v.being;
    if (v.mobile &&
        ((v.style == style_keeps_distance_when_shooting && v.kind == 1) || v.style == style_keeps_distance) &&
        ai_keep_distance(being, v.target, v.preferred))
        return plan_avoid;
    if (v.mobile && is_in_doorway(being, 0, 0) && v.dist >= 2 && B(being).seen_friends > 0 &&
        ai_try_chase_target(being, v.target, v.entry) != 0)
        return plan_chase;
    return std::nullopt;
}

// Now and then a creature with a natural missile (a gaze, a spit, a breath) uses it before
// anything else it knows; the chance is rolled every time.
tdecision natural_shot_first(const tattack_view& v) {
    const int roll = d100();
    if (roll <= natural_shot_first_chance && v.sees && v.dist >= 2 &&
        can_natural_ranged_attack(v.being, v.target, 0))
        return plan_ranged_attack;
    return std::nullopt;
}

// A combat manoeuvre, a leap or an attack spell, aimed in target_effect.
tdecision use_talent(const tattack_view& v) {
    const int being = v.being, target = v.target;
    if (!v.sees || B(being).knows_talents == 0 || B(being).stamina <= 0) return std::nullopt;
    tmanoeuvre_setting setting;
    setting.distance = v.dist;
    setting.mobile = v.mobile;
    setting.holds_ranged = v.active.holds_ranged;
    setting.holds_melee = v.active.holds_melee;
    setting.ranged_ready = v.active.ranged_ready;
    setting.min_range = v.min_range;
    setting.max_range = v.max_range;
    int talent = ai_get_combat_manoeuvre(being, target, setting);
    if (talent == 0 && (B(being).knows_protection_talents() != 0 || B(being).knows_monster_talents() != 0)) {
        talent = ai_get_leap(being, target, setting);
        if (talent == 0) talent = ai_get_attack_spell(being, target);
    }
    if (talent == 0) return std::nullopt;
    teffect prepared;
    prepare_talent_effect(being, talent, talents[size_t(talent)].effect, prepared);
    const tcell_xy aim = talents[size_t(talent)].aim;
    target_effect = calculate_effect_coordinates(being, 0, 0, aim.x, aim.y, prepared, 0);
    target_effect.aim = aim;
    chosen_talent = talent;
    return plan_talent;
}

// An attack device against an active target worth spending it on, aimed in target_effect.
tdecision use_device(const tattack_view& v) {
    const int being = v.being, target = v.target;
    if (!v.sees || has_type_flag(B(target), tf_inactive) || being_status(B(being), st_use_devices) <= 0 ||
        !uses_devices_against(being, target))
        return std::nullopt;
    const int item = ai_get_attack_device(being, target);
    if (item == 0) return std::nullopt;
    const titem& it = being_items[size_t(being)][size_t(item)];
    target_effect = calculate_effect_coordinates(being, 0, 0, it.x, it.y, it.activation_effect, 0);
    target_effect.aim = {it.x, it.y};
    target_effect.used_item = uint16_t(item);
    return plan_use_item;
}

// A distance keeper that can hurt moves for a line of fire, or takes out the other set to shoot.
tdecision keep_distance_style(tattack_view& v) {
    if (v.style != style_keeps_distance) return std::nullopt;
    if (v.mobile && being_status(B(v.being), st_damage) > 0 &&
        ai_try_move_for_lof(v.being, v.target, v.lof_range, std::max(v.max_range, v.lof_range)) != 0)
        return plan_move_for_lof;
    v.lof_tried = true;
    if (v.kind == 2 && v.dist >= 2) return plan_swap_weapons;
    return std::nullopt;
}

// A natural missile, a shot point-blank, or a blow at an adjacent target with what is in hand.
tdecision shoot_natural_or_strike_adjacent(const tattack_view& v) {
    const int being = v.being, target = v.target;
    if (v.sees && v.dist >= 2 && can_natural_ranged_attack(being, target, 0)) return plan_ranged_attack;
    if (v.kind == 1 && v.dist == 1 && being_status(B(being), st_close_combat_ranged) > 0)
        return plan_ranged_attack;
    if (!v.sees || v.dist != 1) return std::nullopt;
    if (!v.active.holds_ranged)
        return v.active.holds_melee || B(being).weapon_set.bare_hands != 0 ||
                       can_natural_melee_attack(being, target, 0)
                   ? plan_melee_attack
                   : plan_swap_weapons;
    if (v.other.holds_melee) return plan_swap_weapons;
    return can_natural_melee_attack(being, target, 0) ? plan_melee_attack : 0;
}

// A target within the ranged set's reach: shot at on a clean line, else a line of fire sought.
tdecision shoot_in_range(tattack_view& v) {
    if (!v.sees || v.kind < 1 || v.dist < v.min_range || v.dist > v.max_range) return std::nullopt;
    if (clean_shot(v.being, v.target, 0, 0, v.min_range, v.max_range)) {
        if (v.kind == 1) return plan_ranged_attack;
        if (v.preferred != 0 && v.preferred <= v.dist) return plan_swap_weapons;
        if (v.dist >= 4) return plan_swap_weapons;
    } else if (!v.lof_tried && v.mobile && v.kind == 1) {
        v.lof_tried = true;
        if (ai_try_move_for_lof(v.being, v.target, v.min_range, v.max_range) != 0) return plan_move_for_lof;
    }
    return std::nullopt;
}

// A reach weapon strikes at two cells or closes in; a melee fighter closes in on a near target.
tdecision reach_or_close_in(tattack_view& v) {
    const int being = v.being, target = v.target, dist = v.dist;
    if (v.sees && v.active.reach && dist >= reach_range && dist <= reach_chase_range) {
        if (dist == reach_range && clean_shot(being, target, 0, 0, 1, reach_range)) return plan_melee_attack;
        if (!v.afraid && v.mobile) {
            if (ai_try_chase_target(being, target, v.entry) != 0) return plan_chase;
        }
        v.chase_tried = true;
    }
    if (v.sees && dist >= 2 && dist <= close_chase_range && v.kind != 1 && !v.afraid && v.preferred == 0) {
        if (!v.active.holds_melee || !v.mobile) {
            if (v.other.holds_melee) return plan_swap_weapons;
        } else {
            if (ai_try_chase_target(being, target, v.entry) != 0) return plan_chase;
            v.chase_tried = true;
        }
    }
    return std::nullopt;
}

} // namespace

// The choices are tried in order, and the first that settles a plan wins.
int ai_target_ok_for_attack(int being, int target, const temotion& entry, bool afraid) {
    B(being).path = empty_path;
    tattack_view v(being, target, entry, afraid);
    v.sees = can_see(being, target, 0, 0) != 0;
    v.mobile = can_move(being, 0) >= 0;
    v.dist = entry.distance;
    const tbeing& t = B(target);
    if (in_prison_cell_zone(target) && has_type_flag(t, tf_spawned_in_cell) &&
        !has_type_flag(t, tf_fleeing_from_cell))
        return 0;

    v.active = profile_of(B(being).weapon_set);
    v.other = profile_of(B(being).other_weapon_set);
    v.preferred = B(being).preferred_distance;
    v.lof_range = v.preferred != 0 ? v.preferred : default_lof_range;
    choose_ranged_set(v);
    v.style = B(being).fighting_style;

    if (const tdecision plan = hold_position(v)) return *plan;
    if (const tdecision plan = natural_shot_first(v)) return *plan;
    if (const tdecision plan = use_talent(v)) return *plan;
    if (const tdecision plan = use_device(v)) return *plan;
    if (const tdecision plan = keep_distance_style(v)) return *plan;
    if (const tdecision plan = shoot_natural_or_strike_adjacent(v)) return *plan;
    if (const tdecision plan = shoot_in_range(v)) return *plan;
    if (const tdecision plan = reach_or_close_in(v)) return *plan;
    if (v.kind == 0 && !v.active.holds_melee && v.other.holds_melee) return plan_swap_weapons;
    if (v.style == style_keeps_distance && v.preferred != 0) return 0;
    if (v.chase_tried || afraid || !v.mobile) return 0;
    return ai_try_chase_target(being, target, entry);
}

bool ai_attack(int being) {
    if (!is_being_ok(being)) return false;
    const int mobility = can_move(being, 0);
    if (mobility < 0 && mobility != move_immobile) return false;
    clear_being_turn_marks();
    const bool companion_follower =
        has_type_flag(B(being), tf_companion) && B(being).behaviour == behaviour_follow;
    const int master = find_being_by_serial(B(being).master);
    const tpass passes[3] = {{1, 0}, {companion_follower ? companion_pass_distance : 8, 0}, {15, 10}};
    int target = 0, plan = 0;
    for (int pass = 0; pass < 3 && plan == 0; ++pass) {
        if (pass == 1 && companion_follower && master >= 1 &&
            get_being_distance(being, master) > companion_stray_distance)
            break;
        if (pass == 2 && B(being).master != 0) break;
        for (int k = 1; k <= emotion_entry_count && plan == 0; ++k) {
            const temotion entry = B(being).attitude_of(k);
            if (entry.serial == 0 || entry.value >= 0) break;
            const int other = find_being_by_serial(entry.serial);
            if (other < 1 || !B(other).present || B(other).turn_mark != 0) continue;
            if (entry.value > hostile_threshold || entry.distance > passes[pass].max_distance ||
                entry.turns_unseen > passes[pass].unseen)
                continue;
            B(other).turn_mark = 1;
            bool afraid = is_afraid_of(being, other, B(being).courage);
            if (B(being).cornered != 0 && entry.distance <= 1) afraid = false;
            plan = ai_target_ok_for_attack(being, other, entry, afraid);
            if (plan > 0) target = other;
        }
    }
    if (plan <= 0 || !is_being_ok(target)) return false;
    const int tx = B(target).x, ty = B(target).y;
    const int target_area = cell_at(tx, ty).area;
    switch (plan) {
    case plan_chase: {
        const tpath p = B(being).path;
        const bool acted = ai_walk(being, p.target_x, p.target_y, false, purpose_chase, target);
        if (is_being_ok(being)) set_ai_plan(being, plan_chase, p.target_x, target, p.target_area, p.target_y);
        return acted;
    }
    case plan_melee_attack:
        set_ai_plan(being, plan_melee_attack, tx, target, target_area, ty);
        melee_attack(being, target, get_direction(B(being).x, B(being).y, tx, ty), 0);
        return true;
    case plan_ranged_attack:
        set_ai_plan(being, plan_ranged_attack, tx, target, target_area, ty);
        ranged_attack(being, target, 0);
        return true;
    case plan_talent:
        use_talent(being, chosen_talent, target_effect, 0);
        if (is_being_ok(being)) set_ai_plan(being, plan_talent, tx, target, target_area, ty);
        return true;
    case plan_use_item:
        set_ai_plan(being, plan_use_item, tx, target, target_area, ty);
        use_item(being, target_effect.used_item, 0);
        return true;
    case plan_swap_weapons:
        set_ai_plan(being, plan_swap_weapons, B(being).x, 0, cell_at(B(being).x, B(being).y).area,
                    B(being).y);
        swap_weapons(being);
        return true;
    default:
        set_ai_plan(being, plan, tx, target, target_area, ty);
        return true;
    }
}

bool ai_check_weapon_set(int being) {
    if (!is_being_ok(being)) return false;
    const tbeing& b = B(being);
    if (profile_of(b.weapon_set).ranged_ready || b.turns_without_hostiles < idle_swap_turns) return false;
    const int area = cell_at(b.x, b.y).area;
    if (!is_area_ok(area) || areas[area].cells < idle_swap_area_cells) return false;
    if (!profile_of(b.other_weapon_set).ranged_ready) return false;
    set_ai_plan(being, plan_swap_weapons, b.x, 0, area, b.y);
    swap_weapons(being);
    return true;
}

} // namespace dravok
