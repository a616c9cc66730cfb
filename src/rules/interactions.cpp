// Interactions: looting, displacing, picking up, weapon sets, firing, yelling and resting.
#include "rules/interactions.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_level.h"

#include <algorithm>
#include <cstdio>

#include "generation/portals.h"
#include "platform/colour.h"
#include "records/being_flags.h"
#include "rules/action_time.h"
#include "rules/being_checks.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/effect_areas.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/equipment.h"
#include "rules/followers.h"
#include "rules/item_choice.h"
#include "rules/item_use.h"
#include "rules/level_setup.h"
#include "rules/movement.h"
#include "rules/quickslots.h"
#include "rules/sound.h"
#include "rules/talents.h"
#include "rules/targeting.h"
#include "rules/transfer.h"
#include "rules/traps.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/coins.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/history_file.h"
#include "world/indicators.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/message_log.h"
#include "world/pictures.h"
#include "world/player.h"
#include "world/regeneration.h"
#include "world/services.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

constexpr int pick_up_time = 15, swap_time = 20, displace_time = 20, yell_time = 15, trap_loot_time = 15;
constexpr int action_moved = 2, action_picked_up = 3;
constexpr int skill_dodge = 2;
constexpr int squirm_bonus = 8;
constexpr int property_touch = -40;

} // namespace

void loot_container(int being, int direction, bool confirmed, int depth, bool trap_dialog_done) {
    depth = trace_enter(depth, trace_loot_container);
    if (!is_being_ok(being, depth) || direction < 1 || direction > 8) return;
    tbeing& b = beings[being];
    const int x = b.x + direction_steps[direction].dx, y = b.y + direction_steps[direction].dy;
    if (!on_map(x, y)) return;
    tcell& c = cell_at(x, y);
    if (c.furniture < fu_chest || c.furniture > fu_cauldron) return; // the furniture that holds items
    const bool shop = is_shop_furniture(c.furniture);
    if (being == player && !shop && !confirmed && services.check_witnesses(being, x, y, true, true) != 0) {
        services.setup_property_confirmation_dialog(confirm_loot, direction, x,
                                                    services.check_witnesses(being, x, y, true, true), y);
        return;
    }
    if (c.trap != 0) {
        if (c.trap_difficulty < 0 && !trap_dialog_done) {
            if (being == player) services.setup_furniture_trap_dialog(confirm_loot, direction, x, y);
            return;
        }
        if (being == player) add_message("$FThe container was trapped!");
        spring_trap(being, x, y, depth);
        if (is_being_ok(being) && beings[being].present)
            spend_time(being, action_time(being, trap_loot_time));
        return;
    }
    std::string summary;
    // A shop's wares are bought from its keeper, never picked up in passing.
    const bool kept_shop = shop && find_shopkeeper(x, y, depth) != 0;
    if (being == player && b.seen_awake_hostiles == 0 && services.count_witnesses(being, x, y, true) == 0 &&
        !kept_shop)
        autopick_items(being, x, y, summary, depth);
    services.open_loot_screen(being, x, y, depth);
    if (!summary.empty() && cell_at(x, y).held_items == 0) {
        if (has_type_flag(b, tf_player) && settings.auto_quickslots) assign_quickslots(being);
        summary.clear();
        game_mode = mode_main;
        return;
    }
    if (being == player && !shop) services.touch_property_reactions(being, x, y, property_touch);
}
void bump_portal(int being, int direction) {
    if (!is_being_ok(being) || direction < 1 || direction > 8) return;
    const int x = beings[being].x + direction_steps[direction].dx,
              y = beings[being].y + direction_steps[direction].dy;
    if (on_map(x, y)) services.setup_use_portal(direction, x, y);
}

void bump_friendly(int being, int other) {
    if (is_being_ok(being) && is_being_ok(other)) services.setup_bump_friendly_dialog(other);
}

