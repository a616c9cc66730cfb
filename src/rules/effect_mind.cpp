// Charm, confusion, possession and turned undead.
#include "rules/effect_mind.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"

#include <algorithm>
#include <string>

#include "rules/checks.h"
#include "rules/effect_support.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/followers.h"
#include "rules/quickslots.h"
#include "world/ai_tables.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/player.h"
#include "world/random.h"
#include "world/services.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

constexpr int magic_skill = 3;
constexpr int mind = 3, spirit = 4;
constexpr int mental_type = 4;
constexpr int charm_margin = 13, possess_margin = 10;
constexpr int min_charm_rounds = 20;
constexpr int charmed_liking_offset = 10;
constexpr int fearless_morale_row = 9;
constexpr int charm_delay = 30;
constexpr int hostile_attitude = -50;
constexpr int charm_animation = 18, confusion_animation = 19;
constexpr int possess_break_kind = 38;

enum mind_attempt { mind_charm, mind_confusion, mind_possess };

bool valid_being(int b) {
    return b >= 1 && b < int(beings.size());
}

bool mind_immune(const tbeing& b) {
    const bool category = b.category == tf_animal || b.category == tf_celestial || b.category == tf_fiend ||
                          b.category == tf_humanoid || b.category == tf_monstrosity;
    return !category || has_type_flag(b, tf_possessed) || has_type_flag(b, tf_summoned) ||
           has_type_flag(b, tf_charmed) || has_type_flag(b, tf_confused);
}

bool mind_test(int origin, int being, const teffect& e, mind_attempt attempt) {
    const tbeing& b = beings[being];
    const int v = ability_modifier(b.ability_of(mind)) + ability_modifier(b.ability_of(spirit)) +
                  b.resistance_of(mental_type) + (attempt == mind_possess ? possess_margin : charm_margin);
    if (attempt != mind_possess && e.source == es_item_activate) {
        const int p = (valid_being(origin) ? ability_modifier(beings[origin].ability_of(mind)) : 0) + e.power;
        return attempt == mind_charm ? v < p : v <= p;
    }
    return valid_being(origin) && skill_check_roll(origin, magic_skill, v);
}

// The outcome sentence: the prefix and the being's name in the format, untrimmed.
void tell(const char* prefix, const char* format, int being) {
    message_text += prefix + format_text(format, {being_name(being, name_the_capital)});
}

void neutralise(tbeing& b) {
    b.type_flags[tf_ignore_emotion_presets] = 1;
    b.type_flags[tf_good] = b.type_flags[tf_evil] = 0;
    b.type_flags[tf_neutral] = 1;
    b.type_flags[tf_has_oneliners] = 0;
    b.path = tpath{};
    std::fill(std::begin(b.situation), std::end(b.situation), uint8_t(0));
}

int first_possess_break_talent() {
    for (int t = 1; t < int(talents.size()) && t <= talent_count; ++t)
        if (talents[t].effect.kind == possess_break_kind) return t;
    return 0;
}

} // namespace

void apply_effect_charm(int origin, int being, const teffect& e, int depth, teffect&) {
    depth = trace_enter(depth, trace_apply_effect_charm);
    if (!valid_being(being) || being == origin || !valid_being(origin)) return;
    tbeing& b = beings[being];
    if (mind_immune(b)) {
        tell("$F", " %s is immune to your charm attempts!", being);
        float_over_being(being, "resists", colour_harm);
        return;
    }
    if (!mind_test(origin, being, e, mind_charm)) {
        tell("$F", " %s resists your charm attempts!", being);
        float_over_being(being, "resists", colour_harm);
        mind_probe_oneliner(origin, being);
        return;
    }
    tell("$S", " %s is charmed!", being);
    const int d = std::max(min_charm_rounds, roll_dice_for_being(e.periodic_dice, origin));
    b.charmer = beings[origin].serial;
    b.type_flags[tf_charmed] = 1;
    neutralise(b);
    b.charm_end = game.game_clock + uint32_t(d) * time_units_per_round;
    b.attack_memory = taction_memory{};
    b.talent_memory = taction_memory{};
    b.next_action_time = game.game_clock + charm_delay;
    for (int m = 0; m < morale_count; ++m)
        b.morale[m] = morale_table[fearless_morale_row][std::size_t(m)];
    services.clear_emotions(being);
    set_as_follower(being, origin, depth);
    const int k = services.find_emotion_entry(being, origin);
    if (k != 0) beings[being].attitude_of(k).value = int16_t(d - charmed_liking_offset);
    add_cell_animation(b.x, b.y, charm_animation, 2, 1);
    float_over_being(being, "charmed", colour_success);
}

