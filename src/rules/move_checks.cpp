// The movement tests; see move_checks.h.
#include "rules/move_checks.h"

#include "records/layout_plans.h"
#include "rules/being_checks.h"
#include "rules/effects.h"
#include "rules/equipment.h"
#include "rules/lasting_effects.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/lasting_effects.h"
#include "world/map.h"
#include "world/map_effect_cell.h"
#include "world/player.h"
#include "world/tables.h"

namespace dravok {

namespace {

constexpr int kind_trap_only_for_strangers = 64;

int last_being_index() {
    return static_cast<int>(beings.size()) - 1;
}

} // namespace

int can_move(int being, int depth) {
    depth = trace_enter(depth, trace_can_move);
    if (being < 1 || being > last_being_index()) return move_immobile;
    const tbeing& b = beings[being];
    if (has_type_flag(b, tf_immobile)) return move_immobile;
    if (b.carried_weight > b.carrying_limit) return move_overloaded;
    if (is_on_restraining_map_effect(being, depth)) return move_held;
    if (b.ability_of(2) == 0) return move_no_motion;
    return move_free;
}

namespace {

bool is_follower_of_player_character(const tbeing& b) {
    if (player_character < 1 || player_character > last_being_index()) return false;
    const int32_t serial = beings[player_character].serial;
    return serial != 0 && b.master == serial;
}

// Whether a trap on the cell keeps the being from stepping there.
bool avoids_trap(int being, const tcell& c) {
    const tbeing& b = beings[being];
    const bool found = c.trap_difficulty < 0;
    if (being == player || has_type_flag(b, tf_player)) return found;
    if (is_follower_of_player_character(b)) return found;
    if (c.trap_setter != 0) return c.trap_setter == uint16_t(b.serial);
    if (has_type_flag(b, tf_knows_level_traps) || is_in_home_area(being)) return true;
    return c.trap < item_plans.size() && item_plans[c.trap].trap_effect.kind == kind_trap_only_for_strangers;
}

bool carries_key(int being, int key_plan) {
    if (key_plan == 0) return false;
    for (const titem& item : being_items[being]) {
        if (item.plan == key_plan && item.serial != 0) return true;
    }
    return false;
}

} // namespace

int can_move_to(int being, int x, int y, int depth, bool ignore_effects, bool ignore_beings) {
    depth = trace_enter(depth, trace_can_move_to);
    if (being < 1 || being > last_being_index()) return target_off_map;
    const tbeing& b = beings[being];
    const int w = std::max<int>(b.width, 1), h = std::max<int>(b.height, 1);
    for (int cx = x; cx < x + w; ++cx) {
        for (int cy = y; cy < y + h; ++cy) {
            if (!on_map(cx, cy, 0)) return target_off_map;
            const tcell& c = cell_at(cx, cy);
            if (c.block < first_floor_block) return target_no_floor;
            if (!ignore_beings && c.being != 0 && c.being != being) return target_occupied;
            const int f = get_furniture(cx, cy, 0);
            if (f != 0 && f != fu_text) {
                if (is_door(cx, cy, 0, 0)) {
                    return can_open_closed_door(being, cx, cy, depth) ? target_door_to_open
                                                                      : target_closed_door;
                }
                if (f == fu_teleporter) {
                    const bool own = (b.path.purpose == 11 || b.path.purpose == 12) && b.teleporter_x == cx &&
                                     b.teleporter_y == cy;
                    return own ? target_own_teleporter : target_furniture;
                }
                if (!is_door(cx, cy, 1, 0)) return target_furniture;
            }
            if (!ignore_effects) {
                // Harmful to this being, not merely of a harmful kind: an immune being walks through.
                const tmap_effect_cell& e = map_effect_grid(cx, cy);
                if (e.effect != 0 && effect_harmful_for_being(being, teffect{}, e.effect, depth))
                    return target_harmful_effect;
            }
            if (c.trap != 0 && avoids_trap(being, c)) return target_known_trap;
        }
    }
    return target_free;
}

namespace {

bool door_test_ok(int being, int x, int y, int depth) {
    depth = trace_enter(depth, trace_door_test_ok);
    return is_being_ok(being, depth) && on_map(x, y, depth) && is_single_cell_being(being);
}

int current_body(const tbeing& b) {
    return b.ability_of(1);
}

} // namespace

bool can_open_closed_door(int being, int x, int y, int depth) {
    depth = trace_enter(depth, trace_can_open_closed_door);
    if (!door_test_ok(being, x, y, depth) || !is_door(x, y, 0, 0)) return false;
    const tbeing& b = beings[being];
    const bool opens = has_type_flag(b, tf_can_open_doors);
    const bool crushes = has_type_flag(b, tf_can_crush_doors);
    if (!opens && !crushes) return false;
    const tcell& c = cell_at(x, y);
    if (c.lock != 0) return opens && has_type_flag(b, tf_can_use_items) && carries_key(being, c.key_item);
    return !(crushes && !opens && current_body(b) < 20);
}

bool can_crush_closed_door(int being, int x, int y, int depth) {
    depth = trace_enter(depth, trace_can_crush_closed_door);
    if (!door_test_ok(being, x, y, depth) || being == player) return false;
    if (!is_door(x, y, 0, 0) || get_furniture(x, y, 0) == fu_door_cell || cell_at(x, y).lock != 0)
        return false;
    const tbeing& b = beings[being];
    return has_type_flag(b, tf_can_crush_doors) && current_body(b) >= 20;
}

bool can_close_opened_door(int being, int x, int y, int depth) {
    depth = trace_enter(depth, trace_can_close_opened_door);
    if (!door_test_ok(being, x, y, depth) || !is_door(x, y, 1, 0)) return false;
    const tcell& c = cell_at(x, y);
    if (c.being != 0) return false;
    const tbeing& b = beings[being];
    if (!has_type_flag(b, tf_can_close_doors)) return false;
    return c.loose_items == 0 || current_body(b) >= 4;
}

} // namespace dravok
