// Interactions: picking up, weapon sets, firing, yelling and resting.
#include "rules/interactions.h"

#include "ai/world_stand_ins.h"
#include "platform/colour.h"
#include "platform/desktop.h"
#include "platform/events.h"
#include "rules/action_time.h"
#include "rules/effect_areas.h"
#include "rules/effects.h"
#include "rules/key_entry.h"
#include "rules/sound.h"
#include "rules/stand_ins.h"
#include "rules/targeting.h"
#include "ui/draw.h"
#include "ui/frame_links.h"
#include "world/being.h"
#include "world/being_creation.h"
#include "world/being_flags.h"
#include "world/being_update.h"
#include "world/combat_stand_ins.h"
#include "world/dice.h"
#include "world/equipment.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/map.h"
#include "world/message_log.h"

namespace dravok {

namespace {

constexpr int pick_up_time = 15, swap_time = 20;
constexpr int action_picked_up = 3;
constexpr int sound_item = 8;
constexpr int target_attack = 12;
constexpr int shape_bolt = 4;

} // namespace

void loot_container(int being, int, bool, int depth, bool) {
    if (is_being_ok(being, depth)) spend_time(being, action_time(being, 15));
}
void bump_portal(int, int) {}
void bump_friendly(int, int) {}
bool displace_being(int being, int other) {
    if (!is_being_ok(being) || !is_being_ok(other)) return false;
    spend_time(being, action_time(being, 20));
    return true;
}
void displace_hostile_being(int being, int) {
    if (is_being_ok(being)) spend_time(being, action_time(being, 20));
}
void fire_ranged(int being, int) {
    if (!is_being_ok(being)) return;
    const tbeing& b = beings[being];
    const tweapon_set& w = b.weapon_set;
    if (!w.hand_reaches && !w.hand_throws && !(w.launcher[0] && w.quiver_matches_launcher)) {
        if (being == player)
            add_message(
                "$FEquip a reach weapon, a throwable weapon or a ranged weapon and ammunition to make "
                "ranged attacks.");
        command_acted = true;
        return;
    }
    game_mode = mode_target;
    target_kind = target_attack;
    target_effect = teffect{};
    target_effect.shape = shape_bolt;
    target_effect.min_range = w.min_range;
    make_fixed_dice(w.max_range, target_effect.range_dice);
    target_effect.range = uint16_t(roll_dice_for_being(target_effect.range_dice, being));
    target_init(being);
    calculate_effect_coordinates(being, target_cursor_x, target_cursor_y, target_effect);
}

int get_item(int being, int item, int depth) {
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
    else if (can_see(player, being, 0, 0))
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
    } else if (can_see(player, being, 0, 0)) {
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
    if (being == player) add_message("$NYou make a loud noise!");
    spend_time(being, action_time(being, 15, false));
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
