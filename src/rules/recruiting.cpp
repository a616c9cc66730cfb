// Who joins whom; see recruiting.h.
#include "rules/recruiting.h"

#include <string>

#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_parts.h"
#include "records/layout_plans.h"
#include "rules/action_time.h"
#include "rules/chatter.h"
#include "rules/followers.h"
#include "rules/item_choice.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/history_file.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/rounding.h"
#include "world/services.h"
#include "world/tables.h"
#include "world/text_expand.h"
#include "world/text_utilities.h"

namespace dravok {

namespace {

constexpr int spirit = 4;
constexpr int behaviour_following = 3;
constexpr int follower_liking = 50;
constexpr uint32_t idle_chatter_delay = 2250; // a new follower settles in before it chatters
constexpr int recruit_time = 15;
constexpr int level_weight = 2, spirit_weight = 4, party_weight = 5;
constexpr int recruit_anger = 25;
constexpr int leader_bonus = 2;
constexpr int seek_distance = 7, friendliness = 10;
constexpr int master_capacity = 2, pack_capacity = 5;
constexpr int servants_over_spirit = 2;
constexpr int break_free_per_servant = 5, break_free_base = 5, break_free_per_spirit = 5;
constexpr int broken_liking = 50;

int spirit_modifier(int being) {
    return at1(beings[being].ability_modifier, spirit);
}

// The master a seeker may follow: present, seen, near, not led itself, worth something and on
// good terms both ways.
bool may_lead(int seeker, int other) {
    const tbeing& o = beings[other];
    return other != seeker && is_being_ok(other) && o.present != 0 &&
           services.can_see(seeker, other, 0, 0) != 0 && get_being_distance(seeker, other) < seek_distance &&
           o.master == 0 && o.xp_worth != 0 && services.is_friendly(seeker, other, friendliness, true);
}

} // namespace

void set_as_follower(int follower, int master, int depth) {
    depth = trace_enter(depth, trace_set_as_follower);
    if (!is_being_ok(master) || follower < 1 || follower >= int(beings.size()) || follower == master) return;
    release_followers(follower, true, true, true);
    // The old link goes without ending a charm: a charm is what brings a being here.
    if (beings[follower].master != 0) drop_master_link(follower);
    tbeing& f = beings[follower];
    tbeing& m = beings[master];
    f.master = m.serial;
    f.behaviour = behaviour_following;
    f.path = tpath{};
    f.idle_turns = 0;
    f.idle_turns_before_sleep = 0;
    f.master_name = m.name.view();
    f.follower_word = 0;
    services.update_emotion(follower, master, follower_liking, depth, get_being_distance(follower, master));
    if (has_type_flag(m, tf_player)) {
        if (may_say_trigger(follower, chat_follower_idle_chatter, false, false))
            f.chatter_time_of(chat_follower_idle_chatter) = game.game_clock + idle_chatter_delay;
        f.type_flags[tf_companion] = 1;
        f.type_flags[tf_player_and_companions] = 1;
    }
    count_followers(master);
    update_item_interests(follower, depth);
    tbeing& mm = beings[master];
    if (mm.attack_memory.target == follower) mm.attack_memory = taction_memory{};
    if (mm.talent_memory.target == follower) mm.talent_memory = taction_memory{};
}

bool try_to_recruit(int target, int recruiter, int depth) {
    depth = trace_enter(depth, trace_try_to_recruit);
    if (!is_being_ok(target) || !is_being_ok(recruiter)) return false;
    const tbeing& r = beings[recruiter];
    if (being_status(r, st_lone_wolf) != 0) {
        add_message("$FYou're a lone wolf and can not recruit creatures.");
        return false;
    }
    const int modifier = spirit_modifier(recruiter);
    int limit = 1 + (modifier > 0 ? modifier : 0);
    if (being_status(r, st_natural_leader) != 0) limit += leader_bonus;
    const bool tameable = has_type_flag(beings[target], tf_can_be_tamed);
    const std::string race = race_name(beings[target].race);
    if (r.followers >= limit) {
        const std::string who = tameable ? race : being_name(target, name_the_capital);
        add_message("$F" + who +
                    " does not seem to be interested in following you. Your party is too big already (max " +
                    std::to_string(limit) + " recruits).");
        return false;
    }
    bool joins = true;
    if (tameable && !has_type_flag(beings[target], tf_construct)) {
        const int roll = roll_dice(d20_dice);
        const int value =
            roll + level_weight * r.level + spirit_weight * modifier - party_weight * int(r.followers);
        if (round_half_even(beings[target].health_max * 0.5) > value) {
            joins = false;
            const int anger = random(recruit_anger);
            services.update_emotion(target, recruiter, -anger, depth, get_being_distance(target, recruiter));
            if (services.get_angry(target, recruiter, false))
                add_message("$FThe " + race + " gets angry at you!");
            else
                add_message("$FThe " + race + " does not seem to be interested in following you.");
        } else {
            add_message("$SThe " + race + " seems to like you and starts to follow you!");
        }
    }
    if (joins) {
        const tbeing& t = beings[target];
        std::string plan_name;
        if (t.plan >= 1 && t.plan < int(being_plans.size()) &&
            being_plans[t.plan].name.view() != being_plans[t.plan].title.view())
            plan_name = std::string(being_plans[t.plan].name.view()) + " ";
        add_history("Recruited " + plan_name + std::string(t.name.view()) + ".");
    }
    beings[recruiter].next_action_time = game.game_clock + uint32_t(action_time(recruiter, recruit_time));
    return joins;
}

void seek_master(int being, int depth) {
    depth = trace_enter(depth, trace_seek_master);
    if (!is_being_ok(being) || beings[being].present == 0) return;
    for (int o = 1; o < int(beings.size()); ++o) {
        if (!may_lead(being, o)) continue;
        const tbeing& m = beings[o];
        if (!has_type_flag(m, tf_can_be_master) || m.followers >= master_capacity) continue;
        set_as_follower(being, o, depth);
        return;
    }
}

void seek_pack_leader(int being, int depth) {
    depth = trace_enter(depth, trace_seek_pack_leader);
    if (!is_being_ok(being) || beings[being].present == 0) return;
    for (int o = 1; o < int(beings.size()); ++o) {
        if (!may_lead(being, o)) continue;
        const tbeing& m = beings[o];
        if (m.race != beings[being].race || !has_type_flag(m, tf_pack) ||
            !has_type_flag(m, tf_can_be_pack_leader) || m.followers >= pack_capacity)
            continue;
        set_as_follower(being, o, depth);
        beings[being].type_flags[tf_can_be_pack_leader] = 0;
        return;
    }
    // No pack to join: it may lead one itself.
    beings[being].type_flags[tf_can_be_pack_leader] = 1;
}

void check_animated_and_summoned(int master, int depth) {
    depth = trace_enter(depth, trace_check_animated_and_summoned);
    if (!is_being_ok(master)) return;
    count_followers(master);
    const tbeing& m = beings[master];
    const int servants = m.summoned_followers + m.animated_followers;
    const int modifier = spirit_modifier(master);
    const int allowed = modifier + servants_over_spirit;
    if (servants == 0 || servants <= allowed) return;
    const int32_t serial = m.serial;
    std::string names;
    for (int s = 1; s < int(beings.size()); ++s) {
        const tbeing& b = beings[s];
        if (s == master || b.present == 0 || b.serial == 0 || b.master != serial) continue;
        if (!has_type_flag(b, tf_summoned) && !has_type_flag(b, tf_animated)) continue;
        const int distance = get_being_distance(s, master);
        const int chance = (servants - allowed) * break_free_per_servant + break_free_base + distance / 2 -
                           break_free_per_spirit * modifier;
        const int roll = d100();
        if (roll > chance) continue;
        release_follower(s);
        services.remove_emotion_against_target(s, master, depth);
        services.update_emotion(s, master, -broken_liking, depth, distance);
        names = append_with_comma(names, being_name(s, name_the));
    }
    if (names.empty()) return;
    names = last_comma_to_and(names);
    if (master == player && beings[master].commanded != 0)
        add_message("$FYou lost control of " + names + "!");
    else if (is_being_ok(player) && services.can_see(player, master, 0, 0) != 0)
        add_message("$F" + being_name(master, name_the_capital) + " lost control of " + names + "!");
}

} // namespace dravok
