// The effect pipeline. The working copy E is the only record changed; the handlers report
// through message_text and the world.
#include "rules/effects.h"

#include <algorithm>
#include <set>
#include <vector>

#include "records/layout_base.h"
#include "records/layout_being.h"
#include "records/layout_dice.h"
#include "records/layout_game.h"
#include "records/layout_item.h"
#include "records/layout_level.h"
#include "records/layout_parts.h"
#include "records/layout_plans.h"
#include "rules/action_time.h"
#include "rules/damage.h"
#include "rules/effect_areas.h"
#include "rules/effect_dispatch.h"
#include "rules/effect_messages.h"
#include "rules/effect_tables.h"
#include "rules/lasting_effects.h"
#include "rules/sound.h"
#include "rules/talents.h"
#include "rules/targeting.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/indicators.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/lasting_effects.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/services.h"
#include "world/sprite_lookup.h"
#include "world/tables.h"

namespace dravok {

std::string message_text;
uint32_t next_effect_time = 0;
bool effects_changed = false;
teffect target_effect{};

namespace {

constexpr uint32_t failure_red = 0xff3030;
constexpr uint32_t white = 0xffffff;
constexpr int spell_talent_type = 4;
constexpr int on_use_status_talent_kind = 2;

std::string trimmed(const std::string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && s[a] == ' ')
        ++a;
    while (b > a && s[b - 1] == ' ')
        --b;
    return s.substr(a, b - a);
}

// message_text trimmed and, unless the effect keeps it for its caller, sent to the log.
void flush_message_text(const teffect& e) {
    message_text = trimmed(message_text);
    if (!message_text.empty() && e.keep_message == 0) {
        add_message(message_text);
        message_text.clear();
    }
}

// The player's being always sees itself.
bool player_sees(int being) {
    return is_being_ok(player) && (being == player || services.can_see(player, being, 0, 0) != 0);
}

bool valid_talent(int t) {
    return t >= 1 && t < int(talents.size());
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

// The talent's time, stamina and check; false when the check failed and the use ends.
bool charge_talent(int being, const teffect& e, int depth) {
    depth = trace_enter(depth, trace_charge_talent);
    const int t = e.talent;
    tbeing& b = beings[being];
    if (!make_talent_skill_check(being, t, depth)) {
        if (being == player) store_last_talent_use(being, t, e, get_first_being_in_effect(e), 0);
        if (player_sees(being))
            add_indicator(b.x, b.y, is_spell_talent(t) ? "spell failure" : "talent failure", failure_red,
                          true, being);
        return false;
    }
    const int time = valid_talent(t) ? talents[t].action_time : 0;
    b.next_action_time = game.game_clock + uint32_t(action_time(being, time));
    b.last_action_kind = action_talent_use;
    if (valid_talent(t)) adjust_stamina_amount(being, -int(talents[t].stamina), depth);
    if (valid_talent(t) && player_sees(being))
        add_indicator(b.x, b.y, lower(talents[t].name.str()), white, e.kind != ek_blink, being);
    return true;
}

void default_map_power(teffect& e, int origin) {
    if (e.power != 0 || !shape_is(map_shapes, e.shape)) return;
    const int depth_byte = level.index;
    if (origin >= 1 && e.source == es_talent)
        e.power = uint16_t(beings[origin].skill_of(3) + 20);
    else if (e.source == es_item_activate)
        e.power = uint16_t(random(depth_byte) + 20);
    else
        e.power = uint16_t(depth_byte + 20);
}

// Stores the effect for one being and applies it unless an equal live effect was refreshed.
void store_and_apply(const teffect& e, int depth) {
    depth = trace_enter(depth, trace_store_and_apply);
    const int idx = add_duration_effect(e, depth);
    if (idx < 1 || duration_effects[idx].refreshed != 0) return;
    teffect out;
    apply_effect(duration_effects[idx], depth, out);
    // The store may have grown the array: index again rather than hold a reference.
    duration_effects[idx] = out;
}

void dispatch(int being, teffect& e, int origin, int first, int depth) {
    depth = trace_enter(depth, trace_dispatch);
    if (has_immediate_handler(e.kind)) {
        run_immediate_handler(being, e, origin, first, depth);
        return;
    }
    const bool map_shape = shape_is(map_shapes, e.shape);
    if (e.duration == 0 || (is_dice_set(e.periodic_dice) && !map_shape)) {
        teffect out;
        apply_effect(e, depth, out);
        return;
    }
    if (map_shape) {
        add_duration_effect(e, depth);
        return;
    }
    if (e.target != 0) {
        store_and_apply(e, depth);
        return;
    }
    std::set<int> handled;
    for (int i = 1; i <= effect_cell_count; ++i) {
        const tcell_xy c = e.cell(i);
        if (c.x == 0 && c.y == 0) break;
        if (!on_map(c.x, c.y)) continue;
        const int b = cell_at(c.x, c.y).being;
        if (b < 1 || b >= int(beings.size()) || handled.count(b) != 0) continue;
        handled.insert(b);
        teffect one = e;
        one.target = uint16_t(beings[b].serial);
        store_and_apply(one, depth);
    }
}

void spend_charge(int being, const teffect& e, int depth) {
    depth = trace_enter(depth, trace_spend_charge);
    if (e.action_kind != action_item_use || e.used_item == 0 || !is_item_ok(e.used_item, being, 0)) return;
    titem& item = being_items[being][e.used_item];
    const bool device =
        has_item_flag(item, if_wand) || has_item_flag(item, if_horn) || has_item_flag(item, if_figurine);
    if (device && item.charges == 1) {
        remove_item_from_being(being, e.used_item, depth);
        if (player_sees(being)) {
            if (!message_text.empty()) message_text += " ";
            message_text += being == player ? "$F" : "$B";
            message_text += "After losing its last charge the device crumbles to dust!";
        }
    } else if (has_item_flag(item, if_wand) && item.charges > 0) {
        --item.charges;
    }
}

} // namespace

void handle_effect(int being, teffect effect, int depth) {
    depth = trace_enter(depth, trace_handle_effect);
    teffect& e = effect;
    e.range = uint16_t(roll_dice_for_being(e.range_dice, being));
    e.size = uint16_t(roll_dice_for_being(e.size_dice, being));

    if (e.cell(1).x == 0 && e.cell(1).y == 0 && is_being_ok(being)) {
        const tbeing& b = beings[being];
        if (e.shape == sh_self) {
            e = calculate_effect_coordinates(being, 0, 0, b.x, b.y, e, depth);
        } else if (shape_is(aimed_shapes, e.shape)) {
            if ((e.source == es_talent || e.source == es_item_activate) && being == player) {
                // The player aims first; the target mode runs the effect again with its cells.
                target_action_kind = e.action_kind;
                target_effect = e;
                target_init(being);
                target_effect = calculate_effect_coordinates(being, 0, 0, target_cursor_x, target_cursor_y,
                                                             target_effect, depth);
                game_mode = mode_target;
                return;
            }
            e = calculate_effect_coordinates(being, 0, 0, e.aim.x, e.aim.y, e, depth);
        } else if (e.shape == sh_seen_hostiles) {
            e = calculate_effect_coordinates(being, 0, 0, b.x, b.y, e, depth);
        }
    }
    if (game_mode == mode_target || game_mode == mode_talent) game_mode = mode_main;
    if (!is_being_ok(being, depth)) return;

    tbeing& b = beings[being];
    if (e.action_kind == action_item_use) {
        b.next_action_time = game.game_clock + uint32_t(action_time(being, 30));
        b.last_action_kind = action_item_use;
    } else if (e.action_kind == action_talent_use) {
        if (!charge_talent(being, e, depth)) return;
    }

    int origin = 0;
    if (e.source != es_trap) {
        e.origin = uint16_t(b.serial);
        origin = being;
    }
    if (e.animate_cells != 0 || e.animate_target != 0) animate_effect_area(e);
    if (e.graphic_index != 0) {
        const uint16_t image = effect_sprite_image(e.graphic_index);
        if (image != 0) e.graphic_frame = image;
    }

    const int first = get_first_being_in_effect(e);
    if (shape_is(target_being_shapes, e.shape) && first == 0) return;
    if (!shape_is(area_shapes, e.shape) && first >= 1) e.target = uint16_t(beings[first].serial);

    message_text = compose_effect_message(e);
    const std::string opening = message_text;

    roll_damage_for_being(e.damage_dice, origin, e.damage);
    e.duration = uint16_t(roll_dice_for_being(e.duration_dice, origin));
    e.power = uint16_t(roll_dice_for_being(e.power_dice, origin));
    default_map_power(e, origin);
    e.start_time = game.game_clock;
    e.expiry_time = game.game_clock + uint32_t(e.duration) * 15;

    dispatch(being, e, origin, first, depth);

    if (e.source == es_switch && !message_text.empty() && message_text == opening)
        message_text += " Nothing seems to happen.";
    if (is_being_ok(being)) spend_charge(being, e, depth);
    flush_message_text(e);

    if (being == player) {
        log_changed = true;
        if (e.action_kind == action_talent_use) store_last_talent_use(being, e.talent, e, first, 0);
    }
    if (e.action_kind == action_talent_use && valid_talent(e.talent) &&
        talents[e.talent].type == spell_talent_type && is_being_ok(being))
        check_sounds(being, 0, 0, depth, sound_spell);
}

void apply_effect(const teffect& effect, int depth, teffect& out) {
    depth = trace_enter(depth, trace_apply_effect);
    out = effect;
    const int origin = find_being_by_serial(out.origin);
    std::vector<int> handled;
    auto is_handled = [&](int b) { return std::find(handled.begin(), handled.end(), b) != handled.end(); };
    auto statuses = [&](int b) {
        if (valid_talent(out.talent) && talents[out.talent].kind == on_use_status_talent_kind)
            apply_talent_statuses(b, out.talent);
    };

    if (out.target == 0 || out.shape == sh_seen_hostiles) {
        for (int i = 1; i <= effect_cell_count; ++i) {
            const tcell_xy c = out.cell(i);
            if (c.x == 0 && c.y == 0) break;
            if (!on_map(c.x, c.y)) continue;
            const int b = cell_at(c.x, c.y).being;
            if (b >= 1 && b < int(beings.size())) {
                if (is_handled(b) || !is_being_ok(b)) continue;
                const tbeing& t = beings[b];
                if (t.present == 0 || t.health == 0 || t.dying() || has_type_flag(t, tf_spectator)) continue;
                teffect result;
                apply_effect_to_being(out, origin, b, depth, result);
                out = result;
                handled.push_back(b);
                statuses(b);
            } else if (out.kind == ek_damage && get_furniture(c.x, c.y) != fu_none) {
                teffect result;
                run_furniture_damage(origin, c.x, c.y, out, depth, result);
                out = result;
            }
        }
    } else {
        const int t = find_being_by_serial(out.target);
        if (t >= 1 && is_being_ok(t) && beings[t].present != 0 && !has_type_flag(beings[t], tf_spectator)) {
            teffect result;
            apply_effect_to_being(out, origin, t, depth, result);
            out = result;
            handled.push_back(t);
            statuses(t);
        }
    }
    flush_message_text(out);
    for (int b : handled) {
        if (b < int(beings.size()) && beings[b].serial != 0 && beings[b].dying()) {
            tdamage last = beings[b].last_damage;
            kill_being(b, last, depth);
        }
    }
    if (kind_is(stat_changing_kinds, out.kind)) {
        for (int b : handled)
            if (b < int(beings.size()) && beings[b].present != 0) beings[b].stats_dirty = 1;
    }
    out.keep_message = 0;
}

void apply_talent_statuses(int being, int talent) {
    if (!valid_talent(talent) || being < 1 || being >= int(beings.size())) return;
    for (int s = 1; s <= status_count; ++s)
        if (talents[talent].use_status_of(s) != 0) set_being_status(being, s, 1);
}

bool effect_harmful_for_being(int being, const teffect& effect, int duration_index, int) {
    const teffect& e = duration_index >= 1 && duration_index < int(duration_effects.size())
                           ? duration_effects[duration_index]
                           : effect;
    if (!kind_is(harmful_kinds, e.kind)) return false;
    if (being < 1 || being >= int(beings.size())) return true;
    const tbeing& b = beings[being];
    constexpr int poison_type = 11;
    switch (e.kind) {
    case ek_poison:
        return !(being_status(b, st_immunity_poison) != 0 || b.resistance_of(poison_type) >= e.damage.total);
    case ek_web:
        return being_status(b, st_immunity_web) == 0;
    case ek_slime:
        return being_status(b, st_immunity_slime) == 0;
    case ek_damage: {
        tdamage rolled = e.damage;
        roll_damage(e.damage_dice, rolled);
        return rolled.total >= 1 && damage_after_resistance(being, rolled) >= 1;
    }
    default:
        return true;
    }
}

int get_first_being_in_effect(const teffect& effect) {
    for (int i = 1; i <= effect_cell_count; ++i) {
        const tcell_xy c = effect.cell(i);
        if (c.x == 0 && c.y == 0) break;
        if (on_map(c.x, c.y) && cell_at(c.x, c.y).being != 0) return cell_at(c.x, c.y).being;
    }
    return 0;
}

bool is_being_in_target_effect(int being) {
    if (!is_being_ok(being)) return false;
    for (int i = 1; i <= effect_cell_count; ++i) {
        const tcell_xy c = target_effect.cell(i);
        if (c.x == 0 && c.y == 0) break;
        if (c.x == beings[being].x && c.y == beings[being].y) return true;
    }
    return false;
}

bool is_effect_seen_by(int being, const teffect& effect) {
    for (int i = 1; i <= effect_cell_count; ++i) {
        const tcell_xy c = effect.cell(i);
        if (c.x == 0 && c.y == 0) break;
        if (services.can_see(being, 0, c.x, c.y)) return true;
    }
    return false;
}

void handle_furniture_effect(int being, int x, int y, int kind, int depth) {
    depth = trace_enter(depth, trace_handle_furniture_effect);
    if (!on_map(x, y) || !is_being_ok(being)) return;
    teffect e = effect_template;
    e.source = es_switch;
    e.shape = sh_special;
    e.aim = {uint8_t(x), uint8_t(y)};
    e.origin = uint16_t(beings[being].serial);
    e.target = uint16_t(beings[being].serial);
    e.kind = uint8_t(kind);
    handle_effect(being, e, depth);
}

} // namespace dravok
