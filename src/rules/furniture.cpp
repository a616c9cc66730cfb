#include "rules/furniture.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"
#include "rules/move_checks.h"

#include <string>

#include "generation/areas.h"
#include "platform/colour.h"
#include "records/being_flags.h"
#include "rules/action_time.h"
#include "rules/being_checks.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/checks.h"
#include "rules/effects.h"
#include "rules/sound.h"
#include "rules/traps.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/experience_award.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/services.h"
#include "world/settings_record.h"
#include "world/tables.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

constexpr int body = 1;
constexpr int furniture_action = 7, closing_action = 8;
constexpr int open_time = 30, crush_time = 40, close_time = 45, switch_time = 30, failed_time = 30;
constexpr int monster_time = 10;     // a monster springing from a coffin cuts the opening short
constexpr int mimic_touch_time = 40; // touching a mimic costs the touch and the fright
constexpr int heard_creak = 15, heard_wham = 25;
constexpr int property_touch = -40;
constexpr int recent_hostile_turns = 6; // a hostile seen this recently makes a crusher crush
constexpr int own_trap_relief = 10, trap_difficulty_extra = 2, kit_margin = 5;
constexpr int kaboom_animation = 3, kaboom_ticks = 3, kaboom_repeats = 1;
constexpr uint32_t green = 0x00C000, gold = 0xFFD700;

struct target_cell {
    int x = 0, y = 0;
    bool ok = false;
};

target_cell step(int being, int direction) {
    target_cell t;
    if (!is_being_ok(being) || direction < 1 || direction > 8) return t;
    t.x = beings[being].x + direction_steps[direction].dx;
    t.y = beings[being].y + direction_steps[direction].dy;
    t.ok = on_map(t.x, t.y);
    return t;
}

bool players_being(int being) {
    return being == player;
}

bool player_sees_cell(int x, int y) {
    return player > 0 && services.can_see(player, 0, x, y) != 0;
}

// The item of the key template that the being carries, 0 when none.
int carried_key(int being, int key_plan) {
    if (key_plan == 0 || being >= int(being_items.size())) return 0;
    const std::vector<titem>& list = being_items[being];
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (list[i].plan == key_plan && list[i].serial != 0) return int(i);
    }
    return 0;
}

bool may_use_key(int being, int key_plan) {
    return carried_key(being, key_plan) != 0 && (!players_being(being) || settings.auto_use_key != 0);
}

// For the player's being, touching furniture where its owners see asks first; true when the
// action may go on now.
bool property_confirmed(int being, int direction, int x, int y, int confirmation, bool confirmed) {
    if (!players_being(being) || confirmed) return true;
    const int owner = services.check_witnesses(being, x, y, true, true);
    if (owner == 0) return true;
    services.setup_property_confirmation_dialog(confirmation, direction, x, owner, y);
    return false;
}

void after_touch(int being, int x, int y) {
    if (!players_being(being)) return;
    services.touch_property_reactions(being, x, y, property_touch);
    game_mode = mode_main;
}

void act(int being, int cost, int kind) {
    spend_time(being, action_time(being, cost));
    beings[being].last_action_kind = uint8_t(kind);
}

std::string xp_text(int xp) {
    return xp > 0 ? "$E (" + std::to_string(xp) + " XP)" : std::string();
}

void show_xp(int x, int y, int xp) {
    if (xp > 0) add_floating_text(x, y, std::to_string(xp) + " XP", gold);
}

void trap_message(int being, int x, int y, bool door) {
    if (!players_being(being) && !player_sees_cell(x, y)) return;
    add_message(std::string(players_being(being) ? "$F" : "$B") +
                (door ? "The door was trapped!" : "The container was trapped!"));
}

bool closed_door(int x, int y) {
    return is_door(x, y, 0);
}

} // namespace