namespace {

constexpr int portal_cost = 15;
constexpr uint8_t used_teleporter = 10;
constexpr uint8_t teleporter_cooldown = 8;

void step_through_teleporter(int being, const tportal& destination, int x, int y, int depth) {
    depth = trace_enter(depth, trace_step_through_teleporter);
    tbeing& b = beings[being];
    int to_x = 0, to_y = 0;
    find_free_floor_for_being(destination.x, destination.y, std::max<int>(b.width, 1), to_x, to_y, depth,
                              std::max<int>(b.height, 1));
    if (!on_map(to_x, to_y)) {
        if (being == player)
            add_message("$FThe teleporter avoids you! Maybe there is not enough space on the other side.");
        return;
    }
    const bool other = being != player;
    if (other && services.can_see(player, 0, x, y)) {
        add_message("$N" + being_name(being, name_the_capital) + " disappears into the teleporter!");
        add_floating_text(x, y, "uses teleporter", 0xFFFFFF);
    }
    services.sees_teleport_use(being, x, y, depth);
    portals[destination.index].used = 1;
    place_being(being, to_x, to_y, depth);
    enter_map_tile(being, depth);
    spend_time(being, action_time(being, portal_cost));
    b.last_action_kind = used_teleporter;
    b.teleport_cooldown = teleporter_cooldown;
    b.teleporter_x = b.teleporter_y = 0;
    if (other) {
        services.update_lights();
        if (services.can_see(player, 0, to_x, to_y))
            add_message("$N" + being_name(being, name_the_capital) + " appears from the teleporter!");
    }
}

} // namespace

void handle_portal(int being, int direction, int depth) {
    depth = trace_enter(depth, trace_handle_portal);
    if (!is_being_ok(being, depth) || direction < 1 || direction > 8) return;
    const int x = beings[being].x + direction_steps[direction].dx,
              y = beings[being].y + direction_steps[direction].dy;
    const tportal from = get_portal(x, y, depth);
    if (from.index != 0 && from.index < portals.size()) portals[from.index].used = 1;
    const tportal destination = get_destination_portal(x, y, depth);
    if (destination.index == 0) {
        char text[100];
        std::snprintf(text, sizeof text, "Can not find destination portal to portal at %3.3d,%3.3d!", x, y);
        error_log(depth, text, true);
        game_mode = mode_main;
        return;
    }
    if (destination.level == level.index) {
        step_through_teleporter(being, destination, x, y, depth);
        return;
    }
    if (being != player) return;
    if (game.transfer_count > 0) force_transfer_beings(depth);
    game.target_level = destination.level;
    game.portal = destination;
    game.current_level = level.index;
    if (setup_level(depth)) arrive_at_level(depth);
    game_mode = mode_main;
}
bool displace_being(int being, int other) {
    if (!is_being_ok(being) || !is_being_ok(other)) return false;
    tbeing& a = beings[being];
    tbeing& o = beings[other];
    const int ax = a.x, ay = a.y, ox = o.x, oy = o.y;
    place_being(other, ax, ay, 1);
    place_being(being, ox, oy, 1);
    cell_at(ox, oy).being = uint16_t(being);
    cell_at(ox, oy).footprint = 1;
    enter_map_tile(being, 1);
    enter_map_tile(other, 1);
    if (!is_being_ok(being) || !is_being_ok(other)) return true;
    spend_time(being, action_time(being, displace_time));
    beings[being].last_action_kind = action_moved;
    check_sounds(being, 0, 0, 1, sound_walking);
    tbeing& moved = beings[other];
    moved.next_action_time = game.game_clock + uint32_t(action_time(other, displace_time));
    moved.last_action_kind = action_moved;
    if (moved.asleep_counter == 0) {
        const bool at_home = is_in_home_area(other);
        const bool trespass = has_type_flag(moved, tf_hostile_on_home_trespassing);
        if (trespass && at_home)
            services.ai_get_hostile_on_home_trespassers(other, 1);
        else if (has_type_flag(moved, tf_gets_hostile))
            services.ai_get_hostile(other, 1);
    } else {
        services.ai_wake_up(other, 1);
    }
    // Both re-plan their way from where they now stand.
    for (int who : {being, other}) {
        tbeing& w = beings[who];
        if (w.path.length == 0) continue;
        const tpath old = w.path;
        if (!services.find_path(who, old.target_x, old.target_y, old.purpose, w.path)) w.path = tpath{};
    }
    return true;
}

void displace_hostile_being(int being, int other) {
    if (!is_being_ok(being) || !is_being_ok(other)) return;
    const tbeing& a = beings[being];
    const tbeing& o = beings[other];
    int actor_score = a.ability_modifier[0] + a.skill_of(skill_dodge);
    if (being_status(a, st_squirm) != 0) actor_score += squirm_bonus;
    const int defender_score = o.ability_modifier[0] + o.skill_of(skill_dodge);
    const int actor_roll = roll_dice(d20_dice);
    const int defender_roll = roll_dice(d20_dice);
    if (defender_roll + defender_score >= actor_roll + actor_score) {
        std::string sentence;
        action_sentence(being, other, "%s %s %s.", sentence, "fails to displace", "fail to displace");
        if (!sentence.empty()) add_message((being == player ? "$F" : "$B") + sentence);
        spend_time(being, action_time(being, displace_time));
        beings[being].last_action_kind = action_moved;
        check_sounds(being, 0, 0, 1, sound_walking);
        return;
    }
    std::string sentence;
    action_sentence(being, other, "%s %s %s.", sentence, "displaces", "displace");
    if (!sentence.empty()) add_message("$B" + sentence);
    displace_being(being, other);
}

