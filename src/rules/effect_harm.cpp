// Damage, poison, disease, restraints and die hard.
#include "rules/effect_harm.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"

#include <algorithm>

#include "rules/action_time.h"
#include "rules/after_damage.h"
#include "rules/area_switch.h"
#include "rules/chatter.h"
#include "rules/checks.h"
#include "rules/damage.h"
#include "rules/effect_support.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/lasting_effects.h"
#include "rules/map_effects.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/experience_award.h"
#include "world/game_clock.h"
#include "world/game_record.h"
#include "world/indicators.h"
#include "world/lasting_effects.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/services.h"
#include "world/tables.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

// What damage_being is told about where an effect's damage came from.
constexpr int damage_source_other = 0;
constexpr int damage_source_item = 1;
constexpr int damage_source_spell = 2;
constexpr int damage_source_trap = 3;
constexpr int damage_source_poison = 4;

constexpr int spell_talent_type = 4;
constexpr int dodge_skill = 2;
constexpr int poison_type = 11;
constexpr int body = 1, motion = 2, spirit = 4;
constexpr int magic_skill = 3, ranged_skill = 5;
constexpr int web_skill_penalty = 6;
constexpr int save_margin = 15;
constexpr int max_rescue_factor = 10;
constexpr int hostile_attitude = -50;
constexpr float dodged_part = 0.5f;
constexpr int fu_first_statue = 31, fu_last_statue = 35;
constexpr int holy_switch_factor = 20;
constexpr int switch_source = es_switch;

bool valid_being(int being) {
    return being >= 1 && being < int(beings.size());
}

int damage_source_of(const teffect& e) {
    if (e.source == es_talent && e.talent >= 1 && e.talent < int(talents.size()) &&
        talents[e.talent].type == spell_talent_type)
        return damage_source_spell;
    if (e.source == es_item_activate) return damage_source_item;
    if (e.source == es_trap) return damage_source_trap;
    return damage_source_other;
}

tdamage roll_for(const tdamage_dice& formula, int origin) {
    tdamage rolled{};
    roll_damage_for_being(formula, origin > 0 ? origin : 0, rolled);
    return rolled;
}

// Lowers the field by the amount, never below 1; the temporary modifier drops by all of it.
void lower_at_least_one(int8_t& current, int8_t& modifier, int amount) {
    const int lowered = int(current) - amount;
    current = int8_t(lowered < 1 ? 1 : lowered);
    modifier = int8_t(uint8_t(modifier) - uint8_t(amount));
}

// Poison and disease store one lasting record aimed at the being; false when it only refreshed.
bool store_infection(int being, const teffect& e, bool periodic, int depth) {
    depth = trace_enter(depth, trace_store_infection);
    teffect lasting = e;
    lasting.shape = sh_single;
    lasting.target = uint16_t(beings[being].serial);
    lasting.duration = uint16_t(roll_dice(e.periodic_dice));
    lasting.start_time = game.game_clock;
    if (periodic) lasting.next_tick = game.game_clock + time_units_per_round;
    lasting.expiry_time = game.game_clock + uint32_t(lasting.duration) * time_units_per_round;
    lasting.periodic_dice = tdice{};
    const int idx = add_duration_effect(lasting, depth);
    clear_effect_cells(idx);
    return !(idx >= 1 && idx < int(duration_effects.size()) && duration_effects[idx].refreshed != 0);
}

void not_affected(int being, const char* format) {
    if (has_type_flag(beings[being], tf_passive)) return;
    append_message(being_sentence(being, format, "is", "are"));
}

void note_infection(int being, const char* player_format, const char* other_format, const char* word) {
    std::string out;
    action_sentence(being, being, being == player ? player_format : other_format, out, "is", "are");
    append_message(out);
    float_over_being(being, word, colour_harm);
}

