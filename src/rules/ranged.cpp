// Ranged attacks: every hand with a launcher (one shot per call) or throwing weapon in reach,
// then every ready ranged natural attack, each an opposed roll of 1d20, told in one log message.
#include "rules/ranged.h"
#include "records/layout_game.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "rules/action_time.h"
#include "rules/after_damage.h"
#include "rules/attack_common.h"
#include "rules/attack_damage.h"
#include "rules/attack_message.h"
#include "rules/being_update.h"
#include "rules/damage.h"
#include "rules/effect_support.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/equipment.h"
#include "rules/melee.h"
#include "rules/sound.h"
#include "rules/targeting.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/experience_award.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/random.h"
#include "world/rounding.h"
#include "world/services.h"

namespace dravok {

namespace {

constexpr int action_ranged = 12;
constexpr int lowest_hit = 10;
constexpr int verb_shoot = 5, verb_throw = 6;
constexpr int launcher_defence_drop = 15, throw_defence_drop = 5;
constexpr int helpless_bonus = 10;
constexpr int point_blank_penalty = 5;
constexpr int ranged_skill = 5, dodge_skill = 2, motion = 2;
constexpr int first_ranged_class = 14, last_ranged_class = 20;
constexpr int base_time = 15;
constexpr int natural_ready_base = 20;
constexpr int ammo_kept_chance = 70;
constexpr int low_ammo_count = 31;
constexpr uint32_t shot_line_colour = 0xBBBBBB;
constexpr uint32_t warning_red = 0xFF3030, notice_blue = 0x9999FF;

// The shape each ranged natural attack class strikes with (classes 14..20).
constexpr std::array<int, last_ranged_class + 1> ranged_class_shapes = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, sh_bolt, sh_single, sh_bolt, sh_ray, sh_bolt, sh_bolt, sh_bolt};

bool is_ranged_class(int c) {
    return c >= first_ranged_class && c <= last_ranged_class;
}

// One unit of the being's item put on the level at (x, y).
void drop_one(int being, int item, int x, int y, int depth) {
    depth = trace_enter(depth, trace_drop_one);
    titem one;
    get_being_item(being, item, depth, one);
    if (one.plan == 0) return;
    one.amount = 1;
    one.slot = 0;
    one.quickslot = 0;
    add_item_to_level(x, y, one, depth, one_dice, 0);
}

// Marks the kind of ammunition that is running low, for the creature's next look at its items.
void mark_low_ammunition(tbeing& b, const titem& ammo) {
    if (ammo.amount < 1 || ammo.amount > low_ammo_count) return;
    uint8_t* marks = b.low_ammo_marks(); // arrows, bolts, bullets
    if (has_item_flag(ammo, if_arrow))
        marks[0] = 1;
    else if (has_item_flag(ammo, if_bullet))
        marks[2] = 1;
    else if (has_item_flag(ammo, if_bolt))
        marks[1] = 1;
    else
        return;
    b.uses_items = 1;
}

} // namespace

bool can_natural_ranged_attack(int attacker, int defender, int depth) {
    depth = trace_enter(depth, trace_can_natural_ranged_attack);
    if (!is_being_ok(attacker, depth) || !is_being_ok(defender, depth)) return false;
    for (int i = 1; i <= natural_attack_count; ++i) {
        const tnatural_attack& n = beings[attacker].natural_attack(i);
        if (!is_ranged_class(n.attack_class) || n.ready_time > game.game_clock) continue;
        teffect probe = effect_template;
        make_fixed_dice(n.reach, probe.range_dice);
        probe.shape = uint8_t(ranged_class_shapes[n.attack_class]);
        if (is_targetable(attacker, defender, probe, depth)) return true;
    }
    return false;
}

