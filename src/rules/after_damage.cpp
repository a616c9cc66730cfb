#include "rules/after_damage.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"

#include "rules/followers.h"
#include "rules/sound.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/rounding.h"
#include "world/services.h"
#include "world/tables.h"

namespace dravok {

namespace {

constexpr int witness_range = 8;

// total / maximum × factor; a being without maximum health (the spectator) gives 0.
int health_ratio(int total, int maximum, double factor) {
    if (maximum <= 0) return 0;
    return round_half_even(double(total) / maximum * factor);
}

bool sees_within(int watcher, int other) {
    return get_being_distance(watcher, other) <= witness_range && services.can_see(watcher, other, 0, 0);
}

void note_witnesses(int attacker, int victim) {
    const tbeing& v = beings[victim];
    for (int w = 1; w < int(beings.size()); ++w) {
        if (w == victim || !is_being_ok(w, 0) || !beings[w].present) continue;
        if (!sees_within(w, attacker) || !sees_within(w, victim)) continue;
        tbeing& wb = beings[w];
        if (wb.plan < 1 || wb.plan >= being_plans.size()) continue;
        const tbeing_plan& plan = being_plans[wb.plan];
        if (w != attacker && plan.comments_friend_killed && wb.situation_of(10) == 0 &&
            services.is_friendly(w, victim, 10, false)) {
            for (int t = 1; t <= creature_type_count; ++t) {
                if (has_type_flag(v, t) && at1(plan.friend_death_type, t)) {
                    wb.friend_death_type = uint16_t(t);
                    wb.friend_killer = serial16(beings[attacker].serial);
                    wb.situation_of(10) = 5;
                    break;
                }
            }
        }
        if (plan.comments_kills && wb.situation_of(11) == 0) {
            for (int t = 1; t <= creature_type_count; ++t) {
                if (has_type_flag(v, t) && at1(plan.kill_comment_type, t)) {
                    wb.kill_comment_type = uint16_t(t);
                    wb.situation_of(11) = 5;
                    break;
                }
            }
        }
    }
}

void after_kill(int attacker, int victim, int health_before, int depth) {
    depth = trace_enter(depth, trace_after_kill);
    tbeing& v = beings[victim];
    const bool with_attacker = is_being_ok(attacker, 0);
    if (with_attacker) {
        v.killer_serial = uint32_t(beings[attacker].serial);
        const int fear = health_before == v.health_max && v.health_max >= 15 ? 30 : 10;
        services.mass_update_emotion(attacker, victim, -50, fear);
    }
    if (v.asleep_when_damaged == 0) check_sounds(victim, 0, 0, depth, sound_death);
    // Without an attacker nobody is blamed: only the scream above is heard.
    if (!with_attacker) return;
    tbeing& a = beings[attacker];
    if (has_type_flag(v, tf_player)) {
        services.add_situation_or_oneliner(attacker, victim, 9, false, 0, 20);
        if (v.followers > 0) services.add_situation_or_oneliner(victim, attacker, 13, true, 0, 5);
    }
    note_witnesses(attacker, victim);
    a.last_killed = serial16(v.serial);
    a.last_killed_plan = v.plan;
    a.situation_of(6) = 2;
    if (a.followers > 0 && !has_type_flag(v, tf_immobile)) {
        for (int f = find_next_follower(attacker, 0); f != 0; f = find_next_follower(attacker, f + 1)) {
            if (services.can_see(f, attacker, 0, 0) && services.can_see(f, victim, 0, 0))
                beings[f].situation_of(14) = 2;
        }
    }
    if (has_type_flag(a, tf_player) && being_status(a, st_sentient_item_equipped) &&
        !has_type_flag(v, tf_immobile)) {
        a.situation_of(27) = 2;
        a.situation_of(30) = 2;
    }
}

void after_survival(int attacker, int victim, int health_before, int total, int depth) {
    depth = trace_enter(depth, trace_after_survival);
    if (!is_being_ok(attacker, 0)) return;
    tbeing& v = beings[victim];
    const int emotion_before = services.get_emotion(victim, attacker, true);
    services.update_emotion(victim, attacker, -70, depth, get_being_distance(victim, attacker));
    const int fear = health_ratio(total, v.health_max, 30);
    if (fear > 0) services.update_fear(victim, attacker, fear, depth, get_being_distance(victim, attacker));
    services.mass_update_emotion(attacker, victim, -25, health_ratio(total, v.health_max, 5));
    tbeing& a = beings[attacker];
    if (has_type_flag(a, tf_player) && emotion_before >= 0) {
        v.situation_of(12) = 3;
        if (v.master != 0 && v.master == a.serial) v.master = 0;
    }
    if (has_type_flag(v, tf_player)) {
        const int maximum = v.health_max;
        const bool heavy_from_full =
            health_before >= round_half_even(0.75 * maximum) && total >= round_half_even(0.5 * health_before);
        const bool heavy_when_low =
            v.health <= round_half_even(0.2 * maximum) && v.health <= 15 && total >= 3;
        if (heavy_from_full || heavy_when_low) a.situation_of(19) = 1;
    }
}

} // namespace

void after_damage(int attacker, int victim, int health_before, int total, tdamage& result, int depth) {
    depth = trace_enter(depth, trace_after_damage);
    if (victim < 1 || victim >= int(beings.size()) || beings[victim].serial == 0) return;
    if (result.killed)
        after_kill(attacker, victim, health_before, depth);
    else
        after_survival(attacker, victim, health_before, total, depth);
}

} // namespace dravok
