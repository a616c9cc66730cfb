// The adjusting handlers. A lasting effect is applied again after each recomputation of the
// being, so a per-being handler adds its amount each time and speaks only on its first run.
#include "rules/effect_adjusting.h"
#include "records/layout_being.h"

#include <algorithm>
#include <array>

#include "rules/being_update.h"
#include "rules/damage.h"
#include "rules/effect_support.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/lasting_effects.h"
#include "rules/movement.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/experience_award.h"
#include "world/player.h"
#include "world/random.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

constexpr int search_skill = 6;
constexpr int max_surge_factor = 10;
constexpr int heroism_ability_bonus = 2;
constexpr int heroism_skill_bonus = 3;
constexpr int regeneration_amount = 3;
constexpr int body = 1, spirit = 4, melee = 4, ranged = 5;

// Statuses of raised and lowered skills, in skill order (disable .. stealth), by status name.
constexpr std::array<int, skill_count> increased_skill_status{
    st_increased_disable, st_increased_dodge,  st_increased_magic,  st_increased_melee,
    st_increased_ranged,  st_increased_search, st_increased_stealth};
constexpr std::array<int, skill_count> decreased_skill_status{
    st_decreased_disable, st_decreased_dodge,  st_decreased_magic,  st_decreased_melee,
    st_decreased_ranged,  st_decreased_search, st_decreased_stealth};

constexpr std::array<const char*, ability_count> stronger_formats{
    "%s %s stronger!", "%s %s more agile!", "%s %s more bright!", "%s %s more spirited!"};
constexpr std::array<const char*, ability_count> permanent_formats{
    "%s %s permanently stronger!", "%s %s permanently more agile!", "%s %s permanently more bright!",
    "%s %s permanently more spirited!"};

bool valid_being(int being) {
    return being >= 1 && being < int(beings.size());
}

void add_i8(int8_t& field, int amount) {
    field = int8_t(uint8_t(field) + uint8_t(amount));
}

void add_resistance(tbeing& b, int type, int amount) {
    at1(b.resistance, type) = int16_t(uint16_t(at1(b.resistance, type)) + uint16_t(amount));
    at1(b.temp_resistance, type) = int16_t(uint16_t(at1(b.temp_resistance, type)) + uint16_t(amount));
}

// The being's gender is its gender type flag.
const char* possessive(int gender) {
    return gender == tf_male ? "His" : gender == tf_female ? "Her" : "Its";
}

// Restore health and stamina share their steps: the amount, the sentence and the floating text.
int restore(int b, teffect& e, bool health, int depth) {
    depth = trace_enter(depth, trace_restore);
    tdamage rolled{};
    roll_damage(e.damage_dice, rolled);
    const int h =
        health ? adjust_health_amount(b, rolled.total, depth) : adjust_stamina_amount(b, rolled.total, depth);
    if (h > 0) {
        std::string text;
        if (b == player)
            text = format_text(
                health ? "Your health is restored %d points." : "Your stamina is restored %d points.", {h});
        else
            text = format_text(health ? "%s wounds are healed." : "%s stamina is restored.",
                               {std::string(possessive(beings[b].gender))});
        append_message(being_sentence(b, text, "", ""));
        float_over_being(b, std::to_string(h), colour_success);
    } else if (b == player && rolled.total > 0) {
        // Nothing was missing: said, or the use would pass without a word.
        append_message(health ? "Your health is already full." : "Your stamina is already full.");
    }
    return h;
}

} // namespace

void apply_effect_adjust_ability(int, int being, const teffect& e, int, teffect& out) {
    const int k = e.sub_type;
    if (!valid_being(being) || k < 1 || k > ability_count) return;
    tbeing& b = beings[being];
    const int a = e.damage.total;
    add_i8(b.ability_of(k), a);
    add_i8(at1(b.temp_ability_modifier, k), a);
    set_being_status(being, a >= 1 ? k : k + ability_count, 1);
    if (out.message_given != 0) return;
    const std::string name(dice_ability_names[k - 1]);
    if (a >= 1) append_message(being_sentence(being, stronger_formats[k - 1], "seems", "feel"));
    if (being == player)
        message_text +=
            format_text(" Your %s is set to %d for %d rounds.",
                        {capitalised(name), std::to_string(b.ability_of(k)), std::to_string(e.duration)});
    float_over_being(being, name + " " + signed_number_text(a), colour_success);
    out.message_given = 1;
}

