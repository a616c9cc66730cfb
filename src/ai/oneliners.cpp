#include "ai/oneliners.h"

#include <iterator>
#include <string>

#include "ai/emotion.h"
#include "ai/sight.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"
#include "rules/being_checks.h"
#include "rules/chatter.h"
#include "rules/followers.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/geometry.h"
#include "world/map.h"
#include "world/player.h"
#include "world/random.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {

namespace {

// Triggers of the text database's chatter vocabulary.
enum trigger : int {
    introduction_friendly = 1,
    introduction_hostile = 2,
    meets_again_friendly = 3,
    meets_again_hostile = 4,
    shouts_alarm = 5,
    roars = 6,
    fungus_shrieks = 7,
    uses_die_hard = 8,
    sees_die_hard = 9,
    inflicts_severe_damage = 11,
    kills_being = 12,
    kills_player = 13,
    rejoices_player_death = 14,
    gets_angry = 15,
    friendly_attacked_by_player = 16,
    sees_friend_being_killed = 17,
    comments_type_being_killed = 18,
    flees_when_friends_seen = 19,
    flees_lonely = 20,
    follower_mourns_master_death = 22,
    follower_sees_master_kill_being = 23,
    follower_surrounded_by_enemies = 24,
    follower_needs_help = 25,
    follower_comments_sentient_weapon = 30,
    comments_ascension_to_demigod = 37,
    comments_ascension_to_overgod = 39,
    follower_idle_chatter = 35,
    former_companion_helps = 36,
    begs_help_from_cell = 40,
    escapes_from_cell = 41,
    sees_type_first_time = 42,
    sees_light = 43,
    hears_noise = 44,
    makes_an_ambush = 45,
    animated_appears = 48,
    idle_chatter = 50,
};

// The situation bytes the rules arm for the one-liners.
enum situation : int {
    killed_being_mark = 6,
    die_hard_used_mark = 7,
    sees_die_hard_mark = 8,
    player_killed_mark = 9,
    friend_killed_mark = 10,
    type_killed_mark = 11,
    attacked_by_player_mark = 12,
    mourning_mark = 13,
    master_kill_mark = 14,
    ambush_mark = 18,
    severe_damage_mark = 19,
    escaped_from_cell_mark = 22,
    animated_appearance_mark = 25,
    sentient_weapon_mark = 30,
};

constexpr uint32_t never_again = 0xFFFFFFFF;
constexpr int hostile_threshold = -20;
constexpr int calm_turns_for_idle_chatter = 30;
constexpr int surrounded_count = 5;
// An ascension comment waits until its mark has counted down below this.
constexpr int ascension_comment_delay = 48;
constexpr int shriek_range = 6;
constexpr int sentient_weapon_comment_delay = 4;
constexpr int former_companion_help_delay = 9;
// What a former companion, not knowing why, says as it takes the player's side.
constexpr const char* former_companion_lines[] = {
    "Mortal... I feel an odd connection to you! I am forced to help you in this fight.",
    "There is something in you that makes me believe your cause. I will help you, mortal!",
    "This is very odd. Somehow... I feel connected to you. I will help you in this fight!",
    "How can this be? I feel very connected to this mortal. I must help %him%!",
    "Who are you, mortal? Why do I feel that I am connected to you somehow? I will help you in this fight!",
};

tbeing& B(int being) {
    return beings[size_t(being)];
}

void disable_trigger(int being, int t) {
    B(being).chatter_time_of(t) = never_again;
}

// Counts the mark down by one; true while it was still set.
bool count_down(uint8_t& mark) {
    if (mark == 0) return false;
    --mark;
    return true;
}

bool say(int being, int listener, int t, const std::string& extra = {}) {
    return may_say_trigger(being, t, true, true) && add_oneliner(being, listener, t, 0, extra, "");
}

std::string type_name(int type) {
    return type >= 1 && type < int(type_flag_names.size()) ? std::string(type_flag_names[size_t(type)]) : "";
}

// What a being's turn of chatter looks at: where the player stands and how they get on.
struct scene {
    int being;
    int pc;
    bool in_cell;
    int d;
    bool mutual;
    bool calm;
    bool same_area;
    bool follower_of_pc;
    bool friendly_with_pc;
    tbeing& b;

