// Melee attacks: every usable weapon hand, then every ready natural attack, each an opposed
// roll of 1d20 against the defender's defence, told in one log message.
#include "rules/melee.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "ai/emotion.h"
#include "ai/sight.h"
#include "rules/action_time.h"
#include "rules/after_damage.h"
#include "rules/attack_damage.h"
#include "rules/attack_message.h"
#include "rules/damage.h"
#include "rules/effects.h"
#include "rules/sound.h"
#include "rules/targeting.h"
#include "world/being.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/experience_award.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/item_record.h"
#include "world/message_log.h"
#include "world/regeneration.h"

namespace dravok {

namespace {

constexpr int action_melee = 11;
constexpr int sound_battle = 9;
constexpr int cause_melee = 1;
constexpr int lowest_hit = 8;

std::string trimmed(const std::string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && s[a] == ' ')
        ++a;
    while (b > a && s[b - 1] == ' ')
        --b;
    return s.substr(a, b - a);
}

void append_sentence(std::string& message, const std::string& sentence) {
    message = trimmed(message + " " + sentence);
    if (!message_text.empty()) message = trimmed(message + " " + "$B" + message_text);
}

// The item a hand holds, or the blank item.
titem hand_item(int being, int hand) {
    const int index = beings[being].weapon_set.hand_item[hand - 1];
    if (index >= 1 && being < int(being_items.size()) && index < int(being_items[being].size()) &&
        being_items[being][index].plan != 0) {
        return being_items[being][index];
    }
    return blank_item;
}

// A hit effect of a weapon or natural attack, aimed at the defender's cell.
void run_hit_effect(int attacker, int defender, const teffect& source, int used_item, int distance,
                    int depth) {
    depth = trace_enter(depth, trace_run_hit_effect);
    teffect effect = source;
    effect.action_kind = action_melee;
    effect.used_item = uint16_t(used_item);
    effect.aim = {beings[defender].x, beings[defender].y};
    effect.cell(1) = effect.aim;
    effect.cell(2) = {0, 0};
    make_fixed_dice(distance, effect.range_dice);
    effect.keep_message = 1;
    handle_effect(attacker, effect, depth);
}

// "You are healed for 2 points." / "The goblin is healed for 2 points."; empty when unseen.
std::string healed_sentence(int being, int points) {
    if (!is_being_ok(player, 0) || !can_see(player, being, 0, 0)) return {};
    const bool is_player = has_type_flag(beings[being], tf_player);
    const std::string subject = is_player ? "You" : being_name(being, name_the_capital);
    return subject + (is_player ? " are healed" : " is healed") + " for " + std::to_string(points) +
           " points.";
}

} // namespace

bool can_natural_melee_attack(int attacker, int defender, int depth) {
    depth = trace_enter(depth, trace_can_natural_melee_attack);
    if (!is_being_ok(attacker, depth) || !is_being_ok(defender, depth)) return false;
    for (int i = 1; i <= natural_attack_count; ++i) {
        const tnatural_attack& n = beings[attacker].natural_attack(i);
        if (n.attack_class >= 1 && n.attack_class <= 13 && n.ready_time <= game.game_clock) return true;
    }
    return false;
}

