// Target mode and ranged targets. The cursor cycles through the ring of cells round the aiming
// being; a being's remembered ranged target is checked afresh on every main-mode frame.
#include "rules/targeting.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"
#include "rules/move_checks.h"

#include "rules/being_creation.h"
#include "rules/effect_areas.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/ranged.h"
#include "rules/talents.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/geometry.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/services.h"
#include "world/tables.h"

namespace dravok {

int target_cursor_x = 0, target_cursor_y = 0;
int target_action_kind = 0;
bool target_blocked = false;
int target_step = 1;
int remembered_aiming_command = 0;
ring_cell target_ring[target_ring_capacity + 1];

namespace {

constexpr int ranged_target_distance = 12; // a remembered target farther away is dropped
constexpr int talent_target_distance = 13; // a talent's target is looked for nearer than this

bool valid_being(int b) {
    return b >= 1 && b < int(beings.size()) && is_being_ok(b);
}

bool covers(const tbeing& b, int x, int y) {
    return x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height;
}

bool seen_being(int viewer, int other) {
    return valid_being(other) && services.can_see(viewer, other, 0, 0) != 0;
}

} // namespace

bool can_attack_at_range(const tweapon_set& set) {
    return set.hand_reaches || set.hand_throws || set.quiver_matches_launcher;
}

int add_target_ring_cell(int count, int x, int y) {
    if (count >= target_ring_capacity || !on_map(x, y)) return count;
    target_ring[count] = {uint8_t(x), uint8_t(y)};
    return count + 1;
}

void build_target_ring(int x, int y, int radius) {
    int n = 0;
    target_ring[n++] = {uint8_t(x), uint8_t(y)};
    for (int d = 1; d <= radius; ++d) {
        for (int i = -d; i <= d; ++i)
            n = add_target_ring_cell(n, x + i, y - d); // top edge eastward
        for (int i = -d + 1; i <= d; ++i)
            n = add_target_ring_cell(n, x + d, y + i); // right edge southward
        for (int i = d - 1; i >= -d; --i)
            n = add_target_ring_cell(n, x + i, y + d); // bottom edge westward
        for (int i = d - 1; i >= -d + 1; --i)
            n = add_target_ring_cell(n, x - d, y + i); // left edge northward
    }
    target_ring[n] = {0, 0};
}

bool is_target_candidate(int being, int x, int y, int excluded) {
    if (!on_map(x, y) || !map_cells(x, y).explored || !services.can_see(being, 0, x, y)) return false;
    const int b = map_cells(x, y).being;
    if (!valid_being(b) || b == excluded || has_type_flag(beings[b], tf_passive)) return false;
    if (target_action_kind == target_attack) return beings[b].friendly == 0;
    if (target_action_kind == target_item_use || target_action_kind == target_talent_use)
        return beings[b].friendly == 0 || !kind_is(harmful_kinds, target_effect.kind);
    return true;
}

void next_target(int being) {
    int at = -1;
    for (int i = 0; i <= target_ring_capacity; ++i) {
        const ring_cell c = target_ring[i];
        if (c.x == 0 && c.y == 0) break;
        if (c.x == target_cursor_x && c.y == target_cursor_y) {
            at = i;
            break;
        }
    }
    if (at < 0) return;
    if (at == 0 && target_step < 0) {
        game_mode = mode_main;
        return;
    }
    const int excluded =
        on_map(target_cursor_x, target_cursor_y) ? map_cells(target_cursor_x, target_cursor_y).being : 0;
    for (int i = at + target_step; i >= 0 && i <= target_ring_capacity; i += target_step) {
        const ring_cell c = target_ring[i];
        if (c.x == 0 && c.y == 0) break;
        if (is_target_candidate(being, c.x, c.y, excluded)) {
            target_cursor_x = c.x;
            target_cursor_y = c.y;
            return;
        }
    }
    if (target_step > 0 && valid_being(being)) {
        target_cursor_x = beings[being].x;
        target_cursor_y = beings[being].y;
    }
}

void target_init(int being) {
    if (!valid_being(being)) return;
    const tbeing& b = beings[being];
    target_cursor_x = b.x;
    target_cursor_y = b.y;
    // A new aim always starts forward, whatever way the last one was cycled.
    target_step = 1;
    build_target_ring(b.x, b.y, target_ring_radius);
    int remembered = 0;
    if (target_action_kind == target_attack) remembered = b.attack_memory.target;
    if (target_action_kind == target_talent_use) remembered = b.talent_memory.target;
    if (valid_being(remembered) &&
        is_target_candidate(being, beings[remembered].x, beings[remembered].y, 0)) {
        target_cursor_x = beings[remembered].x;
        target_cursor_y = beings[remembered].y;
        return;
    }
    const tcell_xy aim = b.talent_memory.aim;
    if (!shape_is(target_being_shapes, target_effect.shape) && on_map(aim.x, aim.y) &&
        services.can_see(being, 0, aim.x, aim.y)) {
        target_cursor_x = aim.x;
        target_cursor_y = aim.y;
        return;
    }
    next_target(being);
}

void refresh_target_aim(int being) {
    target_blocked = false;
    if (!valid_being(being) || !on_map(target_cursor_x, target_cursor_y)) return;
    calculate_effect_coordinates(being, target_cursor_x, target_cursor_y, target_effect);
    if (target_action_kind == 0 ||
        !is_cell_in_effect_range(being, target_cursor_x, target_cursor_y, target_effect))
        return;
    if (target_cursor_x == beings[being].x && target_cursor_y == beings[being].y) return;
    // The line stops before the cursor: at a wall, or at a being standing short of it.
    const bool no_cells = target_effect.cell(1).x == 0 && target_effect.cell(1).y == 0;
    const int first = get_first_being_in_effect(target_effect);
    target_blocked =
        no_cells || (valid_being(first) && !covers(beings[first], target_cursor_x, target_cursor_y));
}

bool talent_target_ok(int being, std::string* why) {
    auto refused = [why](const char* reason) {
        if (why) *why = reason;
        return false;
    };
    if (target_action_kind == 0 || !valid_being(being)) return false;
    const int x = target_cursor_x, y = target_cursor_y;
    if (!on_map(x, y)) return false;
    calculate_effect_coordinates(being, x, y, target_effect);
    const bool in_range = is_cell_in_effect_range(being, x, y, target_effect);
    if (effect_target_invalid) {
        if (!in_range) return refused("$FThe target is out of range.");
        if (!map_cells(x, y).explored || services.can_see(being, 0, x, y) == 0)
            return refused("$FYou can not see the target.");
        if (is_wall(x, y)) return refused("$FThere is only a wall there.");
        return refused("$FSomething blocks the way to the target.");
    }
    if (!map_cells(x, y).explored) return refused("$FYou can not see the target.");
    if (!in_range) return refused("$FThe target is out of range.");
    if (!is_floor(x, y)) return refused("$FThere is no floor there to aim at.");
    if (shape_is(target_being_shapes, target_effect.shape)) {
        const int first = get_first_being_in_effect(target_effect);
        if (!valid_being(first)) return refused("$FThere is no creature there to aim at.");
        if ((target_effect.shape == sh_bolt || target_effect.shape == sh_free) &&
            !covers(beings[first], x, y))
            return refused("$FAnother creature stands in the way.");
        if (target_effect.kind == ek_charge) {
            const tcell_xy c = target_effect.cell(1);
            if (on_map(c.x, c.y) && can_move_to(being, c.x, c.y, 0, true, false) != 1)
                return refused("$FSomething blocks the way to the target.");
        }
        if (target_effect.min_range > 0 && !is_cell_in_effect_range(being, x, y, target_effect))
            return refused("$FThe target is out of range.");
    }
    return true;
}

void handle_target_selected(int being, int depth) {
    depth = trace_enter(depth, trace_handle_target_selected);
    if (target_action_kind == target_attack) {
        calculate_effect_coordinates(being, target_cursor_x, target_cursor_y, target_effect);
        ranged_attack(being, get_first_being_in_effect(target_effect), depth);
    } else if (target_action_kind == target_item_use || target_action_kind == target_talent_use) {
        target_effect.aim = {uint8_t(target_cursor_x), uint8_t(target_cursor_y)};
        handle_effect(being, target_effect, depth);
    }
    game_mode = mode_main;
}

bool is_targetable(int being, int target, teffect& effect, int depth) {
    depth = trace_enter(depth, trace_is_targetable);
    if (!valid_being(being) || !valid_being(target)) return false;
    const tbeing t = beings[target];
    for (int x = t.x; x < t.x + t.width; ++x)
        for (int y = t.y; y < t.y + t.height; ++y) {
            teffect aimed = calculate_effect_coordinates(being, 0, 0, x, y, effect, depth);
            if (get_first_being_in_effect(aimed) == target) {
                aimed.aim = {uint8_t(x), uint8_t(y)};
                effect = aimed;
                return true;
            }
        }
    return false;
}

void set_attack_order(int being, int target, int action, int shape, int setup) {
    if (!valid_being(being)) return;
    tbeing& b = beings[being];
    b.attack_memory = blank_being.attack_memory;
    b.attack_memory.target = uint16_t(target);
    b.attack_memory.action = uint8_t(action);
    b.attack_memory.setup() = uint8_t(setup);
    b.attack_memory.effect.shape = uint8_t(shape);
    b.attack_memory.effect.min_range = b.weapon_set.min_range;
}

void get_ranged_target(int being, int depth) {
    depth = trace_enter(depth, trace_get_ranged_target);
    if (!valid_being(being)) return;
    auto B = [&]() -> tbeing& { return beings[being]; };
    taction_memory& m = B().attack_memory;
    const tweapon_set& set = B().weapon_set;
    m.has_target = 0;
    make_fixed_dice(set.max_range, m.effect.range_dice);
    m.effect.range = uint16_t(roll_dice_for_being(m.effect.range_dice, being));
    if (set.max_range == 0) return;

    bool kept = false;
    const int remembered = m.target;
    if (seen_being(being, remembered)) {
        const int d = get_being_distance(being, remembered);
        if (d >= set.min_range && d <= ranged_target_distance && d <= set.max_range &&
            is_targetable(being, remembered, B().attack_memory.effect, depth)) {
            B().attack_memory.has_target = 1;
            B().attack_memory.counter = 0;
            kept = true;
        }
    }
    if (!kept && remembered != 0) B().attack_memory = blank_being.attack_memory;
    if (B().seen_hostiles == 0) return;
    if (B().attack_memory.action == 0) {
        set_attack_order(being, 0, order_fire, sh_bolt, order_setup_ranged);
        make_fixed_dice(set.max_range, B().attack_memory.effect.range_dice);
        B().attack_memory.effect.range =
            uint16_t(roll_dice_for_being(B().attack_memory.effect.range_dice, being));
    }
    if (kept) return;

    int best = ranged_target_distance + 1;
    for (int other = 1; other < int(beings.size()); ++other) {
        if (other == being || !valid_being(other) || !beings[other].present || beings[other].friendly != 0 ||
            !services.can_see(being, other, 0, 0))
            continue;
        const int d = get_being_distance(being, other);
        if (d < set.min_range || d > set.max_range || d >= best) continue;
        if (!is_targetable(being, other, B().attack_memory.effect, depth)) continue;
        B().attack_memory.target = uint16_t(other);
        B().attack_memory.has_target = 1;
        B().attack_memory.counter = 0;
        best = d;
        if (d == 1) break;
    }
}

namespace {

// The cursor on (x, y): when the remembered talent aimed there may be used and hits no friend,
// the talent memory keeps the aim and the target.
bool aim_talent_at(int being, int target, int x, int y) {
    target_cursor_x = x;
    target_cursor_y = y;
    if (!talent_target_ok(being) || effect_friendly_hit_count != 0) return false;
    taction_memory& m = beings[being].talent_memory;
    m.effect = target_effect;
    m.target = uint16_t(target);
    m.has_target = 1;
    m.counter = 0;
    return true;
}

} // namespace

void get_talent_target(int being) {
    if (!valid_being(being)) return;
    taction_memory& m = beings[being].talent_memory;
    m.has_target = 0;
    const int t = m.talent;
    if (t < 1 || t >= int(talents.size()) || !can_use_talent_now(being, t) ||
        !has_stamina_for_talent(being, t, false))
        return;
    teffect e;
    prepare_talent_effect(being, t, talents[t].effect, e);
    const int range = roll_dice_for_being(e.range_dice, being);
    target_effect = m.effect;
    target_action_kind = m.action_kind;
    auto in_range = [&](int d) { return d >= e.min_range && d <= range; };

    const int remembered = m.target;
    if (valid_being(remembered)) {
        const int d = get_being_distance(being, remembered);
        if (services.can_see(being, remembered, 0, 0) == 0 || d >= talent_target_distance) {
            m.target = 0;
        } else if (in_range(d)) {
            if (aim_talent_at(being, remembered, beings[remembered].x, beings[remembered].y)) return;
            m.target = 0;
        }
    }
    int best = talent_target_distance;
    for (int other = 1; other < int(beings.size()); ++other) {
        if (other == being || !valid_being(other) || !beings[other].present || beings[other].friendly != 0 ||
            services.can_see(being, other, 0, 0) == 0)
            continue;
        const int d = get_being_distance(being, other);
        if (!in_range(d) || d >= best) continue;
        const tbeing& o = beings[other];
        bool aimed = false;
        for (int x = o.x; x < o.x + o.width && !aimed; ++x)
            for (int y = o.y; y < o.y + o.height && !aimed; ++y)
                aimed = aim_talent_at(being, other, x, y);
        if (!aimed) continue;
        best = d;
        if (d == 1) break;
    }
}

void attack_marked(int being, int depth) {
    depth = trace_enter(depth, trace_attack_marked);
    if (!valid_being(being) || beings[being].seen_hostiles == 0) return;
    if (!can_attack_at_range(beings[being].weapon_set)) {
        if (has_type_flag(beings[being], tf_player))
            add_message(
                "$FEquip a reach weapon, a throwable weapon or a ranged weapon and ammunition to make "
                "ranged attacks.");
        return;
    }
    const taction_memory& m = beings[being].attack_memory;
    if (m.has_target && valid_being(m.target)) ranged_attack(being, m.target, depth);
}

} // namespace dravok