    // In the player's area and within 7 cells, or within the given bound anywhere.
    bool near(int bound) const { return (same_area && d < 7) || d <= bound; }
};

// Looks at the player once, in the order the checks have always been made.
scene look_at_player(int being, int pc, bool in_cell) {
    const int d = get_being_distance(being, pc);
    const bool mutual = can_see(being, pc, 0, 0) != 0 && can_see(pc, being, 0, 0) != 0;
    const bool calm = B(being).seen_hostiles == 0 && B(pc).seen_hostiles == 0;
    const bool same_area = cell_at(B(being).x, B(being).y).area == cell_at(B(pc).x, B(pc).y).area;
    const bool follower_of_pc = B(being).master == B(pc).serial;
    const bool friendly_with_pc = is_friendly(being, pc, 0, true);
    return scene{being, pc, in_cell, d, mutual, calm, same_area, follower_of_pc, friendly_with_pc, B(being)};
}

// Die-hard, ambush and escape marks, said before anything else; true when one was said.
bool say_urgent_marks(const scene& s) {
    const int being = s.being;
    tbeing& b = s.b;
    if (b.situation_of(die_hard_used_mark) != 0 && s.mutual && s.d < 7 && say(being, player, uses_die_hard)) {
        b.situation_of(die_hard_used_mark) = 0;
        return true;
    }
    if (b.situation_of(sees_die_hard_mark) != 0 && s.mutual && s.d < 7 && say(being, player, sees_die_hard)) {
        b.situation_of(sees_die_hard_mark) = 0;
        return true;
    }
    if (b.situation_of(ambush_mark) != 0 && b.meeting_trigger != 0 && s.mutual && s.d <= 6 &&
        is_in_home_area(being) && say(being, player, makes_an_ambush)) {
        b.situation_of(ambush_mark) = 0;
        b.meeting_trigger = 0;
        return true;
    }
    if (b.escaped_from_cell() != 0 && s.mutual && s.d < 6 && say(being, s.pc, escapes_from_cell)) {
        b.escaped_from_cell() = 0;
        return true;
    }
    return false;
}

// The first meeting with the player: a prisoner's plea, a hostile alarm or a friendly greeting;
// true when the turn's chatter ends here.
bool greet_on_meeting(const scene& s) {
    const int being = s.being;
    const int pc = s.pc;
    tbeing& b = s.b;
    if (s.in_cell && b.master != B(pc).serial) {
        if (s.mutual && s.d <= 4 && say(being, pc, begs_help_from_cell)) b.meeting_trigger = 0;
        return true;
    }
    if (s.follower_of_pc) {
        b.meeting_trigger = 0;
        b.escaped_from_cell() = 0;
        disable_trigger(being, introduction_friendly);
    } else if (s.mutual && s.d < 9 && !state.won && !s.friendly_with_pc) {
        count_down(b.meeting_trigger);
        bool said = !has_type_flag(b, tf_spawned_in_cell) && say(being, pc, shouts_alarm);
        if (!said && say(being, pc, introduction_hostile)) {
            said = true;
            b.escaped_from_cell() = 0;
        }
        if (!said && get_emotion(being, pc, true) <= hostile_threshold && say(being, pc, roars)) {
            said = true;
            b.escaped_from_cell() = 0;
        }
        if (said) {
            b.meeting_trigger = 0;
            return true;
        }
        if (b.meeting_trigger == 0) disable_trigger(being, introduction_hostile);
    } else if (s.calm && s.near(3) && b.path.purpose == 0) {
        count_down(b.meeting_trigger);
        if (say(being, pc, introduction_friendly)) {
            b.meeting_trigger = 0;
            b.escaped_from_cell() = 0;
            stop_on_hostiles(player, false);
            return true;
        }
        if (b.meeting_trigger == 0) disable_trigger(being, introduction_friendly);
    }
    return false;
}

// Meeting the player again, as a foe or as a friend; true when a line was said.
bool greet_again(const scene& s) {
    const int being = s.being;
    const int pc = s.pc;
    tbeing& b = s.b;
    if (b.meets_again_friendly == 0) {
        if (b.meets_again_hostile != 0 && s.mutual && s.d < 7) {
            count_down(b.meets_again_hostile);
            if (!s.friendly_with_pc && say(being, pc, meets_again_hostile)) {
                b.meets_again_hostile = 0;
                return true;
            }
        }
    } else if (s.mutual && s.near(2) && s.calm) {
        count_down(b.meets_again_friendly);
        if (s.friendly_with_pc && say(being, pc, meets_again_friendly)) {
            b.meets_again_friendly = 0;
            return true;
        }
    }
    return false;
}

// A first sight of a creature type, a master's death and the player's death; true when said.
bool comment_on_sights_and_deaths(const scene& s) {
    const int being = s.being;
    const int pc = s.pc;
    tbeing& b = s.b;
    if (count_down(b.type_comment_trigger) && s.mutual && s.d < 9 && b.type_comment_type != 0 &&
        say(being, pc, sees_type_first_time, type_name(b.type_comment_type))) {
        b.type_comment_trigger = 0;
        return true;
    }
    if (b.situation_of(mourning_mark) != 0 && say(being, 0, follower_mourns_master_death)) {
        b.situation_of(mourning_mark) = 0;
        return true;
    }
    if (b.situation_of(player_killed_mark) != 0) {
        bool said = false;
        if (B(pc).killer_serial != 0 && B(pc).killer_serial == uint32_t(b.serial)) {
            said = say(being, pc, kills_player);
            if (said && b.seen_non_hostiles > 0) disable_trigger(being, rejoices_player_death);
            if (!said) said = say(being, pc, rejoices_player_death);
        } else if (state.died != 0 && b.hostile != 0) {
            said = say(being, pc, rejoices_player_death);
        }
        if (said) {
            b.situation_of(player_killed_mark) = 0;
            return true;
        }
    }
    return false;
}

// The player's attack on a friend, a friend's killer, a call for help and anger; true when said.
bool react_to_attacks(const scene& s) {
    const int being = s.being;
    const int pc = s.pc;
    tbeing& b = s.b;
    if (b.situation_of(attacked_by_player_mark) != 0 && s.mutual && s.d < 11 &&
        say(being, pc, friendly_attacked_by_player)) {
        b.situation_of(attacked_by_player_mark) = 0;
        return true;
    }
    if (b.situation_of(friend_killed_mark) != 0 && s.mutual && s.d < 11) {
        const int killer = find_being_by_serial(b.friend_killer);
        if (killer >= 1 && say(being, killer, sees_friend_being_killed, type_name(b.friend_death_type))) {
            b.situation_of(friend_killed_mark) = 0;
            return true;
        }
    }
    if (b.follower_help_mark != 0 && say(being, pc, follower_needs_help)) {
        b.follower_help_mark = 0;
        return true;
    }
    if (b.anger_mark() != 0) {
        count_down(b.anger_mark());
        if (s.mutual && s.d < 11 && (say(being, pc, gets_angry) || say(being, pc, roars))) {
            b.anger_mark() = 0;
            return true;
        }
    }
    return false;
}

// A light seen or a noise heard whose maker is out of sight, told to friends; true when said.
bool tell_of_stimuli(const scene& s) {
    const int being = s.being;
    tbeing& b = s.b;
    if (b.seen_light_mark != 0) {
        const int maker = b.noticed_stimulus.maker;
        if (maker >= 1 && can_see(being, maker, 0, 0) != 0) {
            b.seen_light_mark = 0;
        } else if (b.seen_friends > 0 && b.idle_turns >= 2 && say(being, 0, sees_light)) {
            b.seen_light_mark = 0;
            return true;
        }
    }
    if (b.heard_noise_mark != 0) {
        const int maker = b.noticed_noise().maker;
        if (maker >= 1 && can_see(being, maker, 0, 0) != 0) {
            b.heard_noise_mark = 0;
        } else if (b.seen_friends > 0 && b.idle_turns >= 2 && say(being, 0, hears_noise)) {
            b.heard_noise_mark = 0;
            return true;
        }
    }
    return false;
}

// Severe blows, a shrieker's cry, kills and flight; true when said.
bool comment_on_fighting(const scene& s) {
    const int being = s.being;
    const int pc = s.pc;
    tbeing& b = s.b;
    if (b.situation_of(severe_damage_mark) != 0 && s.mutual) {
        b.situation_of(severe_damage_mark) = 0;
        if (say(being, pc, inflicts_severe_damage)) return true;
    }
    if (b.plan >= 1 && b.plan < being_plans.size() &&
        being_plans[b.plan].identifier.view() == "be_fungus_shrieker" && b.nearest_hostile >= 1 &&
        b.nearest_hostile <= shriek_range && say(being, 0, fungus_shrieks))
        return true;
    if (b.situation_of(type_killed_mark) != 0 && s.mutual && s.d < 11 && b.kill_comment_type != 0 &&
        say(being, pc, comments_type_being_killed, type_name(b.kill_comment_type))) {
        b.situation_of(type_killed_mark) = 0;
        b.kill_comment_type = 0;
        return true;
    }
    if (b.situation_of(killed_being_mark) != 0) {
        const int victim = find_inactive_being_by_serial(b.last_killed);
        const bool said = victim >= 1 && say(being, victim, kills_being);
        b.situation_of(killed_being_mark) = 0;
        if (said) return true;
    }
    if (b.situation_of(master_kill_mark) != 0 && s.follower_of_pc &&
        say(being, pc, follower_sees_master_kill_being)) {
        b.situation_of(master_kill_mark) = 0;
        return true;
    }
    if (b.flee_mark != 0) {
        const int from = find_being_by_serial(b.fled_from_serial);
        if (from >= 1 && has_type_flag(B(from), tf_player) &&
            say(being, from, b.seen_friends > 0 ? flees_when_friends_seen : flees_lonely)) {
            b.flee_mark = 0;
            return true;
        }
    }
    return false;
}

// Animated arrivals, being surrounded and a former companion's help; true when said.
bool comment_on_company(const scene& s) {
    const int being = s.being;
    const int pc = s.pc;
    tbeing& b = s.b;
    if (b.situation_of(animated_appearance_mark) != 0 && s.mutual && say(being, player, animated_appears)) {
        b.situation_of(animated_appearance_mark) = 0;
        return true;
    }
    if (s.follower_of_pc && s.mutual && b.seen_hostiles >= surrounded_count && s.d < 8 &&
        say(being, pc, follower_surrounded_by_enemies))
        return true;
    if (b.former_companion_help() != 0 && s.mutual && s.d < 13) {
        count_down(b.former_companion_help());
        if (b.former_companion_help() < former_companion_help_delay &&
            can_chatter_now(being, former_companion_helps)) {
            b.former_companion_help() = 0;
            const int pick = random(int(std::size(former_companion_lines)));
            add_oneliner(being, pc, 0, 0, former_companion_lines[pick], "");
            set_chatter_cooldown(being, former_companion_helps);
            return true;
        }
    }
    return false;
}

// The player's ascension and a sentient weapon, said after a delay; true when said.
bool comment_on_ascension_and_weapon(const scene& s) {
    const int being = s.being;
    const int pc = s.pc;
    tbeing& b = s.b;
    for (int t = comments_ascension_to_demigod; t <= comments_ascension_to_overgod; ++t) {
        uint8_t& mark = b.ascension_comment(t);
        if (mark == 0 || !s.mutual || s.d >= 13) continue;
        count_down(mark);
        if (mark < ascension_comment_delay && say(being, pc, t)) {
            mark = 0;
            return true;
        }
    }
    if (b.situation_of(sentient_weapon_mark) != 0 && s.mutual && s.d < 7 && s.calm) {
        count_down(b.situation_of(sentient_weapon_mark));
        if (b.situation_of(sentient_weapon_mark) < sentient_weapon_comment_delay &&
            say(being, pc, follower_comments_sentient_weapon)) {
            b.situation_of(sentient_weapon_mark) = 0;
            return true;
        }
    }
    return false;
}

// Idle chatter after long calm, when nothing else was said.
void chat_idly(const scene& s) {
    if (s.mutual && s.near(2) && s.calm && s.b.turns_without_hostiles >= calm_turns_for_idle_chatter &&
        B(s.pc).resting == 0 && B(s.pc).rest_rounds == 0 && !state.won)
        say(s.being, 0, s.follower_of_pc ? follower_idle_chatter : idle_chatter);
}

} // namespace

