// Items, doors, traps and areas.
#include "rules/effect_things.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"

#include <string>

#include "generation/areas.h"
#include "rules/being_update.h"
#include "rules/checks.h"
#include "rules/effect_support.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/item_use.h"
#include "rules/sound.h"
#include "rules/traps.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/item_value.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/rounding.h"
#include "world/services.h"
#include "world/tables.h"

namespace dravok {

namespace {

constexpr int body_slot = 3;
constexpr int enchant_step = 15;
constexpr int max_elemental_enchantments = 2;
constexpr int weight_step_percent = 10;
constexpr int first_elemental_type = 4;
constexpr int fu_first_container = 12, fu_last_container = 30;
constexpr int fu_first_statue = 31, fu_last_statue = 35;
constexpr int door_sound = 5, alarm_sound = 14;
constexpr int best_d20 = 20;
constexpr int known_trap_difficulty = 30;
constexpr int trap_base_difficulty = 20;
constexpr double trap_skill_share = 0.75;
constexpr int near_miss = 10;
constexpr int disable_skill = 1, magic_skill = 3, mind = 3;
constexpr int ambush_mark_situation = 18, ambush_mark = 4;
constexpr int hostile_attitude = -50;

bool valid_user(int u) {
    return is_being_ok(u);
}

void nothing_happens(int user, const char* hint) {
    append_message("$FNothing seems to happen.");
    if (user == player) message_text += hint;
}

// The area the user stands in, 0 when it is not a valid area.
int user_area(int user) {
    if (!valid_user(user)) return 0;
    const int a = beings[user].area;
    return a >= 1 && a < int(areas.size()) ? a : 0;
}

template <typename F> void for_area_cells(int area, F f) {
    const tarea& a = areas[area];
    for (int x = a.x1; x <= a.x2; ++x)
        for (int y = a.y1; y <= a.y2; ++y)
            if (on_map(x, y) && cell_at(x, y).area == area) f(x, y, cell_at(x, y));
}

int door_kind(int kind, int first_kind) {
    return fu_door + (kind - first_kind);
}

// Places the trap of the template on the cell; its setter is the being (0 none).
void place_trap(int setter, int x, int y, int plan, int difficulty) {
    add_trap(setter, x, y, 0, 0, difficulty, plan);
}

} // namespace

void apply_effect_enchant_armor(int user, teffect&, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_enchant_armor);
    if (!valid_user(user)) return;
    const int a = beings[user].equipment[body_slot - 1];
    if (a == 0 || a >= int(being_items[user].size()) || being_items[user][a].plan == 0 ||
        being_items[user][a].plan >= item_plans.size()) {
        nothing_happens(user, " Maybe you should have equipped an armor first.");
        return;
    }
    titem& item = being_items[user][a];
    const int roll = d100();
    if (roll <= 100 - enchant_step * item.enchantment) {
        append_message("$S The armor glows radiantly! The enchantment was successful!");
        const int e = ++item.enchantment;
        item.flags[if_enchanted] = 1;
        const titem_plan& p = item_plans[item.plan];
        if (p.max_motion != 0)
            item.max_motion = uint8_t(p.max_motion + e + ((p.max_motion + e) % 2 != 0 ? 1 : 0));
        if (p.movement < 0) item.movement = int8_t(std::min(0, item.movement + e));
        std::string name;
        build_item_full_name(item, name);
        item.name = name;
        for (int t = 1; t <= 3; ++t)
            at1(item.resistance_modifier, t) = int16_t(at1(item.resistance_modifier, t) + 1);
        if (item.critical_attack != 0) ++item.critical_attack;
        if (item.critical_defence != 0) ++item.critical_defence;
        if (e > 0) {
            const int64_t w = int64_t(p.weight) - int64_t(e) * weight_step_percent * p.weight / 100;
            if (w > 0) item.weight = uint32_t(w);
        }
        item.value = calculate_item_value(item);
    } else {
        append_message("$F The armor can not contain the magic! It's destroyed!");
        adjust_item_amount(user, a, -1, depth);
    }
    update_being(user, depth);
}

