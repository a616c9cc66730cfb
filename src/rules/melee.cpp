// Melee attacks: every usable weapon hand, then every ready natural attack, each an opposed
// roll of 1d20 against the defender's defence, told in one log message.
#include "rules/melee.h"
#include "records/layout_game.h"

#include <algorithm>
#include <cstring>
#include <string>

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
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/experience_award.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/item_record.h"
#include "world/message_log.h"
#include "world/regeneration.h"

namespace dravok {

namespace {

constexpr int action_melee = 11;
constexpr int cause_melee = 1;
constexpr int lowest_hit = 8;
constexpr int melee_base_time = 15;
constexpr int natural_ready_base = 20;

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

namespace {

// The defence a blow meets: the defender's kind of defence and its value before the roll.
struct tmelee_defence {
    int kind = defence_dodge;
    int value = 0;
    int penalty = 0; // for standing among several foes
};

// A sleeping or helpless defender has no defence kind of its own; otherwise it dodges, blocks
// with its shield or parries with the hand whose defence is the best.
tmelee_defence melee_defence_of(int defender) {
    tmelee_defence d;
    const tbeing& D = beings[defender];
    if (D.asleep_counter > 0) {
        d.kind = defence_asleep;
    } else if (D.ability_of(2) == 0) {
        d.kind = defence_helpless;
    } else {
        d.value = D.skill_of(2);
        const tweapon_set& set = D.weapon_set;
        if (set.shield_held && set.melee_defence[1] > d.value) {
            d.value = set.melee_defence[1];
            d.kind = defence_block;
        }
        for (int h = 1; h <= hand_count; ++h) {
            if (set.melee[h - 1] && set.melee_defence[h - 1] > d.value) {
                d.value = set.melee_defence[h - 1];
                d.kind = h;
            }
        }
    }
    return d;
}

// The opposed roll of one blow: the attack total and the defence it meets.
void roll_melee_blow(const tattack_round& round, const tmelee_defence& d, int attack_value, bool weapon,
                     int& attack, int& defence) {
    int r = roll_dice(d20_dice);
    const int defence_bonus = weapon ? attack_defence_bonus(beings[round.defender]) : 0;
    if (d.kind == defence_asleep) {
        r = 20;
        defence = d.value;
    } else if (d.kind == defence_helpless) {
        r = 20;
        defence = d.value + defence_bonus;
    } else {
        const int second = roll_dice(d20_dice);
        defence = d.value + second + defence_bonus - d.penalty;
    }
    attack = r + attack_value + attack_hit_bonus(beings[round.attacker]);
}

// A blow that hit: its damage, then its hit effect on a defender still alive.
void land_melee_blow(tattack_round& round, tdamage& rolled, const teffect& hit_effect, int used_item) {
    strike(round, rolled, cause_melee);
    if (!round.result.killed && hit_effect.kind != 0)
        run_attack_hit_effect(round.attacker, round.defender, hit_effect, used_item, round.distance,
                              action_melee, true, round.depth);
}

// A blow with every hand whose weapon reaches the defender; true when one was struck.
bool strike_with_hands(tattack_round& round, const tmelee_defence& d) {
    const int attacker = round.attacker, defender = round.defender;
    bool struck_with_hand = false;
    for (int h = 1; h <= hand_count; ++h) {
        message_text.clear();
        const tweapon_set set = beings[attacker].weapon_set;
        if (!((round.distance <= 1 || set.reach[h - 1]) && set.melee[h - 1] && !round.killed)) continue;
        const titem item = weapon_hand_item(attacker, h);
        round.time_modifier = std::max<int>(round.time_modifier, set.speed[h - 1]);
        begin_blow(round, set.melee_damage[h - 1]);
        struck_with_hand = true;
        bool hit = false;
        int attack = 0, defence = 0;
        roll_melee_blow(round, d, set.melee_attack[h - 1], true, attack, defence);
        tdamage rolled;
        roll_attack_damage(true, attacker, defender, attack, defence, set.melee_damage_bonus[h - 1],
                           set.melee_damage[h - 1], item, rolled);
        round.result = tdamage{};
        if (attack >= lowest_hit && attack > defence) {
            hit = true;
            if (being_status(beings[attacker], st_elemental_melee))
                add_elemental_damage(rolled, one_dice, rolled);
            land_melee_blow(round, rolled, item.hit_effect, set.hand_item[h - 1]);
        }
        tell_blow(round, rolled.physical_type, hit, d.kind, item, attack, has_item_flag(item, if_vampiric));
    }
    return struck_with_hand;
}

// A blow with every ready natural attack that reaches; those of classes up to 9 only when no
// hand struck.
void strike_with_natural_attacks(tattack_round& round, const tmelee_defence& d, bool struck_with_hand) {
    const int attacker = round.attacker, defender = round.defender;
    for (int i = 1; i <= natural_attack_count; ++i) {
        message_text.clear();
        const tnatural_attack n = beings[attacker].natural_attack(i);
        if (n.attack_class < 1 || n.attack_class > 13 || round.killed || n.reach < round.distance ||
            n.ready_time > game.game_clock || (n.attack_class <= 9 && struck_with_hand)) {
            continue;
        }
        begin_blow(round, n.damage);
        bool hit = false;
        int attack = 0, defence = 0;
        roll_melee_blow(round, d, n.attack_bonus, false, attack, defence);
        tdamage rolled;
        roll_attack_damage(true, attacker, defender, attack, defence, beings[attacker].ability_modifier[0],
                           n.damage, blank_item, rolled);
        round.result = tdamage{};
        if (attack >= lowest_hit && attack > defence) {
            hit = true;
            land_melee_blow(round, rolled, n.hit_effect, 0);
        }
        note_natural_ready(round, i, natural_ready_base, n.time_multiplier);
        tell_blow(round, n.attack_class + 7, hit, d.kind, blank_item, attack, n.vampiric);
    }
}

} // namespace

void melee_attack(int attacker, int defender, int direction, int depth) {
    depth = trace_enter(depth, trace_melee_attack);
    if (!is_being_ok(attacker, depth) || !is_being_ok(defender, depth)) return;
    tmelee_defence d = melee_defence_of(defender);
    tattack_round round = begin_attack_round(attacker, defender, depth);
    d.penalty = surrounded_penalty(defender);

    const bool struck_with_hand = strike_with_hands(round, d);
    strike_with_natural_attacks(round, d, struck_with_hand);

    if (!round.killed && beings[attacker].weapon_set.hand_reaches)
        set_attack_order(attacker, defender, order_fire, sh_bolt, order_setup_ranged);
    const std::string experience =
        settle_attack(round, action_melee, melee_base_time, direction, sound_battle);
    finish_attack_round(round, experience);
}

void set_being_lunge(int attacker, int defender, int direction) {
    if (!is_being_ok(attacker, 0)) return;
    if (direction < 1 || direction > 8) direction = get_direction_between_beings(attacker, defender);
    beings[attacker].lunge_direction = uint8_t(direction);
    beings[attacker].lunge_timer = 0;
}

} // namespace dravok