void fire_ranged(int being, int) {
    if (!is_being_ok(being)) return;
    const tweapon_set& w = beings[being].weapon_set;
    if (!can_attack_at_range(w)) {
        if (being == player)
            add_message(
                "$FEquip a reach weapon, a throwable weapon or a ranged weapon and ammunition to make "
                "ranged attacks.");
        return; // the command ends here without time
    }
    game_mode = mode_target;
    target_action_kind = target_attack;
    target_effect = effect_template;
    target_effect.shape = sh_bolt;
    target_effect.action_kind = target_attack;
    target_effect.min_range = w.min_range;
    make_fixed_dice(w.max_range, target_effect.range_dice);
    target_effect.range = uint16_t(roll_dice_for_being(target_effect.range_dice, being));
    target_init(being);
    refresh_target_aim(being);
}

int get_item(int being, int item, int depth) {
    depth = trace_enter(depth, trace_get_item);
    if (!is_being_ok(being, depth)) return 0;
    tbeing& b = beings[being];
    if (item == 0) {
        if (cell_at(b.x, b.y).loose_items != 1) return 0;
        for (std::size_t i = 1; i < level_items.size() && item == 0; ++i) {
            const titem& it = level_items[i];
            if (it.plan != 0 && it.serial != 0 && it.holder == 0 && it.x == b.x && it.y == b.y) item = int(i);
        }
    }
    if (!is_item_ok(item, 0, depth)) return 0;
    const titem copy = level_items[item];
    remove_item_from_level(item, depth);
    const int index = add_item_to_being(being, copy, 0, depth, one_dice);
    spend_time(being, action_time(being, pick_up_time));
    b.last_action_kind = action_picked_up;
    const std::string name = item_name(copy.name.view(), copy.amount, copy.stackable, being, 1);
    if (has_type_flag(b, tf_player))
        add_message("$BPicked up: $N" + name + "$B.");
    else if (services.can_see(player, being, 0, 0))
        add_message("$B" + being_name(being, name_the_capital) + " picks up: $N" + name + "$B.");
    update_being(being, depth);
    check_sounds(being, 0, 0, depth, sound_item);
    return index;
}

void swap_weapons(int being) {
    if (!is_being_ok(being)) return;
    tbeing& b = beings[being];
    b.active_set = b.active_set == set_1_main_hand ? set_2_main_hand : set_1_main_hand;
    update_being(being, 1);
    spend_time(being, action_time(being, swap_time));
    const tweapon_set& w = beings[being].weapon_set;
    std::string list;
    for (int h = 0; h < hand_count; ++h) {
        if (w.hand_item[h] == 0) continue;
        const titem& it = being_items[being][w.hand_item[h]];
        if (!list.empty()) list += " / ";
        list += "$N" + item_name(it.name.view(), it.amount, it.stackable, being, 1) + "$B";
    }
    if (list.empty()) list = "bare hands";
    if (being == player) {
        add_message("$BActive weapon set: " + list + ".");
    } else if (services.can_see(player, being, 0, 0)) {
        add_message(being_name(being, name_the_capital) + " switches weapons to: " + list + ".");
        if (w.melee_available)
            add_floating_text(being, "switches to melee", colours::white);
        else if (w.hand_throws)
            add_floating_text(being, "switches to ranged", colours::white);
    }
    check_ammunition(being, 1);
}
void yell(int being) {
    if (!is_being_ok(being)) return;
    check_sounds(being, 0, 0, 1, sound_scream);
    if (being == player) {
        add_message("$NYou make a loud noise!");
        add_floating_text(being, "yell", colours::white);
    }
    spend_time(being, action_time(being, yell_time, false));
}

void rest_until_healed(int being) {
    if (!is_being_ok(being)) return;
    tbeing& b = beings[being];
    b.resting = 0;
    b.rest_rounds = 0;
    state.resting = 0;
    if (b.seen_hostiles > 0) {
        add_message("$FCan not rest while hostile creatures are seen!");
        return;
    }
    if (being != player_character) {
        add_message("$FOnly the player character can rest until healed!");
        return;
    }
    if (b.health_regen_delay == 0 || b.health_regen == 0) {
        add_message("$FYou can not rest!");
        return;
    }
    if (b.health >= b.health_max)
        b.rest_rounds = 100;
    else
        b.resting = 1;
}

} // namespace dravok
