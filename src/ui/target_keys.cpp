// Target-mode keys.
#include "ui/target_keys.h"
#include "records/layout_being.h"

#include "ai/explore_targets.h"
#include "rules/effect_areas.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/targeting.h"
#include "ui/dialogs.h"
#include "ui/key_bindings.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/directions.h"
#include "world/game_modes.h"
#include "world/map.h"
#include "world/message_log.h"

namespace dravok {

namespace {

constexpr int key_containers = 67; // "C"
constexpr int depth = 1;

void cycle(int being, int step) {
    target_step = step;
    next_target(being);
}

// The cursor jumps to the next seen, unlooted container or stand after its own place in the ring
// list, wrapping once to the list's start.
void next_container() {
    int start = find_in_ring_list(target_cursor_x, target_cursor_y);
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = start + 1; i < ring_list_capacity; ++i) {
            const ring_cell c = ring_list[i];
            if (c.x == 0 && c.y == 0) break;
            if (is_seen_unlooted_furniture(c.x, c.y)) {
                target_cursor_x = c.x;
                target_cursor_y = c.y;
                return;
            }
        }
        start = -1;
    }
}

// FIRE while aiming something else: the aim becomes an attack with the weapon set's reach.
void aim_attack(int being) {
    const tweapon_set& set = beings[being].weapon_set;
    if (!set.hand_reaches && !set.hand_throws) return;
    target_action_kind = target_attack;
    target_effect = effect_template;
    target_effect.shape = sh_bolt;
    target_effect.action_kind = target_attack;
    target_effect.min_range = set.min_range;
    make_fixed_dice(set.max_range, target_effect.range_dice);
    target_effect.range = uint16_t(roll_dice_for_being(target_effect.range_dice, being));
}

bool cycles_forward(int command, int key, int modifier) {
    if (command == TARGET_MODE || (key == key_tab && modifier == 0)) return true;
    if (target_action_kind == target_attack && (command == FIRE || command == ATTACK_MARKED)) return true;
    if (target_action_kind == target_talent_use && command == TALENT_MARKED) return true;
    return remembered_aiming_command != 0 && command == remembered_aiming_command;
}

} // namespace

void handle_target_commands(int being, int command, int key, int modifier) {
    if (!is_being_ok(being)) return;
    if (key == key_escape) {
        game_mode = mode_main;
        log_changed = true;
        return;
    }
    if (key == key_tab && modifier == key_shift) {
        cycle(being, -1);
    } else if (cycles_forward(command, key, modifier)) {
        cycle(being, 1);
    } else if (command >= MOVE_N && command <= MOVE_NW) {
        const int x = target_cursor_x + compass_dx[command], y = target_cursor_y + compass_dy[command];
        if (on_explored_map(x, y)) {
            target_cursor_x = x;
            target_cursor_y = y;
        }
    } else if (command == FIRE) {
        aim_attack(being);
    } else if (command == AUTOPILOT) {
        if (beings[being].seen_hostiles == 0) game_mode = mode_autopilot;
    } else if (key == key_containers && modifier == 0) {
        next_container();
    } else if (key == key_enter) {
        std::string why;
        if (!talent_target_ok(being, &why)) {
            if (!why.empty()) add_message(why);
            return;
        }
        remembered_aiming_command = 0;
        if (effect_friendly_hit_count > 0)
            setup_friendly_fire_dialog(target_action_kind);
        else
            handle_target_selected(being, depth);
        return;
    }
    if (game_mode == mode_target) refresh_target_aim(being);
}

} // namespace dravok