void apply_effect_enchant_weapon(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_enchant_weapon);
    if (!valid_user(user)) return;
    tbeing& u = beings[user];
    auto held = [&](int slot) {
        const int i = slot >= 1 && slot <= equipment_slot_count ? u.equipment[slot - 1] : 0;
        return i != 0 && i < int(being_items[user].size()) && being_items[user][i].plan != 0 &&
                       being_items[user][i].plan < item_plans.size()
                   ? i
                   : 0;
    };
    const int main_slot = u.active_set;
    const int m = held(main_slot), o = held(main_slot + 1);
    if (m == 0 && o == 0) {
        nothing_happens(user, " Maybe you should have equipped a weapon or a shield first.");
        return;
    }
    int chosen =
        m == 0                                                                                         ? o
        : o == 0                                                                                       ? m
        : item_enchantment_total(being_items[user][m]) <= item_enchantment_total(being_items[user][o]) ? m
                                                                                                       : o;
    const int level_bonus = e.damage_dice.of(1).bonus;
    if (level_bonus == 0 && has_item_flag(being_items[user][chosen], if_shield)) {
        chosen = m;
        if (chosen == 0 || has_item_flag(being_items[user][chosen], if_shield)) {
            if (user == player) append_message("$FThis scroll can not be used for shields.");
            return;
        }
    }
    titem& item = being_items[user][chosen];
    const std::string word = has_item_flag(item, if_weapon)   ? "weapon"
                             : has_item_flag(item, if_shield) ? "shield"
                                                              : "item";
    const int roll = d100();
    const bool success = count_enchantments(item) <= max_elemental_enchantments &&
                         roll <= 100 - enchant_step * item_enchantment_total(item);
    if (!success) {
        append_message("$F" + format_text(" The %s can not contain the magic! It's destroyed!", {word}));
        adjust_item_amount(user, chosen, -item.amount, depth);
        update_being(user, depth);
        return;
    }
    append_message("$S" + format_text(" The %s glows radiantly! The enchantment was successful!", {word}));
    if (level_bonus > 0) {
        ++item.enchantment;
    } else if (e.kind == 62) {
        for (int t = first_elemental_type; t <= damage_type_count; ++t)
            if (e.damage_dice.of(t).bonus > 0)
                item.damage.of(t).bonus = int16_t(item.damage.of(t).bonus + e.damage_dice.of(t).bonus);
    } else {
        item.flags[if_vampiric] = 1;
    }
    item.flags[if_enchanted] = 1;
    if (item.critical_attack != 0) ++item.critical_attack;
    if (item.critical_defence != 0) ++item.critical_defence;
    if (has_item_flag(item, if_shield) && item.enchantment > 0) {
        const titem_plan& p = item_plans[item.plan];
        const int64_t w =
            int64_t(p.weight) - int64_t(item.enchantment) * weight_step_percent * p.weight / 100;
        if (w > 0) item.weight = uint32_t(w);
    }
    std::string name;
    build_item_full_name(item, name);
    item.name = name;
    item.value = calculate_item_value(item);
    update_being(user, depth);
}

void apply_effect_knock(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_knock);
    const int x = e.aim.x, y = e.aim.y;
    if (!valid_user(user) || !on_map(x, y)) return;
    const bool door = is_door(x, y, 0);
    if (!door && !is_closed_container(x, y)) return;
    const tbeing& u = beings[user];
    const int p = e.source == es_item_activate ? ability_modifier(u.ability_of(mind)) + e.power
                                               : best_d20 + u.skill_of(magic_skill);
    tcell& c = cell_at(x, y);
    if (p < c.lock) {
        append_message(door ? "$F The door resists opening!" : "$F The container resists opening!");
        return;
    }
    c.lock = 0;
    c.key_item = 0;
    c.furniture_state = 1;
    update_furniture_state(x, y);
    // A lockable door counts too: the area graph must not keep it locked.
    if (c.furniture >= fu_door && c.furniture <= fu_door_cell) update_area_door_states();
    if (c.furniture >= fu_first_container && c.furniture <= fu_last_container) c.contents_seen = 1;
    append_message(door ? "$S The door opens!" : "$S The container opens!");
    if (c.trap == 0)
        float_on_cell(x, y, "unlocked", colour_success);
    else
        spring_trap(user, x, y, depth);
}

void apply_effect_open_area_doors(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_open_area_doors);
    const int area = user_area(user);
    if (area == 0) return;
    const int f = door_kind(e.kind, 65);
    int opened = 0;
    for_area_cells(area, [&](int x, int y, tcell& c) {
        if (c.furniture != f || c.furniture_state != 0 || c.hidden_creature != 0) return;
        c.furniture_state = 1;
        update_furniture_state(x, y);
        check_sounds(user, x, y, depth, door_sound);
        if (user == player) float_on_cell(x, y, "creak", colour_doors);
        ++opened;
    });
    if (opened > 0) message_text += " Some doors suddenly open!";
    update_area_door_states();
}

void apply_effect_close_area_doors(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_close_area_doors);
    const int area = user_area(user);
    if (area == 0) return;
    const int f = door_kind(e.kind, 68);
    int closed = 0;
    for_area_cells(area, [&](int x, int y, tcell& c) {
        if (c.furniture != f || c.furniture_state != 1 || c.loose_items != 0 || c.being != 0 ||
            c.footprint != 0 || c.hidden_creature != 0)
            return;
        c.furniture_state = 0;
        update_furniture_state(x, y);
        check_sounds(user, x, y, depth, door_sound);
        if (user == player) float_on_cell(x, y, "wham", colour_doors);
        ++closed;
    });
    if (closed > 0) {
        message_text += " Some doors suddenly close!";
        update_area_door_states();
    }
}