namespace {

// The defence a shot meets: a sleeping or helpless defender has none, otherwise it dodges or
// blocks with its shield.
struct tranged_defence {
    int kind = defence_dodge;
    int value = 0;
    int penalty = 0; // for standing among several foes
    bool defenceless = false;
};

tranged_defence ranged_defence_of(int defender) {
    tranged_defence d;
    const tbeing& D = beings[defender];
    if (D.asleep_counter > 0) {
        d.kind = defence_asleep;
    } else if (D.ability_of(motion) == 0) {
        d.kind = defence_helpless;
    } else {
        d.value = D.skill_of(dodge_skill);
        const tweapon_set& shield = D.weapon_set;
        if (shield.shield_held && shield.ranged_defence[1] > d.value) {
            d.value = shield.ranged_defence[1];
            d.kind = defence_block;
        }
    }
    d.defenceless = d.kind == defence_asleep || d.kind == defence_helpless;
    return d;
}

// What the shots did to the attacker's own kit, for telling the player.
struct tkit_changes {
    bool items_changed = false, new_ammo = false, new_weapon = false;
};

// The missile after the shot: a thrown one lands under the defender (a returning weapon only
// slows the next action), and a launcher's ammunition is used up, most of it lying on the floor
// when it struck.
void after_shot(tattack_round& round, const tweapon_set& set, int h, bool launcher, int used_item,
                const titem& missile, tkit_changes& kit) {
    const int attacker = round.attacker, depth = round.depth;
    const int tx = beings[round.defender].x, ty = beings[round.defender].y;
    if (!launcher && !set.returns[h - 1]) {
        drop_one(attacker, used_item, tx, ty, depth);
        if (adjust_item_amount(attacker, used_item, -1, depth)) {
            if (auto_equip_like_item(attacker, set.hand_slot[h - 1], 0)) kit.new_weapon = true;
            kit.items_changed = true;
        }
    } else if (!launcher) {
        round.time_modifier = round_half_even(round.time_modifier * 1.5);
    }
    if (launcher && !set.ammunition_everlasting) {
        if (round.result.total > 0) {
            const int chance = random(100);
            if (chance <= ammo_kept_chance && missile.enchantment == 0 && missile.hit_effect.kind == 0)
                drop_one(attacker, used_item, tx, ty, depth);
        }
        mark_low_ammunition(beings[attacker], missile);
        if (beings[attacker].weapon_set.ammunition_amount > 0)
            --beings[attacker].weapon_set.ammunition_amount;
        if (adjust_item_amount(attacker, used_item, -1, depth)) {
            if (auto_equip_like_item(attacker, slot_quiver, 0)) kit.new_ammo = true;
            kit.items_changed = true;
        }
    }
}

// One shot or throw with hand h: the opposed roll, the damage and the missile's hit effect.
void shoot_with_hand(tattack_round& round, const tranged_defence& d, const tweapon_set& set, int h,
                     bool launcher, tkit_changes& kit) {
    const int attacker = round.attacker, defender = round.defender, depth = round.depth;
    const int used_item = launcher ? set.quiver : set.hand_item[h - 1];
    titem missile;
    get_being_item(attacker, used_item, depth, missile);
    const titem weapon = weapon_hand_item(attacker, h);
    // Each shot or throw lowers the defender's own defence once.
    const int hand_d0 = d.value - (launcher ? launcher_defence_drop : throw_defence_drop);
    const bool vampiric = has_item_flag(weapon, if_vampiric) || has_item_flag(missile, if_vampiric);

    round.time_modifier = std::max<int>(round.time_modifier, set.speed[h - 1]);
    begin_blow(round, set.ranged_damage[h - 1]);
    bool hit = false;
    const int r = roll_dice(d20_dice);
    int pen = excess_penalty(round.distance, set.range[h - 1]);
    int attack = 0, defence = 0;
    if (d.defenceless) {
        attack = r + helpless_bonus + beings[attacker].skill_of(ranged_skill) +
                 attack_hit_bonus(beings[attacker]) - pen;
        defence = hand_d0;
    } else {
        if (round.distance == 1) pen += point_blank_penalty;
        attack = r + set.ranged_attack[h - 1] + attack_hit_bonus(beings[attacker]) - pen;
        const int second = roll_dice(d20_dice);
        defence = hand_d0 + second - d.penalty;
    }
    tdamage rolled;
    roll_attack_damage(false, attacker, defender, attack, defence, set.ranged_damage_bonus[h - 1],
                       set.ranged_damage[h - 1], missile, rolled);
    round.result = tdamage{};
    if (attack >= lowest_hit && attack > defence) {
        hit = true;
        if (being_status(beings[attacker], st_elemental_ranged))
            add_elemental_damage(rolled, d2_dice, rolled);
        strike(round, rolled, cause_attack);
        const int shape = missile.hit_effect.shape;
        if (missile.hit_effect.kind != 0 && (!round.result.killed || shape == sh_ball || shape == sh_cloud ||
                                             shape == sh_wall || shape == sh_spot))
            run_attack_hit_effect(attacker, defender, missile.hit_effect, used_item, round.distance,
                                  action_ranged, false, depth);
    }
    tell_blow(round, launcher ? verb_shoot : verb_throw, hit, d.kind, missile, attack, vampiric);
    after_shot(round, set, h, launcher, used_item, missile, kit);
}

// Every hand with a launcher (it shoots once per call) or a throwing weapon that reaches.
void shoot_with_hands(tattack_round& round, const tranged_defence& d, tkit_changes& kit) {
    const tbeing& A = beings[round.attacker];
    const bool weapons = A.weapon_set.quiver_matches_launcher || A.weapon_set.hand_throws;
    for (int h = 1; weapons && h <= hand_count; ++h) {
        message_text.clear();
        const tweapon_set set = beings[round.attacker].weapon_set;
        const bool launcher = set.launcher[h - 1] && set.quiver_matches_launcher && set.quiver != 0;
        if (!(launcher || set.throws[h - 1]) || set.range[h - 1] < round.distance || round.killed) continue;
        shoot_with_hand(round, d, set, h, launcher, kit);
        if (launcher) break;
    }
}

// Every ready ranged natural attack: spit, gaze, breath and the like.
void strike_with_natural_ranged(tattack_round& round, const tranged_defence& d) {
    const int attacker = round.attacker, defender = round.defender, depth = round.depth;
    for (int i = 1; i <= natural_attack_count; ++i) {
        message_text.clear();
        const tnatural_attack n = beings[attacker].natural_attack(i);
        if (!is_ranged_class(n.attack_class) || round.killed || n.ready_time > game.game_clock) continue;
        begin_blow(round, n.damage);
        bool hit = false;
        const int r = roll_dice(d20_dice);
        const int pen = excess_penalty(round.distance, n.reach);
        int attack = 0, defence = 0;
        if (d.defenceless) {
            attack = r + helpless_bonus + n.attack_bonus + attack_hit_bonus(beings[attacker]) - pen;
            defence = d.value;
        } else {
            attack = r + n.attack_bonus + attack_hit_bonus(beings[attacker]) - pen;
            const int second = roll_dice(d20_dice);
            defence = d.value + second - d.penalty;
        }
        round.result = tdamage{};
        if (attack >= lowest_hit && attack > defence) {
            hit = true;
            tdamage rolled;
            roll_attack_damage(false, attacker, defender, attack, defence, 0, n.damage, blank_item, rolled);
            strike(round, rolled, cause_attack);
            if (!round.result.killed && n.hit_effect.kind != 0)
                run_attack_hit_effect(attacker, defender, n.hit_effect, 0, round.distance, action_ranged,
                                      false, depth);
        }
        note_natural_ready(round, i, natural_ready_base, n.time_multiplier);
        tell_blow(round, n.attack_class + 7, hit, d.kind, blank_item, attack, n.vampiric);
    }
}

// The player is told when a launcher ran dry or a new missile or weapon took the emptied place.
void tell_kit_changes(int attacker, const tkit_changes& kit, int depth) {
    if (kit.items_changed) update_being(attacker, depth);
    const tbeing& A = beings[attacker];
    if (!has_type_flag(A, tf_player)) return;
    if (A.weapon_set.launcher_without_ammo) {
        float_over_being(attacker, "out of ammo", warning_red);
    } else if (kit.new_ammo) {
        float_over_being(attacker, "new ammo equipped", notice_blue);
    }
    if (kit.new_weapon) float_over_being(attacker, "new weapon equipped", notice_blue);
}

} // namespace