void melee_attack(int attacker, int defender, int direction, int depth) {
    depth = trace_enter(depth, trace_melee_attack);
    if (!is_being_ok(attacker, depth) || !is_being_ok(defender, depth)) return;
    // Hit effects may add beings and move the array: every use looks the records up anew.
    auto A = [&]() -> tbeing& { return beings[attacker]; };
    auto D = [&]() -> tbeing& { return beings[defender]; };

    int d0 = 0;
    int kind = defence_dodge;
    if (D().asleep_counter > 0) {
        kind = defence_asleep;
    } else if (D().ability_of(2) == 0) {
        kind = defence_helpless;
    } else {
        d0 = D().skill_of(2);
        const tweapon_set& set = D().weapon_set;
        if (set.shield_held && set.melee_defence[1] > d0) {
            d0 = set.melee_defence[1];
            kind = defence_block;
        }
        for (int h = 1; h <= hand_count; ++h) {
            if (set.melee[h - 1] && set.melee_defence[h - 1] > d0) {
                d0 = set.melee_defence[h - 1];
                kind = h;
            }
        }
    }

    const int health_before = D().health;
    const int penalty = surrounded_penalty(defender);
    const int distance = get_being_distance(attacker, defender);
    int time_modifier = 0;
    int total = 0;
    tdamage result{};
    bool struck_with_hand = false, killed = false, drain = false, damaged_asleep = false;
    uint32_t earliest_ready = 0;
    std::string message;
    uint8_t saved[5];
    std::memcpy(saved, A().attack_modifiers, sizeof saved);

    // The opposed roll of one blow: the attack total and the defence it meets.
    auto roll = [&](int attack_value, bool weapon, int& attack, int& defence) {
        int r = roll_dice(d20_dice);
        const int defence_bonus = weapon ? attack_defence_bonus(D()) : 0;
        if (kind == defence_asleep) {
            r = 20;
            defence = d0;
        } else if (kind == defence_helpless) {
            r = 20;
            defence = d0 + defence_bonus;
        } else {
            const int second = roll_dice(d20_dice);
            defence = d0 + second + defence_bonus - penalty;
        }
        attack = r + attack_value + attack_hit_bonus(A());
    };
    auto apply_hit = [&](tdamage& rolled, const teffect& hit_effect, int used_item) {
        const bool asleep = D().asleep_counter != 0;
        damage_being(defender, attacker, rolled, result, depth, cause_melee);
        if (asleep && result.total > 0) damaged_asleep = true;
        total += result.total;
        if (!result.killed && hit_effect.kind != 0)
            run_hit_effect(attacker, defender, hit_effect, used_item, distance, depth);
    };

    for (int h = 1; h <= hand_count; ++h) {
        message_text.clear();
        const tweapon_set set = A().weapon_set;
        if (!((distance <= 1 || set.reach[h - 1]) && set.melee[h - 1] && !killed)) continue;
        const titem item = hand_item(attacker, h);
        time_modifier = std::max<int>(time_modifier, set.speed[h - 1]);
        std::memcpy(A().attack_modifiers, saved, sizeof saved);
        apply_against_bonuses(attacker, defender, set.melee_damage[h - 1]);
        struck_with_hand = true;
        bool hit = false;
        int attack = 0, defence = 0;
        roll(set.melee_attack[h - 1], true, attack, defence);
        tdamage rolled;
        roll_attack_damage(true, attacker, defender, attack, defence, set.melee_damage_bonus[h - 1],
                           set.melee_damage[h - 1], item, rolled);
        result = tdamage{};
        if (attack >= lowest_hit && attack > defence) {
            hit = true;
            if (being_status(A(), st_elemental_melee)) add_elemental_damage(rolled, one_dice, rolled);
            apply_hit(rolled, item.hit_effect, set.hand_item[h - 1]);
        }
        std::string sentence;
        compose_attack_message(attacker, defender, rolled.physical_type, sentence, result, hit, kind, item,
                               attack);
        append_sentence(message, sentence);
        if (has_item_flag(item, if_vampiric) && result.total > 0) drain = true;
        killed = result.killed != 0;
    }

    for (int i = 1; i <= natural_attack_count; ++i) {
        message_text.clear();
        const tnatural_attack n = A().natural_attack(i);
        if (n.attack_class < 1 || n.attack_class > 13 || killed || n.reach < distance ||
            n.ready_time > game.game_clock || (n.attack_class <= 9 && struck_with_hand)) {
            continue;
        }
        std::memcpy(A().attack_modifiers, saved, sizeof saved);
        apply_against_bonuses(attacker, defender, n.damage);
        bool hit = false;
        int attack = 0, defence = 0;
        roll(n.attack_bonus, false, attack, defence);
        tdamage rolled;
        roll_attack_damage(true, attacker, defender, attack, defence, A().ability_modifier[0], n.damage,
                           blank_item, rolled);
        result = tdamage{};
        if (attack >= lowest_hit && attack > defence) {
            hit = true;
            apply_hit(rolled, n.hit_effect, 0);
        }
        const uint32_t ready =
            game.game_clock + uint32_t(action_time_mult(attacker, 20, n.time_multiplier, true));
        A().natural_attack(i).ready_time = ready;
        if (earliest_ready == 0 || ready < earliest_ready) earliest_ready = ready;
        std::string sentence;
        compose_attack_message(attacker, defender, n.attack_class + 7, sentence, result, hit, kind,
                               blank_item, attack);
        append_sentence(message, sentence);
        if (n.vampiric && result.total > 0) drain = true;
        killed = result.killed != 0;
    }

    if (!killed && A().weapon_set.hand_reaches) set_attack_order(attacker, defender, 13, 4, 12);
    const std::string experience = killed ? award_experience_from_being(defender, depth) : std::string();

    std::memcpy(A().attack_modifiers, saved, sizeof saved);
    A().last_action_kind = action_melee;
    after_damage(attacker, defender, health_before, total, result, depth);

    uint32_t next = game.game_clock + uint32_t(action_time(attacker, 15 + time_modifier, true));
    if (time_modifier == 0 && next < earliest_ready) next = attack_recovery_time(attacker, earliest_ready);
    A().next_action_time = next;
    set_being_lunge(attacker, defender, direction);
    // A blow that struck the defender in its sleep makes no sound of battle.
    if (!damaged_asleep) check_sounds(attacker, 0, 0, depth, sound_battle);
    if (A().present) reset_regeneration_countdown(attacker, true, true);
    if (D().present) reset_regeneration_countdown(defender, true, true);

    if (!killed && is_being_ok(player, 0) && can_see(player, defender, 0, 0)) {
        if (get_angry(defender, attacker, false) && !message.empty())
            message += " " + being_name(defender, name_the_capital) + " gets angry!";
    }
    if (drain && A().present && !has_type_flag(D(), tf_construct) && !has_type_flag(D(), tf_undead) &&
        A().health < A().health_max) {
        const int points = std::clamp(total / 10, 1, 3);
        adjust_health_amount(attacker, points, depth);
        const std::string healed = healed_sentence(attacker, points);
        if (!healed.empty()) message += " " + healed;
    }
    message = trimmed(message + " " + experience);
    if (!message.empty()) add_message(message);
    message_text.clear();
    if (killed && is_being_ok(defender, depth)) kill_being(defender, result, depth);
}

void set_being_lunge(int attacker, int defender, int direction) {
    // not built yet: the lunge is noted on the attacker but not drawn nor taken back
    if (!is_being_ok(attacker, 0)) return;
    if (direction == 0) direction = get_direction_between_beings(attacker, defender);
    beings[attacker].lunge_direction = uint8_t(direction);
}

} // namespace dravok