void apply_effect_set_trap(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_set_trap);
    const int x = e.aim.x, y = e.aim.y;
    if (!valid_user(user) || !on_map(x, y)) return;
    const int kit = e.used_item;
    // Without a trap template to place there is nothing to set.
    if (e.item_type < 1 || e.item_type >= int(item_plans.size())) return;
    tcell& c = cell_at(x, y);
    if (c.trap_difficulty < 0) {
        add_message("$FThere is already a trap at that spot!");
        return;
    }
    if (c.trap_difficulty > 0) {
        add_message("$FThere was already a trap at that spot! It springs!");
        spring_trap(user, x, y, depth);
        return;
    }
    const tbeing& u = beings[user];
    const int k =
        kit >= 1 && kit < int(being_items[user].size()) ? being_items[user][kit].device_difficulty : 0;
    const int r = roll_dice(d20_dice) + u.skill_of(disable_skill);
    if (r >= k) {
        if (kit >= 1) adjust_item_amount(user, kit, -1, depth);
        int difficulty = round_half_even(u.skill_of(disable_skill) * trap_skill_share) + trap_base_difficulty;
        if (difficulty < 0) difficulty = 1;
        place_trap(user, x, y, e.item_type, difficulty);
        if (user == player) {
            c.trap_difficulty = int8_t(-c.trap_difficulty);
            add_message("$SYou set up a trap.");
        }
        return;
    }
    if (user != player) return;
    if (r > k - near_miss) {
        add_message("$FYou fail to set the trap!");
        return;
    }
    add_message("$FYou fail to set the trap and it springs!");
    if (kit >= 1) adjust_item_amount(user, kit, -1, depth);
    place_trap(user, u.x, u.y, e.item_type, known_trap_difficulty);
    spring_trap(user, u.x, u.y, depth);
}

void apply_effect_reveal(int user, teffect&, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_reveal);
    const int area = user_area(user);
    if (area == 0) return;
    int vanished = 0;
    for_area_cells(area, [&](int x, int y, tcell& c) {
        if (c.furniture != fu_wall_disappearing) return;
        const int k = get_area_floor_neighbour_kind(x, y);
        if (k <= 0) return;
        c.block = uint8_t(k);
        c.block_variant = 0;
        c.furniture = 0;
        c.furniture_state = 0;
        services.minimap_cell_changed(x, y);
        animate_cell(x, y);
        ++vanished;
    });
    if (vanished > 0) {
        const tarea& a = areas[area];
        for (int z = vz_first_ambush; z <= vz_last_ambush; ++z) {
            const tzone_rect& r = at1(a.zones, z);
            if (r.x == 0) continue;
            for (int b = 1; b < int(beings.size()); ++b) {
                tbeing& t = beings[b];
                if (!is_being_ok(b) || t.present == 0) continue;
                if (t.x < r.x || t.x > r.x + r.width - 1 || t.y < r.y || t.y > r.y + r.height - 1) continue;
                t.situation_of(ambush_mark_situation) = ambush_mark;
                t.asleep_counter = 0;
                t.idle_turns = 0;
                services.ai_see(b, depth);
                services.update_emotion(b, user, hostile_attitude, depth, get_being_distance(b, user));
            }
        }
    }
    calculate_area_exits();
    update_area_door_states();
}

void apply_effect_transform(int user, teffect&, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_transform);
    const int area = user_area(user);
    if (area == 0) return;
    for_area_cells(area, [&](int x, int y, tcell& c) {
        const int hidden = c.hidden_creature;
        if (hidden == 0) return;
        if (c.furniture >= fu_first_statue && c.furniture <= fu_last_statue)
            reveal_living_statue(user, x, y, depth);
        else if (c.furniture == fu_coffin || c.furniture == fu_sarcophagus)
            reveal_coffin_being(user, x, y, depth);
        else if (hidden < int(being_plans.size()) &&
                 being_plans[hidden].identifier.str().find("mimic") != std::string::npos)
            reveal_mimic(user, x, y, depth);
    });
}

void apply_effect_alarm(int user, teffect&, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_alarm);
    if (!valid_user(user)) return;
    if (user == player) message_text += " A loud alarm is heard!";
    check_sounds(user, beings[user].x, beings[user].y, depth, alarm_sound);
    float_over_being(user, "alarm", colour_alarm);
}

} // namespace dravok