void open_door(int being, int x, int y, int depth, bool silent) {
    depth = trace_enter(depth, trace_open_door);
    if (!is_being_ok(being, depth) || !on_map(x, y, depth)) return;
    tcell& c = cell_at(x, y);
    c.furniture_state = 1;
    act(being, open_time, furniture_action);
    if (c.trap != 0) {
        trap_message(being, x, y, true);
        spring_trap(being, x, y, depth);
        // The door stands open even though the trap took the moment.
        update_area_door_state(x, y, true);
        return;
    }
    const int key = carried_key(being, c.key_item);
    if (c.key_item != 0 && key != 0) {
        if (players_being(being)) {
            const titem& k = being_items[being][key];
            add_message("$SYou open the locked door with " +
                        item_name(k.name.view(), 1, k.stackable, being, 3) + ".");
        } else if (services.can_see(player, being, 0, 0) || player_sees_cell(x, y)) {
            add_message("$B" + being_name(being, name_the_capital) + " opens the locked door.");
        }
    } else if (players_being(being)) {
        add_message("$BYou open the door.");
    } else if (services.can_see(player, being, 0, 0) || player_sees_cell(x, y)) {
        add_message("$B" + being_name(being, name_the_capital) + " opens the door.");
    }
    if (!silent && check_sounds(being, x, y, depth, sound_door) >= heard_creak &&
        has_type_flag(beings[being], tf_player))
        add_floating_text(x, y, "creak", colours::white);
    if (c.furniture == fu_door_lockable) c.furniture = fu_door;
    if (c.furniture == fu_door || c.furniture == fu_door_cell) {
        c.lock = 0;
        c.key_item = 0;
    }
    update_area_door_state(x, y, true);
}

void crush_door(int being, int x, int y, int depth) {
    depth = trace_enter(depth, trace_crush_door);
    if (!is_being_ok(being, depth) || !on_map(x, y, depth)) return;
    const bool trapped = cell_at(x, y).trap != 0;
    remove_furniture(x, y, false, depth);
    act(being, crush_time, furniture_action);
    if (player_sees_cell(x, y)) {
        add_message(being_name(being, name_the_capital) + " crushes the door open!");
        check_sounds(0, x, y, depth, sound_bash);
        add_floating_text(x, y, "kaboom", colours::white);
        add_cell_animation(x, y, kaboom_animation, kaboom_ticks, kaboom_repeats);
    }
    if (trapped) {
        trap_message(being, x, y, true);
        spring_trap(being, x, y, depth);
    }
    update_area_door_states();
}

void open_furniture_container(int being, int x, int y, int depth) {
    depth = trace_enter(depth, trace_open_furniture_container);
    if (!is_being_ok(being, depth) || !on_map(x, y, depth)) return;
    tcell& c = cell_at(x, y);
    c.furniture_state = 1;
    update_furniture_state(x, y, depth);
    act(being, open_time, furniture_action);
    check_sounds(being, 0, 0, depth, sound_toggle);
    std::string text;
    const int key = carried_key(being, c.key_item);
    if (c.key_item != 0 && key != 0) {
        if (players_being(being)) {
            const titem& k = being_items[being][key];
            text = "$SYou open the locked container with " +
                   item_name(k.name.view(), 1, k.stackable, being, 3) + ".";
        } else if (services.can_see(player, being, 0, 0)) {
            text = "$B" + being_name(being, name_the_capital) + " opens the locked container.";
        }
    } else if (players_being(being)) {
        text = "$BYou open the container.";
    } else if (services.can_see(player, being, 0, 0)) {
        text = "$B" + being_name(being, name_the_capital) + " opens the container.";
    }
    if (players_being(being) && c.held_items == 0) text += " It is empty.";
    if (!text.empty()) add_message(text);
    if (c.trap != 0) {
        if (players_being(being)) add_message("$FThe container was trapped!");
        spring_trap(being, x, y, depth);
        if (being >= int(beings.size()) || !beings[being].present) return;
    }
    tcell& after = cell_at(x, y);
    if ((after.furniture == fu_coffin || after.furniture == fu_sarcophagus) && after.hidden_creature != 0) {
        message_text.clear();
        std::string kind;
        get_furniture_kind_name(x, y, kind);
        const bool appeared = reveal_coffin_being(being, x, y, depth) > 0;
        if (appeared)
            beings[being].next_action_time = game.game_clock + uint32_t(action_time(being, monster_time));
        if (appeared && players_being(being)) {
            // The opener is told in its own words, not those of a coffin opened from afar.
            message_text.clear();
            services.update_lights();
            add_message("$NAs you open the " + kind + ", a monster appears!");
        }
        if (!message_text.empty()) add_message("$N" + message_text);
        message_text.clear();
    }
    tcell& done = cell_at(x, y);
    done.lock = 0;
    done.key_item = 0;
    done.contents_seen = 1;
}