void poison_tick(int origin, int being, const teffect& e, int depth, teffect& out) {
    depth = trace_enter(depth, trace_poison_tick);
    tbeing& b = beings[being];
    const int h0 = b.health;
    tdamage result{};
    damage_being(being, origin, roll_for(e.damage_dice, origin), result, depth, damage_source_poison);
    after_damage(origin, being, h0, result.total, result, depth);
    std::string experience;
    std::string format;
    const std::string amount = "$F(" + damage_result_to_text(result) + ")$B";
    if (result.killed != 0) {
        award_experience_from_being(being, depth, experience);
        format = "%s %s killed by the poison effects! " + amount;
    } else if (result.total >= 1) {
        format = "%s %s damaged by the poison effects. " + amount;
    }
    std::string s;
    if (format.empty())
        action_sentence(being, being, "%s %s the poison effects", s, "resists", "resist");
    else
        action_sentence(being, being, format, s, "is", "are");
    if (!s.empty()) {
        append_message(s);
        append_message(experience);
    }
    if (result.killed != 0) {
        b.last_damage = result;
        out = effect_template;
    }
    set_being_status(being, st_poisoned, 1);
}

} // namespace

void apply_effect_damage(int origin, int being, const teffect& e, int depth, teffect&) {
    depth = trace_enter(depth, trace_apply_effect_damage);
    if (!valid_being(being)) return;
    tbeing& b = beings[being];
    if (being == player && e.source == es_talent && damage_source_of(e) == damage_source_spell &&
        message_text.find("cast") == std::string::npos && !shape_is(map_shapes, e.shape))
        message_text = "$NSomeone casts a spell at you!";
    const int h0 = b.health;
    tdamage rolled = roll_for(e.damage_dice, origin);
    const bool dodge_source = e.source == es_talent || e.source == es_trap || e.source == es_item_activate;
    if (dodge_source && shape_is(dodgeable_shapes, e.shape) &&
        skill_check_roll(being, dodge_skill, level.index / 3 + 12)) {
        tdamage scaled{};
        if (being_status(b, st_evasion) != 0) {
            scale_damage_result(rolled, scaled, 0.0f);
            message_text += "$B " + being_sentence(being, "%s %s it!", "dodges", "dodge");
        } else {
            scale_damage_result(rolled, scaled, dodged_part);
            message_text += "$B " + being_sentence(being, "%s %s it.", "partially dodges", "partially dodge");
        }
        rolled = scaled;
    }
    tdamage result{};
    damage_being(being, origin, rolled, result, depth, damage_source_of(e));
    after_damage(origin, being, h0, result.total, result, depth);
    std::string experience;
    if (result.killed != 0) award_experience_from_being(being, depth, experience);
    if (is_being_ok(player) && (being == player || services.can_see(player, being, 0, 0) != 0)) {
        const bool you = being == player;
        const std::string name = you ? "You" : being_name(being, name_the_capital);
        std::string text;
        if (result.total < 1) {
            text = format_text(" %s%s %s", {"$B", name, you ? "are not affected." : "is not affected."});
        } else {
            const bool destroyed = has_type_flag(b, tf_construct) || has_type_flag(b, tf_undead);
            const char* verb = result.killed == 0 ? (you ? "are damaged." : "is damaged.")
                               : destroyed        ? (you ? "are destroyed!" : "is destroyed!")
                                                  : (you ? "are killed!" : "is killed!");
            text = format_text(" %s%s %s %s(%s)%s",
                               {"$B", name, verb, "$F", damage_result_to_text(result), "$B"});
        }
        message_text = trimmed_text(trimmed_text(message_text) + text);
        if (!experience.empty()) message_text = trimmed_text(message_text + " " + experience);
        if (result.killed == 0 && !shape_is(map_shapes, e.shape) && valid_being(origin) &&
            has_type_flag(beings[origin], tf_player) &&
            services.emotion_hostile_since(being, origin) == game.game_clock)
            message_text += " " + being_name(being, name_the_capital) + " gets angry!";
    }
    if (result.killed != 0) b.last_damage = result;
}