void apply_effect_adjust_skill(int, int being, const teffect& e, int depth, teffect& out) {
    depth = trace_enter(depth, trace_apply_effect_adjust_skill);
    const int k = e.sub_type;
    if (!valid_being(being) || k < 1 || k > skill_count) return;
    tbeing& b = beings[being];
    const int a = e.damage.total;
    add_i8(b.skill_of(k), a);
    add_i8(at1(b.temp_skill_modifier, k), a);
    set_being_status(being, a >= 1 ? increased_skill_status[k - 1] : decreased_skill_status[k - 1], 1);
    if (out.message_given != 0) return;
    const std::string name(dice_skill_names[k - 1]);
    if (being == player)
        message_text +=
            format_text(" Your %s is set to %d for %d rounds.",
                        {capitalised(name), std::to_string(b.skill_of(k)), std::to_string(e.duration)});
    float_over_being(being, name + " " + signed_number_text(a), colour_success);
    out.message_given = 1;
    if (k == search_skill) enter_map_tile(being, depth);
}

void apply_effect_adjust_resistance(int, int being, const teffect& e, int, teffect& out) {
    if (!valid_being(being)) return;
    tbeing& b = beings[being];
    const int a = e.damage.total;
    int first = e.sub_type, last = e.sub_type;
    if (e.sub_type == 0) {
        first = 1;
        last = damage_type_count;
    } else if (e.sub_type <= physical_damage_types) {
        first = 1;
        last = physical_damage_types;
    }
    if (first < 1 || last > damage_type_count) return;
    for (int t = first; t <= last; ++t) {
        add_resistance(b, t, a);
        set_being_status(being, a > 0 ? st_increased_blunt - 1 + t : st_decreased_blunt - 1 + t, 1);
    }
    out.message_given = 1;
}

void apply_effect_adjust_movement(int, int being, const teffect& e, int, teffect& out) {
    if (!valid_being(being)) return;
    tbeing& b = beings[being];
    const int a = e.damage.total;
    add_i8(b.speed_bonus, a);
    set_being_status(being, a >= 1 ? st_increased_movement : st_decreased_movement, 1);
    if (out.message_given != 0) return;
    append_message(being_sentence(being, a >= 1 ? "%s %s faster!" : "%s %s slower!", "seems", "feel"));
    if (being == player)
        message_text += format_text(" Your movement speed is set to %d for %d rounds.",
                                    {int(b.speed_bonus), int(e.duration)});
    float_over_being(being, "movement " + signed_number_text(a), colour_success);
    out.message_given = 1;
}

void apply_effect_stoneskin(int, int being, const teffect& e, int, teffect& out) {
    if (!valid_being(being)) return;
    for (int t = 1; t <= physical_damage_types; ++t)
        add_resistance(beings[being], t, e.damage.total);
    out.message_given = 1;
}

void apply_effect_heroism(int, int being, const teffect&, int, teffect&) {
    if (!valid_being(being)) return;
    tbeing& b = beings[being];
    for (int k : {body, spirit}) {
        add_i8(b.ability_of(k), heroism_ability_bonus);
        add_i8(at1(b.temp_ability_modifier, k), heroism_ability_bonus);
    }
    for (int k : {melee, ranged}) {
        add_i8(b.skill_of(k), heroism_skill_bonus);
        add_i8(at1(b.temp_skill_modifier, k), heroism_skill_bonus);
    }
    for (int s : {st_increased_body, st_increased_spirit, st_increased_melee, st_increased_ranged})
        set_being_status(being, s, 1);
}

