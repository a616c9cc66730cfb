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
#include "world/dice.h"
#include "world/error_log.h"
#include "world/experience_award.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/presentation.h"
#include "world/random.h"
#include "world/rounding.h"

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

void ranged_attack(int attacker, int defender, int depth) {
    depth = trace_enter(depth, trace_ranged_attack);
    if (!is_being_ok(attacker, depth) || !is_being_ok(defender, depth)) return;
    // Hit effects may add beings and move the array: every use looks the records up anew.
    auto A = [&]() -> tbeing& { return beings[attacker]; };
    auto D = [&]() -> tbeing& { return beings[defender]; };
    if (A().commanded) game_mode = mode_main;

    const int distance = get_being_distance(attacker, defender);
    {
        const tweapon_set& set = A().weapon_set;
        for (int h = 1; h <= hand_count; ++h) {
            if ((set.reach[h - 1] && distance <= 2) || (set.throws[h - 1] && distance == 1)) {
                melee_attack(attacker, defender, get_direction_between_beings(attacker, defender), depth);
                return;
            }
        }
    }

    int d0 = 0;
    int kind = defence_dodge;
    if (D().asleep_counter > 0) {
        kind = defence_asleep;
    } else if (D().ability_of(motion) == 0) {
        kind = defence_helpless;
    } else {
        d0 = D().skill_of(dodge_skill);
        const tweapon_set& shield = D().weapon_set;
        if (shield.shield_held && shield.ranged_defence[1] > d0) {
            d0 = shield.ranged_defence[1];
            kind = defence_block;
        }
    }
    const bool defenceless = kind == defence_asleep || kind == defence_helpless;

    const int health_before = D().health;
    const int penalty = surrounded_penalty(defender);
    int time_modifier = 0;
    int total = 0;
    tdamage result{};
    bool killed = false, drain = false, items_changed = false, new_ammo = false, new_weapon = false;
    bool damaged_asleep = false;
    uint32_t earliest_ready = 0;
    std::string message;
    uint8_t saved[5];
    std::memcpy(saved, A().attack_modifiers, sizeof saved);

    auto struck = [&](tdamage& rolled) {
        const bool asleep = D().asleep_counter != 0;
        damage_being(defender, attacker, rolled, result, depth, cause_attack);
        if (asleep && result.total > 0) damaged_asleep = true;
        total += result.total;
    };

    const bool weapons = A().weapon_set.quiver_matches_launcher || A().weapon_set.hand_throws;
    for (int h = 1; weapons && h <= hand_count; ++h) {
        message_text.clear();
        const tweapon_set set = A().weapon_set;
        const bool launcher = set.launcher[h - 1] && set.quiver_matches_launcher && set.quiver != 0;
        if (!(launcher || set.throws[h - 1]) || set.range[h - 1] < distance || killed) continue;
        const int used_item = launcher ? set.quiver : set.hand_item[h - 1];
        titem missile;
        get_being_item(attacker, used_item, depth, missile);
        const titem weapon = weapon_hand_item(attacker, h);
        // Each shot or throw lowers the defender's own defence once.
        const int hand_d0 = d0 - (launcher ? launcher_defence_drop : throw_defence_drop);
        const bool vampiric = has_item_flag(weapon, if_vampiric) || has_item_flag(missile, if_vampiric);

        time_modifier = std::max<int>(time_modifier, set.speed[h - 1]);
        std::memcpy(A().attack_modifiers, saved, sizeof saved);
        apply_against_bonuses(attacker, defender, set.ranged_damage[h - 1]);
        bool hit = false;
        const int r = roll_dice(d20_dice);
        int pen = excess_penalty(distance, set.range[h - 1]);
        int attack = 0, defence = 0;
        if (defenceless) {
            attack = r + helpless_bonus + A().skill_of(ranged_skill) + attack_hit_bonus(A()) - pen;
            defence = hand_d0;
        } else {
            if (distance == 1) pen += point_blank_penalty;
            attack = r + set.ranged_attack[h - 1] + attack_hit_bonus(A()) - pen;
            const int second = roll_dice(d20_dice);
            defence = hand_d0 + second - penalty;
        }
        tdamage rolled;
        roll_attack_damage(false, attacker, defender, attack, defence, set.ranged_damage_bonus[h - 1],
                           set.ranged_damage[h - 1], missile, rolled);
        result = tdamage{};
        if (attack >= lowest_hit && attack > defence) {
            hit = true;
            if (being_status(A(), st_elemental_ranged)) add_elemental_damage(rolled, d2_dice, rolled);
            struck(rolled);
            const int shape = missile.hit_effect.shape;
            if (missile.hit_effect.kind != 0 && (!result.killed || shape == sh_ball || shape == sh_cloud ||
                                                 shape == sh_wall || shape == sh_spot))
                run_attack_hit_effect(attacker, defender, missile.hit_effect, used_item, distance,
                                      action_ranged, false, depth);
        }
        std::string sentence;
        compose_attack_message(attacker, defender, launcher ? verb_shoot : verb_throw, sentence, result, hit,
                               kind, missile, attack);
        append_blow_sentence(message, sentence);
        if (vampiric && result.total > 0) drain = true;
        killed = result.killed != 0;

        const int tx = D().x, ty = D().y;
        if (!launcher && !set.returns[h - 1]) {
            drop_one(attacker, used_item, tx, ty, depth);
            if (adjust_item_amount(attacker, used_item, -1, depth)) {
                if (auto_equip_like_item(attacker, set.hand_slot[h - 1], 0)) new_weapon = true;
                items_changed = true;
            }
        } else if (!launcher) {
            time_modifier = round_half_even(time_modifier * 1.5);
        }
        if (launcher && !set.ammunition_everlasting) {
            if (result.total > 0) {
                const int chance = random(100);
                if (chance <= ammo_kept_chance && missile.enchantment == 0 && missile.hit_effect.kind == 0)
                    drop_one(attacker, used_item, tx, ty, depth);
            }
            mark_low_ammunition(A(), missile);
            if (A().weapon_set.ammunition_amount > 0) --A().weapon_set.ammunition_amount;
            if (adjust_item_amount(attacker, used_item, -1, depth)) {
                if (auto_equip_like_item(attacker, slot_quiver, 0)) new_ammo = true;
                items_changed = true;
            }
        }
        if (launcher) break; // a launcher shoots once per call
    }

    for (int i = 1; i <= natural_attack_count; ++i) {
        message_text.clear();
        const tnatural_attack n = A().natural_attack(i);
        if (!is_ranged_class(n.attack_class) || killed || n.ready_time > game.game_clock) continue;
        std::memcpy(A().attack_modifiers, saved, sizeof saved);
        apply_against_bonuses(attacker, defender, n.damage);
        bool hit = false;
        const int r = roll_dice(d20_dice);
        const int pen = excess_penalty(distance, n.reach);
        int attack = 0, defence = 0;
        if (defenceless) {
            attack = r + helpless_bonus + n.attack_bonus + attack_hit_bonus(A()) - pen;
            defence = d0;
        } else {
            attack = r + n.attack_bonus + attack_hit_bonus(A()) - pen;
            const int second = roll_dice(d20_dice);
            defence = d0 + second - penalty;
        }
        result = tdamage{};
        if (attack >= lowest_hit && attack > defence) {
            hit = true;
            tdamage rolled;
            roll_attack_damage(false, attacker, defender, attack, defence, 0, n.damage, blank_item, rolled);
            struck(rolled);
            if (!result.killed && n.hit_effect.kind != 0)
                run_attack_hit_effect(attacker, defender, n.hit_effect, 0, distance, action_ranged, false,
                                      depth);
        }
        const uint32_t ready = game.game_clock + uint32_t(action_time_mult(attacker, natural_ready_base,
                                                                           n.time_multiplier, true));
        A().natural_attack(i).ready_time = ready;
        if (earliest_ready == 0 || ready < earliest_ready) earliest_ready = ready;
        std::string sentence;
        compose_attack_message(attacker, defender, n.attack_class + 7, sentence, result, hit, kind,
                               blank_item, attack);
        append_blow_sentence(message, sentence);
        if (n.vampiric && result.total > 0) drain = true;
        killed = result.killed != 0;
    }

    if (!killed) set_attack_order(attacker, defender, order_fire, sh_bolt, order_setup_ranged);
    const std::string experience = killed ? award_experience_from_being(defender, depth) : std::string();
    std::memcpy(A().attack_modifiers, saved, sizeof saved);
    A().last_action_kind = action_ranged;
    after_damage(attacker, defender, health_before, total, result, depth);

    uint32_t next = game.game_clock + uint32_t(action_time(attacker, base_time + time_modifier, true));
    if (time_modifier == 0 && next < earliest_ready) next = attack_recovery_time(attacker, earliest_ready);
    A().next_action_time = next;

    set_being_lunge(attacker, defender, 0);
    // A blow that struck the defender in its sleep makes no sound of battle.
    if (!damaged_asleep) check_sounds(attacker, 0, 0, depth, sound_fight);
    presentation.add_line(attacker, defender, 0, 0, 0, 0, int(shot_line_colour), true);
    finish_attack(attacker, defender, killed, drain, total, message, experience, result, depth);

    if (!is_being_ok(attacker, depth)) return;
    if (items_changed) update_being(attacker, depth);
    if (has_type_flag(A(), tf_player)) {
        if (A().weapon_set.launcher_without_ammo) {
            float_over_being(attacker, "out of ammo", warning_red);
        } else if (new_ammo) {
            float_over_being(attacker, "new ammo equipped", notice_blue);
        }
        if (new_weapon) float_over_being(attacker, "new weapon equipped", notice_blue);
    }
}

} // namespace dravok