void apply_effect_damage_furniture(int origin, int x, int y, const teffect& e, int depth, teffect& out) {
    depth = trace_enter(depth, trace_apply_effect_damage_furniture);
    if (!message_text.empty()) add_message(message_text);
    message_text.clear();
    if (!on_map(x, y)) return;
    const tcell& c = cell_at(x, y);
    const int hidden = c.hidden_creature;
    int b = 0;
    if (hidden >= 1 && hidden < int(being_plans.size()) &&
        being_plans[hidden].identifier.str().find("mimic") != std::string::npos)
        b = reveal_mimic(origin, x, y, depth);
    else if (c.furniture >= fu_first_statue && c.furniture <= fu_last_statue && hidden != 0)
        b = reveal_living_statue(origin, x, y, depth);
    if (b < 1) return;
    beings[b].next_action_time = game.game_clock + uint32_t(action_time(b, 30));
    apply_effect_damage(origin, b, e, depth, out);
}

void apply_effect_damage_undead(int user, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_damage_undead);
    if (e.source == switch_source) {
        parse_dice("1d3+1", e.size_dice);
        parse_damage("0, holy: 1d10+10 | per_dungeon_level: 2", e.damage_dice);
    }
    const int o = find_being_by_serial(e.origin);
    const int n = roll_dice(e.size_dice);
    int count = 0;
    // With no origin being there is no area to search: holy damage finds nobody.
    for (int i = 1; o >= 1 && count < n && i < int(beings.size()); ++i) {
        tbeing& t = beings[i];
        if (i == user || t.present == 0 || t.area != beings[o].area || !has_type_flag(t, tf_undead)) continue;
        const int h0 = t.health;
        tdamage rolled{};
        roll_damage(e.damage_dice, rolled);
        tdamage result{};
        damage_being(i, o, rolled, result, depth, damage_source_spell);
        ++count;
        if (result.total <= 0) continue;
        const std::string d = "$B($F" + damage_result_to_text(result) + "$B)";
        std::string s;
        action_sentence(i, 0, result.killed != 0 ? "%s is killed!" : "%s is damaged!", s, "", "");
        after_damage(o, i, h0, result.total, result, depth);
        std::string x;
        if (result.killed != 0) {
            award_experience_from_being(i, depth, x);
            kill_being(i, result, depth);
        }
        message_text = trimmed_text(message_text + " " + s + " " + d + " " + x);
    }
    if (user >= 1 && e.source == switch_source && valid_being(user) &&
        break_area_switch(beings[user].area, holy_switch_factor))
        message_text = trimmed_text(message_text + "$F The switch breaks!");
    // Undead destroyed may have carried light: the player's view of the level follows.
    if (user >= 1 && user == player) services.update_lights();
}

void apply_effect_poison(int origin, int being, const teffect& e, int depth, teffect& out) {
    depth = trace_enter(depth, trace_apply_effect_poison);
    if (!valid_being(being)) return;
    if (!is_dice_set(e.periodic_dice)) {
        poison_tick(origin, being, e, depth, out);
        return;
    }
    tbeing& b = beings[being];
    if (being_status(b, st_immunity_poison) != 0) {
        append_message(being_sentence(being, "%s %s immune to the poison.", "is", "are"));
        return;
    }
    const int save =
        roll_dice(d20_dice) + ability_modifier(b.ability_of(body)) + 2 * b.resistance_of(poison_type);
    if (max_damage(e.damage_dice, 0) + save_margin <= save) {
        not_affected(being, "%s %s not affected by the poison.");
        return;
    }
    if (store_infection(being, e, true, depth))
        note_infection(being, "$F%s %s poisoned!$B", "%s %s poisoned.", "poisoned");
    else
        message_text.clear();
    set_being_status(being, st_poisoned, 1);
}

