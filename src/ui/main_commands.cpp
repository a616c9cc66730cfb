// The main mode's commands.
#include "ui/main_commands.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"

#include "ai/explore_targets.h"

#include <string>

#include "ai/explore_targets.h"
#include "ai/paths.h"
#include "generation/areas.h"
#include "records/being_flags.h"
#include "rules/action_time.h"
#include "rules/being_checks.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/effects.h"
#include "rules/equipment.h"
#include "rules/furniture.h"
#include "rules/interactions.h"
#include "rules/item_use.h"
#include "rules/level_setup.h"
#include "rules/move_checks.h"
#include "rules/movement.h"
#include "rules/search.h"
#include "rules/talents.h"
#include "rules/targeting.h"
#include "ui/key_bindings.h"
#include "ui/key_entry.h"
#include "ui/lister.h"
#include "ui/lister_model.h"
#include "ui/menus.h"
#include "ui/mode_keys.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/game_modes.h"
#include "world/geometry.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/message_log.h"
#include "world/random.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {

namespace {

// The call-trace depth of the command being handled (set on entry to the mode's handler).
int depth = 1;

bool can_use_items(int b) {
    return has_type_flag(beings[b], tf_can_use_items);
}
bool sees_hostile(int b) {
    return beings[b].seen_hostiles > 0;
}

void move_command(int b, int direction) {
    const int r = can_move(b, depth);
    if (r >= 0 || r == -4) {
        move_step(b, direction, true, depth);
        return;
    }
    add_message("$FYou can not move!");
    spend_time(b, action_time(b, 15));
}

void rest_command(int b) {
    tbeing& being = beings[b];
    search_surroundings(b);
    const int area = being.area;
    if (area >= 1 && area < int(areas.size()) && areas[area].rules_counter > 0 && d100() < 31)
        statues_to_beings(b, area, 30, depth);
    being.last_action_kind = 1;
    spend_time(b, action_time(b, 15));
}

// Plain target mode: nothing aimed, the cursor on the being's own cell.
void open_target_mode(int b) {
    game_mode = mode_target;
    target_action_kind = 0;
    remembered_aiming_command = 0;
    target_effect = effect_template;
    make_fixed_dice(0, target_effect.range_dice);
    target_cursor_x = beings[b].x;
    target_cursor_y = beings[b].y;
    refresh_target_aim(b);
    target_step = 1;
    build_target_ring(beings[b].x, beings[b].y, target_ring_radius);
    build_ring_list(beings[b].x, beings[b].y, map_size);
}

void start_autopilot_search(int b) {
    const tbeing& being = beings[b];
    number_areas_from(being.area, true, false);
    state.autopilot_cursor_x = being.x;
    state.autopilot_cursor_y = being.y;
}

void autopilot_command(int b) {
    if (sees_hostile(b)) {
        add_message("$FCan not autopilot when hostile creatures are seen.");
        command_acted = true;
        return;
    }
    target_action_kind = 0;
    remembered_aiming_command = 0;
    start_autopilot_search(b);
    if (on_map(level.target_x, level.target_y)) {
        state.autopilot_cursor_x = level.target_x;
        state.autopilot_cursor_y = level.target_y;
    }
    game_mode = mode_autopilot;
}

void explore_command(int b) {
    command_acted = true;
    if (sees_hostile(b)) {
        add_message("$FCan not explore when hostile creatures are seen.");
        return;
    }
    level.target_x = level.target_y = 0;
    start_autopilot_search(b);
    const uint32_t target = find_explore_target();
    const int x = int(target & 0xFFFF), y = int(target >> 16);
    if (target != 0 && on_map(x, y)) {
        beings[b].path = explore_path;
        level.target_x = uint8_t(x);
        level.target_y = uint8_t(y);
    } else {
        add_message("$FNothing to explore!");
    }
}

void map_point_command(int b) {
    command_acted = true;
    const tbeing& being = beings[b];
    int slot = 0;
    for (int i = 1; i <= map_point_count; ++i) {
        const tmap_point& p = level.map_point(i);
        if (p.x == being.x && p.y == being.y) {
            add_message("$FThere already is a map point here.");
            return;
        }
        if (slot == 0 && p.x == 0 && p.y == 0) slot = i;
    }
    const bool replaced = slot == 0;
    if (replaced) {
        int best = 0;
        for (int i = 1; i <= map_point_count; ++i) {
            const int d = get_distance(being.x, being.y, level.map_point(i).x, level.map_point(i).y);
            if (slot == 0 || d < best) {
                slot = i;
                best = d;
            }
        }
    }
    level.map_point(slot) = {being.x, being.y};
    update_level(0);
    add_message("$BMap point " + std::to_string(slot) + (replaced ? " replaced." : " set."));
}

void get_command(int b) {
    if (!can_use_items(b)) return;
    const int count = cell_at(beings[b].x, beings[b].y).loose_items;
    if (count == 1) {
        get_item(b, 0, depth);
    } else if (count > 1) {
        reset_lister();
        lister.ground_x = beings[b].x;
        lister.ground_y = beings[b].y;
        initialize_inventory(b, 0, list_backpack, list_ground, 2, false);
    } else {
        add_message("$FThere is nothing here to pick up.");
    }
}

void loot_level_command(int b) {
    command_acted = true;
    state.autopilot_item = 0;
    if (!can_use_items(b)) return;
    if (sees_hostile(b)) {
        add_message("$FCan not loot level when hostile creatures are seen.");
        return;
    }
    if (build_level_loot_list(b) > 0)
        game_mode = mode_inventory;
    else
        add_message("$FNothing to loot.");
}

void quickslot_command(int b, int command) {
    const int slot = command - QUICKSLOT;
    if (quickslot_assigned(b, slot)) {
        use_quickslot(b, slot, depth);
        remembered_aiming_command = command;
    } else {
        reset_lister();
        initialize_quickslots(b, slot, 0, depth);
    }
}

// A movement key with a modifier that binds no command: Ctrl runs or pushes past a being,
// Alt closes a door.
void modified_movement(int b, int key, int modifier) {
    const int d = movement_command_for_key(key, false);
    if (d == 0) return;
    tbeing& being = beings[b];
    const int tx = being.x + direction_steps[d].dx, ty = being.y + direction_steps[d].dy;
    if (modifier == key_ctrl) {
        if (on_map(tx, ty) && can_move_to(b, tx, ty, depth, false, true) == 1) {
            const int other = cell_at(tx, ty).being;
            if (other != 0 && other != b) {
                if (can_move(other, depth) < 0) return;
                if (is_being_ok(other) && being.width == 1 && being.height == 1 && beings[other].width == 1 &&
                    beings[other].height == 1) {
                    if (!beings[other].friendly)
                        displace_hostile_being(b, other);
                    else
                        bump_friendly(b, other);
                }
                return;
            }
        }
        if (!bump_actions(b, d, depth) && game_to_walk_direction[d] != 0)
            walk(b, game_to_walk_direction[d], depth);
    } else if (modifier == key_alt) {
        if (on_map(tx, ty) && is_door(tx, ty, 1) && can_close_opened_door(b, tx, ty, depth))
            close_furniture(b, d, false, depth);
    }
}

} // namespace