void apply_effect_mobility(int, int being, const teffect&, int, teffect&) {
    if (!valid_being(being)) return;
    set_being_status(being, st_immunity_web, 1);
    set_being_status(being, st_immunity_slime, 1);
}

void apply_effect_regeneration(int, int being, const teffect&, int, teffect& out) {
    if (!valid_being(being)) return;
    tbeing& b = beings[being];
    set_being_status(being, st_regenerating_health, 1);
    if (b.health_regen < regeneration_amount) b.health_regen = regeneration_amount;
    b.health_regen_delay = 1;
    if (out.message_given != 0) return;
    append_message(being_sentence(being, "%s %s regenerating!", "is", "are"));
    float_over_being(being, "regeneration", colour_success);
    out.message_given = 1;
}

void apply_effect_boost_ability(int being, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_boost_ability);
    const int k = e.sub_type;
    const int a = e.damage.total;
    if (!valid_being(being) || k < 1 || k > ability_count || a == 0) return;
    add_i8(beings[being].base_ability_of(k), a);
    const std::string sentence = being_sentence(being, permanent_formats[k - 1], "seems", "feel");
    if (!sentence.empty()) append_message("$E" + sentence);
    float_over_being(being, std::string(dice_ability_names[k - 1]) + " " + signed_number_text(a),
                     colour_success);
    update_being(being, depth);
}

void apply_effect_gain_experience(int being, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_gain_experience);
    if (!valid_being(being)) return;
    tbeing& b = beings[being];
    const int64_t threshold = experience_for_level(b.level + e.damage.total);
    // A pending level-up may already be past that threshold: never take experience away.
    const int64_t gain = std::max<int64_t>(0, threshold - int64_t(b.experience));
    if (gain == 0) return;
    b.experience += uint32_t(gain);
    const std::string sentence = being_sentence(being, "%s %s more experienced!", "seems", "feel");
    if (!sentence.empty()) append_message("$E" + sentence);
    float_over_being(being, format_text("%d XP", {int(gain)}), colour_experience);
    check_experience(player_character, depth);
}

void apply_effect_health_surge(int being, teffect&, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_health_surge);
    if (!is_being_ok(being)) return;
    tbeing& b = beings[being];
    const int s = b.stamina;
    adjust_stamina_amount(being, -s, depth);
    const int draw = random(3);
    const int r = std::min(max_surge_factor, ability_modifier(b.base_ability_of(body)) + draw + 4 +
                                                 ability_modifier(b.base_ability_of(spirit)));
    if (r < 1) return;
    const int h = adjust_health_amount(being, r * s / max_surge_factor, depth);
    if (h < 1) return;
    float_over_being(being, std::to_string(h), colour_success);
    append_message(
        being_sentence(being, " %s %s " + format_text("for %d points.", {h}), "is healed", "are healed"));
}

void apply_effect_restore_health(int, teffect& e, int, int first, int depth) {
    depth = trace_enter(depth, trace_apply_effect_restore_health);
    if (!valid_being(first)) return;
    restore(first, e, true, depth);
    const bool diseased = being_status(beings[first], st_diseased) != 0;
    remove_target_being_effects(first, ek_disease, depth);
    if (diseased) append_message(being_sentence(first, "%s %s no longer diseased.", "is", "are"));
    update_being(first, depth);
}

void apply_effect_restore_stamina(int, teffect& e, int, int first, int depth) {
    depth = trace_enter(depth, trace_apply_effect_restore_stamina);
    if (!valid_being(first)) return;
    restore(first, e, false, depth);
    update_being(first, depth);
}

void apply_effect_antidote(int being, teffect&, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_antidote);
    if (!valid_being(being)) return;
    const bool poisoned = being_status(beings[being], st_poisoned) != 0;
    remove_target_being_effects(being, ek_poison, depth);
    if (poisoned) {
        std::string out;
        action_sentence(being, being, "%s %s no longer poisoned.", out, "is", "are");
        append_message(out);
    }
    update_being(being, depth);
}

} // namespace dravok