void apply_effect_confusion(int origin, int being, const teffect& e, int, teffect&) {
    if (!valid_being(being) || being == origin) return;
    tbeing& b = beings[being];
    if (mind_immune(b)) {
        tell("$F", " %s is immune to your confusion attempts!", being);
        float_over_being(being, "resists", colour_harm);
        return;
    }
    if (!mind_test(origin, being, e, mind_confusion)) {
        tell("$F", " %s resists your confusion attempts!", being);
        float_over_being(being, "resists", colour_harm);
        return;
    }
    const int d = roll_dice_for_being(e.periodic_dice, origin);
    b.type_flags[tf_confused] = 1;
    neutralise(b);
    b.confusion_end = game.game_clock + uint32_t(d) * time_units_per_round;
    reset_being_path(being);
    const uint32_t origin_serial = valid_being(origin) ? uint32_t(beings[origin].serial) : 0;
    for (temotion& entry : b.attitude) {
        if (entry.serial == 0) continue;
        if (origin_serial != 0 && uint32_t(entry.serial) == origin_serial) {
            const int draw = random(60);
            entry.value = int16_t(50 - draw);
        } else {
            const int draw = random(40);
            entry.value = int16_t(draw - 50);
        }
    }
    tell("$S", " %s is confused!", being);
    add_cell_animation(b.x, b.y, confusion_animation, 2, 1);
    float_over_being(being, "confused", colour_success);
}

void apply_effect_possess(int, teffect& e, int origin, int first, int) {
    // Only the player's being can take over a body: a creature's possession would hand the
    // player's control to its victim.
    if (!valid_being(first) || !valid_being(origin) || first == origin || origin != player) return;
    tbeing& b = beings[first];
    if (mind_immune(b)) {
        tell("$F", " %s is immune to your possession attempts!", first);
        float_over_being(first, "resists", colour_harm);
        return;
    }
    if (!mind_test(origin, first, e, mind_possess)) {
        tell("$F", " %s resists your possession attempts!", first);
        float_over_being(first, "resists", colour_harm);
        mind_probe_oneliner(origin, first);
        return;
    }
    tell("$S", " %s is possessed!", first);
    tbeing& o = beings[origin];
    o.possessed = b.serial;
    o.commanded = 0;
    b.leader = o.serial;
    b.commanded = 1;
    b.type_flags[tf_possessed] = 1;
    b.type_flags[tf_has_oneliners] = 0;
    b.possession_end = game.game_clock + uint32_t(e.duration) * time_units_per_round;
    b.path = tpath{};
    b.attack_memory = taction_memory{};
    b.talent_memory = taction_memory{};
    player = first;
    state.travel_target = 0;
    services.clear_emotions(first);
    std::fill(std::begin(b.situation), std::end(b.situation), uint8_t(0));
    const int t = first_possess_break_talent();
    if (t != 0) b.talent_of(t) = 1;
    assign_quickslots(first); // the way out of the body, at a key
    add_cell_animation(b.x, b.y, charm_animation, 1, 1);
    float_over_being(first, "possessed", colour_success);
}

void apply_effect_possess_break(int, teffect&, int origin, int, int) {
    if (!valid_being(origin) || !has_type_flag(beings[origin], tf_possessed)) return;
    end_possession(origin);
    const int t = first_possess_break_talent();
    if (t != 0) beings[origin].talent_of(t) = 0;
    // A quickslot of the talent taken back would use a talent no longer held.
    for (int k = 1; k <= quickslot_count; ++k) {
        tquickslot& q = beings[origin].quickslot(k);
        if (t != 0 && q.kind == quickslot_talent && q.index == t) q = tquickslot{};
    }
    assign_quickslots(origin);
}

void apply_effect_turn_undead_followers_hostile(int, teffect& e, int, int, int depth) {
    depth = trace_enter(depth, trace_apply_effect_turn_undead_followers_hostile);
    const int t = find_being_by_serial(e.target);
    if (t < 1) return;
    int turned = 0;
    for (int i = 1; i < int(beings.size()); ++i) {
        const tbeing& b = beings[i];
        if (i == t || b.present == 0 || !has_type_flag(b, tf_undead) || b.master != beings[t].serial)
            continue;
        release_follower(i);
        services.remove_emotion_against_target(i, t, depth);
        services.update_emotion(i, t, hostile_attitude, depth, get_being_distance(i, t));
        ++turned;
    }
    if (turned == 0) return;
    if (t == player) {
        message_text += " Your undead followers turn against you!";
    } else {
        message_text += format_text(" The undead followers of %s turn against %s!",
                                    {being_name(t, name_the), gender_word("him", beings[t].gender)});
    }
}

} // namespace dravok
