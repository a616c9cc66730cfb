// Melee attacks: every usable weapon hand, then every ready natural attack, each an opposed
// roll of 1d20 against the defender's defence, told in one log message.
#include "rules/melee.h"
#include "records/layout_game.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "ai/emotion.h"
#include "ai/sight.h"
#include "rules/action_time.h"
#include "rules/after_damage.h"
#include "rules/attack_common.h"
#include "rules/attack_damage.h"
#include "rules/attack_message.h"
#include "rules/damage.h"
#include "rules/effect_tables.h"
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
constexpr int cause_melee = 1;
constexpr int lowest_hit = 8;

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
            run_attack_hit_effect(attacker, defender, hit_effect, used_item, distance, action_melee, true,
                                  depth);
    };

    for (int h = 1; h <= hand_count; ++h) {
        message_text.clear();
        const tweapon_set set = A().weapon_set;
        if (!((distance <= 1 || set.reach[h - 1]) && set.melee[h - 1] && !killed)) continue;
        const titem item = weapon_hand_item(attacker, h);
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
        append_blow_sentence(message, sentence);
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
        append_blow_sentence(message, sentence);
        if (n.vampiric && result.total > 0) drain = true;
        killed = result.killed != 0;
    }

    if (!killed && A().weapon_set.hand_reaches)
        set_attack_order(attacker, defender, order_fire, sh_bolt, order_setup_ranged);
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
    finish_attack(attacker, defender, killed, drain, total, message, experience, result, depth);
}

void set_being_lunge(int attacker, int defender, int direction) {
    if (!is_being_ok(attacker, 0)) return;
    if (direction < 1 || direction > 8) direction = get_direction_between_beings(attacker, defender);
    beings[attacker].lunge_direction = uint8_t(direction);
    beings[attacker].lunge_timer = 0;
}

} // namespace dravok