void ranged_attack(int attacker, int defender, int depth) {
    depth = trace_enter(depth, trace_ranged_attack);
    if (!is_being_ok(attacker, depth) || !is_being_ok(defender, depth)) return;
    if (beings[attacker].commanded) game_mode = mode_main;

    const int distance = get_being_distance(attacker, defender);
    {
        const tweapon_set& set = beings[attacker].weapon_set;
        for (int h = 1; h <= hand_count; ++h) {
            if ((set.reach[h - 1] && distance <= 2) || (set.throws[h - 1] && distance == 1)) {
                melee_attack(attacker, defender, get_direction_between_beings(attacker, defender), depth);
                return;
            }
        }
    }

    tranged_defence d = ranged_defence_of(defender);
    tattack_round round = begin_attack_round(attacker, defender, depth);
    d.penalty = surrounded_penalty(defender);
    tkit_changes kit;
    shoot_with_hands(round, d, kit);
    strike_with_natural_ranged(round, d);

    if (!round.killed) set_attack_order(attacker, defender, order_fire, sh_bolt, order_setup_ranged);
    const std::string experience = settle_attack(round, action_ranged, base_time, 0, sound_fight);
    services.add_line(attacker, defender, 0, 0, 0, 0, int(shot_line_colour), true);
    finish_attack_round(round, experience);

    if (!is_being_ok(attacker, depth)) return;
    tell_kit_changes(attacker, kit, depth);
}

} // namespace dravok