void handle_main_commands(int b, int command, int key, int modifier) {
    depth = trace_enter(command_dispatch_depth, trace_handle_main_commands);
    if (!is_being_ok(b)) return;
    if (command >= MOVE_N && command <= MOVE_NW) {
        move_command(b, command);
        return;
    }
    if (command >= QUICKSLOT_01 && command <= QUICKSLOT_20) {
        quickslot_command(b, command);
        return;
    }
    switch (command) {
    case 0:
        modified_movement(b, key, modifier);
        break;
    case SET_MAP_POINT:
        map_point_command(b);
        break;
    case AUTOPILOT:
        autopilot_command(b);
        break;
    case EXPLORE:
        explore_command(b);
        break;
    case TARGET_MODE:
        open_target_mode(b);
        break;
    case FIRE:
        if (!can_use_items(b)) break;
        remembered_aiming_command = FIRE;
        fire_ranged(b, FIRE);
        if (game_mode == mode_main) command_acted = true; // refused: no aim, no time
        log_changed = true;
        break;
    case ATTACK_MARKED:
        attack_marked(b, depth);
        break;
    case SWAP_AMMUNITION:
        if (can_use_items(b)) switch_ammunition(b, depth);
        break;
    case TALENT:
        remembered_aiming_command = 0;
        reset_lister();
        initialize_talents(b, depth);
        break;
    case TALENT_MARKED:
        repeat_talent(b, depth);
        break;
    case REST:
        rest_command(b);
        break;
    case REST_UNTIL_HEALED:
        rest_until_healed(b);
        break;
    case YELL:
        yell(b);
        break;
    case INVENTORY:
        if (!can_use_items(b)) break;
        reset_lister();
        initialize_inventory(b, 0, list_equipment, list_backpack, 2, false);
        break;
    case GET:
        get_command(b);
        break;
    case LOOT_LEVEL:
        loot_level_command(b);
        break;
    case SWAP_WEAPONS:
        if (can_use_items(b)) swap_weapons(b);
        break;
    case QUICKSLOT:
        reset_lister();
        initialize_quickslots(b, 0, 0, depth);
        break;
    case CHARACTER_SHEET:
        open_character_sheet(b);
        break;
    case GAME_MENU:
        setup_menu(5);
        break;
    case HELP:
        open_help_screen();
        break;
    // The log's offset counts lines back from the newest; "up" and "down" follow the panel, whose
    // newest line is at the top or at the bottom.
    case LOG_UP:
        scroll_log(settings.newest_first ? -1 : 1);
        break;
    case LOG_DOWN:
        scroll_log(settings.newest_first ? 1 : -1);
        break;
    case SWITCH_SIDEPANEL:
        settings.side_panel_switch = 1;
        break;
    default:
        break;
    }
}

} // namespace dravok