void toggle_furniture(int being, int direction, bool confirmed, int depth, bool trap_dialog_done) {
    depth = trace_enter(depth, trace_toggle_furniture);
    const target_cell t = step(being, direction);
    if (!t.ok) return;
    const tbeing& b = beings[being];
    if (is_wall(t.x, t.y) && direction >= 4 && direction <= 6) return;
    if (const int hidden = cell_at(t.x, t.y).hidden_creature;
        hidden >= 1 && hidden < int(being_plans.size()) &&
        being_plans[hidden].identifier.str().find("mimic") != std::string::npos) {
        // Touching a mimic wakes it.
        reveal_mimic(being, t.x, t.y, depth);
        spend_time(being, action_time(being, mimic_touch_time));
        return;
    }
    if (!property_confirmed(being, direction, t.x, t.y, confirm_toggle, confirmed)) return;
    tcell& c = cell_at(t.x, t.y);
    if (c.trap != 0 && c.trap_difficulty < 0 && !trap_dialog_done && players_being(being)) {
        services.setup_furniture_trap_dialog(confirm_toggle, direction, t.x, t.y);
        return;
    }
    bool handled = true;
    if (closed_door(t.x, t.y) && c.lock != 0) {
        if (can_crush_closed_door(being, t.x, t.y, depth))
            crush_door(being, t.x, t.y, depth);
        else if (has_type_flag(b, tf_can_open_doors) && may_use_key(being, c.key_item))
            open_door(being, t.x, t.y, depth, false);
        else
            handled = false;
    } else if (closed_door(t.x, t.y)) {
        if (can_crush_closed_door(being, t.x, t.y, depth) && b.turns_without_hostiles < recent_hostile_turns)
            crush_door(being, t.x, t.y, depth);
        else if (has_type_flag(b, tf_can_open_doors))
            open_door(being, t.x, t.y, depth, false);
    } else if (!is_closed_container(t.x, t.y)) {
        if (is_light(t.x, t.y)) {
            c.furniture_state = c.furniture_state == 0 ? 1 : 0;
            act(being, switch_time, furniture_action);
        } else if (c.furniture == fu_switch && players_being(being)) {
            services.setup_switch_dialog(0, direction, t.x, t.y);
            return;
        }
    } else if (c.lock == 0 || may_use_key(being, c.key_item)) {
        open_furniture_container(being, t.x, t.y, depth);
    } else {
        handled = false;
    }
    if (!handled) {
        if (players_being(being)) services.setup_locked_furniture_dialog(0, direction, t.x, t.y);
        return;
    }
    after_touch(being, t.x, t.y);
}

void close_furniture(int being, int direction, bool confirmed, int depth) {
    depth = trace_enter(depth, trace_close_furniture);
    const target_cell t = step(being, direction);
    if (!t.ok) return;
    if (!is_door(t.x, t.y, 1)) {
        if (players_being(being)) game_mode = mode_main;
        return;
    }
    tcell& c = cell_at(t.x, t.y);
    if (c.being != 0) {
        if (players_being(being)) add_message("$FThere is a being in the way. The door can not be closed.");
        return;
    }
    if (!property_confirmed(being, direction, t.x, t.y, confirm_close, confirmed)) return;
    if (players_being(being))
        add_message("$BYou close the door.");
    else if (services.can_see(player, being, 0, 0))
        add_message("$B" + being_name(being, name_the_capital) + " closes the door.");
    c.furniture_state = 0;
    act(being, close_time, closing_action);
    if (check_sounds(being, t.x, t.y, depth, sound_door) >= heard_creak &&
        has_type_flag(beings[being], tf_player))
        add_floating_text(t.x, t.y, "wham", colours::white);
    after_touch(being, t.x, t.y);
    move_level_items(t.x, t.y, beings[being].x, beings[being].y);
    update_area_door_state(t.x, t.y, true);
}

void toggle_switch(int being, int direction, int depth, bool) {
    depth = trace_enter(depth, trace_toggle_switch);
    const target_cell t = step(being, direction);
    if (!t.ok) return;
    tcell& c = cell_at(t.x, t.y);
    const bool turning_on = c.furniture_state == 0;
    c.furniture_state = turning_on ? 1 : 0;
    const int effect = turning_on ? c.switch_on : c.switch_off;
    std::string sentence;
    action_sentence(being, 0, turning_on ? "%s %s the switch on." : "%s %s the switch off.", sentence,
                    "flicks", "flick");
    if (effect != 0) {
        handle_furniture_effect(being, t.x, t.y, effect, depth);
    } else if (!sentence.empty()) {
        add_message("$B" + sentence + " Nothing seems to happen.");
    }
    if (!is_being_ok(being)) return;
    act(being, switch_time, furniture_action);
    check_sounds(0, t.x, t.y, depth, sound_toggle);
}