// At most one line a turn: each step in turn, the first that says something ends the turn.
void ai_oneliners(int being, bool in_cell) {
    if (!is_being_ok(being) || B(being).asleep_counter > 0) return;
    const int pc = player_character;
    if (pc < 1 || !is_being_ok(pc)) return;
    const scene s = look_at_player(being, pc, in_cell);

    if (say_urgent_marks(s)) return;
    if (s.b.meeting_trigger != 0) {
        if (greet_on_meeting(s)) return;
    } else if (greet_again(s)) {
        return;
    }
    if (comment_on_sights_and_deaths(s)) return;
    if (B(pc).health == 0 || B(pc).dying()) return;
    if (react_to_attacks(s)) return;
    if (tell_of_stimuli(s)) return;
    if (comment_on_fighting(s)) return;
    if (comment_on_company(s)) return;
    if (comment_on_ascension_and_weapon(s)) return;
    chat_idly(s);
}

namespace {

constexpr int situation_reach = 8;

// Near enough (8 cells) to the being and seeing it; a being always knows its own situation.
bool witnesses(int b, int being) {
    return b == being || (get_being_distance(b, being) <= situation_reach && can_see(b, being, 0, 0) != 0);
}

} // namespace

void add_situation_or_oneliner(int being, int other, int situation, bool followers_only, int trigger,
                               int value) {
    if (!is_being_ok(being)) return;
    const bool with_other = other != 0 && is_being_ok(other);
    for (int b = 1; b < int(beings.size()); ++b) {
        if (b == other || !is_being_ok(b)) continue;
        if (situation != 0 && B(b).situation_of(situation) != 0) continue;
        if (trigger != 0 && !may_say_trigger(b, trigger, true, true)) continue;
        if (followers_only && (b == being || B(b).master != B(being).serial)) continue;
        if (!witnesses(b, being) || (with_other && !witnesses(b, other))) continue;
        if (situation != 0) B(b).situation_of(situation) = uint8_t(value);
        if (trigger != 0) add_oneliner(b, being, trigger, 0, "", "");
    }
}

void say_death_lines(int being, int killer, int depth) {
    if (!is_being_ok(being)) return;
    const bool follower = is_being_ok(player) && B(being).master == B(player).serial;
    if (follower && add_oneliner(being, player, chat_follower_death, depth, "", "")) return;
    if (killer == 0 || killer != player || !is_being_ok(killer)) return;
    if (has_type_flag(B(killer), tf_animal) || has_type_flag(B(killer), tf_flora)) return;
    if (has_type_flag(B(being), tf_has_oneliners)) add_oneliner(being, killer, chat_death, depth, "", "");
}

} // namespace dravok
