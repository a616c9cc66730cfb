// Shared parts of the attacks.
#include "rules/attack_common.h"
#include "records/layout_base.h"
#include "records/layout_being.h"
#include "records/layout_game.h"

#include <algorithm>
#include <cstring>

#include "rules/action_time.h"
#include "rules/after_damage.h"
#include "rules/attack_damage.h"
#include "rules/attack_message.h"
#include "rules/damage.h"
#include "rules/effects.h"
#include "rules/melee.h"
#include "rules/sound.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/experience_award.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/item_record.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/regeneration.h"
#include "world/services.h"

namespace dravok {

namespace {

constexpr int drain_divisor = 10, drain_least = 1, drain_most = 3;

// Only blanks are cut: a companion's death text keeps its leading line break.
std::string trimmed(const std::string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && s[a] == ' ')
        ++a;
    while (b > a && s[b - 1] == ' ')
        --b;
    return s.substr(a, b - a);
}

// "You are healed for 2 points." / "The goblin is healed for 2 points."; empty when unseen.
std::string healed_sentence(int being, int points) {
    if (!is_being_ok(player, 0) || !services.can_see(player, being, 0, 0)) return {};
    const bool is_player = has_type_flag(beings[being], tf_player);
    const std::string subject = is_player ? "You" : being_name(being, name_the_capital);
    return subject + (is_player ? " are healed" : " is healed") + " for " + std::to_string(points) +
           " points.";
}

} // namespace

tattack_round begin_attack_round(int attacker, int defender, int depth) {
    tattack_round round;
    round.attacker = attacker;
    round.defender = defender;
    round.depth = depth;
    round.health_before = beings[defender].health;
    round.distance = get_being_distance(attacker, defender);
    std::memcpy(round.saved_modifiers, beings[attacker].attack_modifiers, sizeof round.saved_modifiers);
    return round;
}

void begin_blow(tattack_round& round, const tdamage_dice& damage) {
    std::memcpy(beings[round.attacker].attack_modifiers, round.saved_modifiers, sizeof round.saved_modifiers);
    apply_against_bonuses(round.attacker, round.defender, damage);
}

void strike(tattack_round& round, tdamage& rolled, int cause) {
    const bool asleep = beings[round.defender].asleep_counter != 0;
    damage_being(round.defender, round.attacker, rolled, round.result, round.depth, cause);
    if (asleep && round.result.total > 0) round.damaged_asleep = true;
    round.total += round.result.total;
}

void note_natural_ready(tattack_round& round, int index, int base_time, int time_multiplier) {
    const uint32_t ready =
        game.game_clock + uint32_t(action_time_mult(round.attacker, base_time, time_multiplier, true));
    beings[round.attacker].natural_attack(index).ready_time = ready;
    if (round.earliest_ready == 0 || ready < round.earliest_ready) round.earliest_ready = ready;
}

void tell_blow(tattack_round& round, int verb_group, bool hit, int defence_kind, const titem& item,
               int attack, bool vampiric) {
    std::string sentence;
    compose_attack_message(round.attacker, round.defender, verb_group, sentence, round.result, hit,
                           defence_kind, item, attack);
    append_blow_sentence(round.message, sentence);
    if (vampiric && round.result.total > 0) round.drain = true;
    round.killed = round.result.killed != 0;
}

std::string settle_attack(tattack_round& round, int action_kind, int base_time, int direction,
                          int sound_kind) {
    const int attacker = round.attacker, defender = round.defender, depth = round.depth;
    const std::string experience =
        round.killed ? award_experience_from_being(defender, depth) : std::string();
    std::memcpy(beings[attacker].attack_modifiers, round.saved_modifiers, sizeof round.saved_modifiers);
    beings[attacker].last_action_kind = uint8_t(action_kind);
    after_damage(attacker, defender, round.health_before, round.total, round.result, depth);

    uint32_t next = game.game_clock + uint32_t(action_time(attacker, base_time + round.time_modifier, true));
    if (round.time_modifier == 0 && next < round.earliest_ready)
        next = attack_recovery_time(attacker, round.earliest_ready);
    beings[attacker].next_action_time = next;
    set_being_lunge(attacker, defender, direction);
    // A blow that struck the defender in its sleep makes no sound of battle.
    if (!round.damaged_asleep) check_sounds(attacker, 0, 0, depth, sound_kind);
    return experience;
}

void finish_attack_round(tattack_round& round, const std::string& experience) {
    finish_attack(round.attacker, round.defender, round.killed, round.drain, round.total, round.message,
                  experience, round.result, round.depth);
}

titem weapon_hand_item(int being, int hand) {
    const int index = beings[being].weapon_set.hand_item[hand - 1];
    if (index >= 1 && being < int(being_items.size()) && index < int(being_items[being].size()) &&
        being_items[being][index].plan != 0) {
        return being_items[being][index];
    }
    return blank_item;
}

void run_attack_hit_effect(int attacker, int defender, const teffect& source, int used_item, int distance,
                           int action_kind, bool list_aim, int depth) {
    depth = trace_enter(depth, trace_run_attack_hit_effect);
    teffect effect = source;
    effect.action_kind = uint8_t(action_kind);
    effect.used_item = uint16_t(used_item);
    effect.aim = {beings[defender].x, beings[defender].y};
    effect.cell(1) = list_aim ? effect.aim : tcell_xy{0, 0};
    if (list_aim) effect.cell(2) = {0, 0};
    make_fixed_dice(distance, effect.range_dice);
    effect.keep_message = 1;
    handle_effect(attacker, effect, depth);
}

void append_blow_sentence(std::string& message, const std::string& sentence) {
    message = trimmed(message + " " + sentence);
    if (!message_text.empty()) message = trimmed(message + " " + "$B" + message_text);
}

void finish_attack(int attacker, int defender, bool killed, bool drain, int total, std::string message,
                   const std::string& experience, tdamage& result, int depth) {
    depth = trace_enter(depth, trace_finish_attack);
    auto A = [&]() -> tbeing& { return beings[attacker]; };
    auto D = [&]() -> tbeing& { return beings[defender]; };
    if (A().present) reset_regeneration_countdown(attacker, true, true);
    if (D().present) reset_regeneration_countdown(defender, true, true);

    if (!killed && is_being_ok(player, 0) && services.can_see(player, defender, 0, 0)) {
        if (services.get_angry(defender, attacker, false) && !message.empty())
            message += " " + being_name(defender, name_the_capital) + " gets angry!";
    }
    if (drain && A().present && !has_type_flag(D(), tf_construct) && !has_type_flag(D(), tf_undead) &&
        A().health < A().health_max) {
        const int points = std::clamp(total / drain_divisor, drain_least, drain_most);
        adjust_health_amount(attacker, points, depth);
        const std::string healed = healed_sentence(attacker, points);
        if (!healed.empty()) message += " " + healed;
    }
    message = trimmed(message + " " + experience);
    if (!message.empty()) add_message(message);
    message_text.clear();
    if (killed && is_being_ok(defender, depth)) kill_being(defender, result, depth);
}

} // namespace dravok