void apply_effect_disease(int, int being, const teffect& e, int depth, teffect&) {
    depth = trace_enter(depth, trace_apply_effect_disease);
    if (!valid_being(being)) return;
    tbeing& b = beings[being];
    if (!is_dice_set(e.periodic_dice)) {
        set_being_status(being, st_diseased, 1);
        for (int k = 1; k <= ability_count; ++k) {
            lower_at_least_one(b.ability_of(k), at1(b.temp_ability_modifier, k), e.damage.total);
            set_being_status(being, k + ability_count, 1);
        }
        return;
    }
    // Either immunity keeps a disease out.
    if (being_status(b, st_immunity_disease) != 0 || being_status(b, st_immunity_poison) != 0) {
        append_message(being_sentence(being, "%s %s immune to the disease.", "is", "are"));
        return;
    }
    const int save = roll_dice(d20_dice) + ability_modifier(b.ability_of(body));
    if (max_damage(e.damage_dice, 0) + save_margin <= save) {
        not_affected(being, "%s %s not affected by the disease.");
        return;
    }
    if (store_infection(being, e, false, depth))
        note_infection(being, "$F%s %s diseased!$B", "%s %s diseased.", "diseased");
    else
        message_text.clear();
}

void apply_effect_slime(int, int being, const teffect& e, int, teffect&) {
    if (!valid_being(being)) return;
    tbeing& b = beings[being];
    if (being_status(b, st_immunity_slime) == 0) {
        lower_at_least_one(b.ability_of(motion), at1(b.temp_ability_modifier, motion), e.damage.total);
        set_being_status(being, st_caught_in_slime, 1);
        set_being_status(being, st_decreased_motion, 1);
    } else if (e.keep_message == 0) {
        const std::string s = being_sentence(being, "%s %s not affected by the slime.", "is", "are");
        if (!s.empty()) add_message(s);
    }
}

void apply_effect_web(int, int being, const teffect& e, int, teffect&) {
    if (!valid_being(being)) return;
    tbeing& b = beings[being];
    if (being_status(b, st_immunity_web) != 0) return;
    for (int s : {st_caught_in_web, st_decreased_motion, st_decreased_magic, st_decreased_ranged})
        set_being_status(being, s, 1);
    lower_at_least_one(b.ability_of(motion), at1(b.temp_ability_modifier, motion), e.damage.total);
    for (int k : {magic_skill, ranged_skill}) {
        b.skill_of(k) = int8_t(b.skill_of(k) - web_skill_penalty);
        at1(b.temp_skill_modifier, k) = int8_t(at1(b.temp_skill_modifier, k) - web_skill_penalty);
    }
}

void apply_effect_die_hard(int user, teffect&, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_die_hard);
    if (!is_being_ok(user)) return;
    tbeing& u = beings[user];
    const int s = u.stamina;
    adjust_stamina_amount(user, -s, depth);
    const int draw = random(3);
    const int r = std::clamp(draw + 1 + ability_modifier(u.base_ability_of(spirit)), 1, max_rescue_factor);
    const int h = adjust_health_amount(user, std::max(1, r * s / max_rescue_factor), depth);
    u.last_damage = tdamage{};
    animate_being(user);
    float_over_being(user, std::to_string(h), colour_success);
    if (user == player)
        message_text = trimmed_text("Wait... it is not over yet! " + message_text);
    else if (player_sees_being(user))
        message_text = trimmed_text("Wait... " + message_text);
    message_text = trimmed_text(message_text +
                                being_sentence(user, " %s %s back from the brink of death!", "gets", "get"));
    const int a = find_being_by_serial(u.last_damager);
    const bool attacker_ok = a >= 1 && a < int(beings.size());
    // A creature taunts its attacker on rising again; beasts and plants are not taunted.
    if (user != player && attacker_ok && !has_type_flag(beings[a], tf_animal) &&
        !has_type_flag(beings[a], tf_flora))
        add_oneliner(user, a, chat_uses_die_hard, depth, "", "");
    if (attacker_ok) {
        beings[a].last_killed = 0;
        beings[a].last_killed_plan = 0;
        beings[a].situation_of(6) = 0;
        beings[a].situation_of(8) = 2;
    }
    for (int i = 1; i < int(beings.size()); ++i) {
        tbeing& f = beings[i];
        if (f.serial == 0) continue;
        if (f.master == u.serial) {
            f.situation_of(13) = 0;
            if (user == player_character) f.situation_of(9) = 0;
        }
        if (u.last_damager != 0 && a >= 1 && f.master == beings[a].serial) f.situation_of(14) = 0;
    }
}

} // namespace dravok