void disable_furniture(int being, int direction, bool confirmed, int depth) {
    depth = trace_enter(depth, trace_disable_furniture);
    const target_cell t = step(being, direction);
    if (!t.ok) return;
    if (!property_confirmed(being, direction, t.x, t.y, confirm_pick_lock, confirmed)) return;
    tcell& c = cell_at(t.x, t.y);
    if (skill_check_roll(being, skill_disable, c.lock)) {
        add_floating_text(t.x, t.y, "lock picked", green);
        const int xp = award_disable_experience(c.lock, depth);
        show_xp(t.x, t.y, xp);
        add_message("$SYou picked the lock!" + xp_text(xp));
        c.lock = 0;
        c.key_item = 0;
        if (closed_door(t.x, t.y))
            open_door(being, t.x, t.y, depth, false);
        else if (c.furniture == fu_chest)
            open_furniture_container(being, t.x, t.y, depth);
    } else {
        add_message("$FYou failed to pick the lock.");
        act(being, failed_time, furniture_action);
    }
    after_touch(being, t.x, t.y);
}

void disable_trap(int being, int direction, int depth) {
    depth = trace_enter(depth, trace_disable_trap);
    target_cell t = step(being, direction);
    if (direction == 0 && is_being_ok(being)) t = {beings[being].x, beings[being].y, true};
    if (!t.ok) return;
    tcell& c = cell_at(t.x, t.y);
    if (c.trap == 0) return;
    const bool own = c.trap_setter != 0 && c.trap_setter == uint16_t(beings[being].serial);
    int difficulty = std::abs(int(c.trap_difficulty)) + trap_difficulty_extra;
    if (own) difficulty -= own_trap_relief;
    std::string id = item_plans[c.trap].identifier.str();
    if (id.rfind("tr_", 0) == 0) id = "it_trapkit_" + id.substr(3);
    const int kit = find_item_plan_by_name(id);
    if (skill_check_roll(being, skill_disable, difficulty)) {
        remove_trap(t.x, t.y, depth);
        add_floating_text(t.x, t.y, "trap disabled", green);
        const int xp = own ? 0 : award_disable_experience(difficulty, depth);
        show_xp(t.x, t.y, xp);
        std::string text = "$SYou disabled the trap!";
        const tbeing& b = beings[being];
        if ((own || int(int8_t(b.check_total)) >= int(int8_t(b.check_target)) + kit_margin) && kit > 0) {
            add_item_to_being(being, blank_item, kit, depth, one_dice);
            text += " You gained a trapkit!";
        }
        add_message(text + xp_text(xp));
    } else {
        add_message("$FYou failed to disable the trap!");
        spring_trap(being, t.x, t.y, depth);
    }
    if (!is_being_ok(being)) return;
    act(being, failed_time, furniture_action);
    if (players_being(being)) game_mode = mode_main;
}

void force_furniture(int being, int direction, bool confirmed, int depth) {
    depth = trace_enter(depth, trace_force_furniture);
    const target_cell t = step(being, direction);
    if (!t.ok) return;
    if (!property_confirmed(being, direction, t.x, t.y, confirm_force, confirmed)) return;
    tcell& c = cell_at(t.x, t.y);
    if (c.trap != 0) {
        trap_message(being, t.x, t.y, is_door(t.x, t.y));
        spring_trap(being, t.x, t.y, depth);
        return;
    }
    if (ability_check_roll(being, body, c.lock, true) < 0) {
        add_message("$FYou failed to force the lock.");
        act(being, failed_time, furniture_action);
    } else {
        add_floating_text(t.x, t.y, "lock forced", green);
        add_message("$SYou forced the lock!");
        c.lock = 0;
        c.key_item = 0;
        if (closed_door(t.x, t.y)) {
            // The lock gives way with the door.
            open_door(being, t.x, t.y, depth, true);
            remove_furniture(t.x, t.y, false, depth);
            update_area_door_states();
        } else if (c.furniture == fu_chest) {
            open_furniture_container(being, t.x, t.y, depth);
        }
    }
    if (!is_being_ok(being)) return;
    if (check_sounds(being, 0, 0, depth, sound_bash) >= heard_wham)
        add_floating_text(beings[being].x, beings[being].y, "wham", colours::white);
    after_touch(being, t.x, t.y);
}

} // namespace dravok
