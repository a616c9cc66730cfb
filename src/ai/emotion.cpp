#include "ai/emotion.h"

#include <algorithm>

#include <cmath>
#include <string>

#include "ai/sight.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"
#include "rules/being_checks.h"
#include "rules/effect_areas.h"
#include "rules/effect_tables.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/grid.h"
#include "world/indicators.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

constexpr int hostile_threshold = -20, friend_threshold = 10, attitude_gain_cap = 50;
constexpr uint32_t round_time = 15;
constexpr uint32_t meets_again_rounds = 100, meets_again_hostile_rounds = 50;
constexpr uint8_t meets_again_mark = 5;
constexpr uint8_t former_companion_help_mark = 10;
constexpr uint32_t angry_colour = 0xFF3030;
constexpr int anger_mark_turns = 4;
constexpr int unseen_cap = 1000, unseen_far_turns = 12, far_distance = 20, fear_fade = 2;

bool preset_matches(int being, int group, int other) {
    const int types[1] = {group};
    return being_type_matches(other, types, 1, 0, group >= tf_all ? being : 0);
}

temotion* attitude_entry(int a, int b) {
    const int k = find_emotion_entry(a, b);
    return k ? &beings[a].attitude_of(k) : nullptr;
}

void mark_footprint(tgrid<uint8_t>& grid, int being) {
    if (being > 255 || !is_being_ok(being)) return;
    const tbeing& b = beings[being];
    for (int x = b.x - 1; x <= b.x + b.width; ++x) {
        for (int y = b.y - 1; y <= b.y + b.height; ++y) {
            if (on_map(x, y)) mark_sight_grid(grid, x, y, uint8_t(being));
        }
    }
}

} // namespace

namespace {

// default_emotion of two beings known to be valid.
int preset_emotion(int being, int other) {
    const tbeing& b = beings[being];
    if (b.plan < 1 || b.plan >= int(being_plans.size())) return 0;
    const tbeing_plan& p = being_plans[b.plan];
    int sum = 0;
    for (const temotion_preset& e : p.attitude_presets) {
        if (e.group == 0) break;
        if (!preset_matches(being, e.group, other)) continue;
        if (sum >= 1 && e.value < 0) continue;
        if (e.value < 0 && has_type_flag(b, tf_animal) && being_status(beings[other], st_animal_friend) > 0)
            continue;
        sum += e.value;
    }
    return sum;
}

// The entry of a's attitudes about the being with that serial, 0 none.
int attitude_entry_index(tbeing& a, int32_t serial) {
    for (int k = 1; k <= emotion_entry_count; ++k)
        if (a.attitude_of(k).serial == serial) return k;
    return 0;
}

// get_emotion of two beings known to be valid: the sight passes ask it for every pair of
// creatures that see each other, so the beings are not tested again on the way.
int16_t emotion_between(int a, int b, bool use_default) {
    tbeing& being = beings[a]; // attitude_of has no const form
    if (const int k = attitude_entry_index(being, beings[b].serial)) return being.attitude_of(k).value;
    if (use_default && !has_type_flag(being, tf_ignore_emotion_presets)) return int16_t(preset_emotion(a, b));
    return 0;
}

} // namespace

int default_emotion(int being, int other) {
    if (!is_being_ok(being) || !is_being_ok(other)) return 0;
    return preset_emotion(being, other);
}

int default_fear(int being, int other) {
    if (!is_being_ok(being) || !is_being_ok(other)) return 0;
    const tbeing& b = beings[being];
    if (b.plan < 1 || b.plan >= int(being_plans.size())) return 0;
    int sum = 0;
    for (const temotion_preset& e : being_plans[b.plan].fear_presets) {
        if (e.group == 0) break;
        if (preset_matches(being, e.group, other)) sum += e.value;
    }
    return sum;
}

int find_emotion_entry(int a, int b) {
    if (!is_being_ok(a) || !is_being_ok(b)) return 0;
    return attitude_entry_index(beings[a], beings[b].serial);
}

int find_fear_entry(int a, int b) {
    if (!is_being_ok(a) || !is_being_ok(b)) return 0;
    for (int k = 1; k <= emotion_entry_count; ++k)
        if (beings[a].fear_of(k).serial == beings[b].serial) return k;
    return 0;
}

int16_t get_emotion(int a, int b, bool use_default) {
    if (!is_being_ok(a) || !is_being_ok(b)) return 0;
    return emotion_between(a, b, use_default);
}

int16_t get_fear(int a, int b, bool use_default) {
    if (!is_being_ok(a) || !is_being_ok(b)) return 0;
    if (const int k = find_fear_entry(a, b)) return beings[a].fear_of(k).value;
    return use_default ? int16_t(default_fear(a, b)) : int16_t(0);
}

int new_emotion_entry(int a, int b, bool force) {
    if (!is_being_ok(a) || !is_being_ok(b)) return 0;
    tbeing& being = beings[a];
    int preset = 0;
    if (!has_type_flag(being, tf_ignore_emotion_presets)) {
        // A follower is judged by its master: who likes the master makes no entry about it.
        const int master = find_being_by_serial(beings[b].master);
        if (master >= 1 && beings[master].present && get_emotion(a, master, true) >= 0) return 0;
        preset = default_emotion(a, b);
    }
    if (preset == 0 && !force) return 0;
    int k = 1;
    while (k < emotion_entry_count && being.attitude_of(k).serial != 0)
        ++k;
    being.attitude_of(k) = temotion{};
    being.attitude_of(k).value = int16_t(preset);
    being.attitude_of(k).serial = beings[b].serial;
    return k;
}

int new_fear_entry(int a, int b, bool force) {
    if (!is_being_ok(a) || !is_being_ok(b)) return 0;
    const int preset = default_fear(a, b);
    if (preset == 0 && !force) return 0;
    tbeing& being = beings[a];
    for (int k = 1; k <= emotion_entry_count; ++k) {
        if (being.fear_of(k).serial != 0) continue;
        being.fear_of(k) = temotion{};
        being.fear_of(k).value = int16_t(preset);
        being.fear_of(k).serial = beings[b].serial;
        return k;
    }
    return 0;
}

int update_emotion(int being, int other, int delta, int depth, int distance) {
    depth = trace_enter(depth, trace_update_emotion);
    if (!is_being_ok(being) || !is_being_ok(other) || being == other) return 0;
    tbeing& b = beings[being];
    const tbeing& o = beings[other];
    if (!b.present || !o.present) return 0;
    if (has_type_flag(b, tf_player) && state.autoplay == 0) return 0;
    if (has_type_flag(b, tf_emotionless)) return 0;
    if (has_type_flag(o, tf_unstirring) || has_type_flag(o, tf_inactive) || has_type_flag(o, tf_spectator))
        return 0;
    int k = find_emotion_entry(being, other);
    if (k) {
        b.attitude_of(k).previous_value = b.attitude_of(k).value;
    } else {
        k = new_emotion_entry(being, other, delta != 0);
        if (k == 0) return 0;
    }
    temotion& e = b.attitude_of(k);
    if (delta > 0 && e.value >= attitude_gain_cap) return k;
    e.value = int16_t(e.value + delta);
    e.distance = uint16_t(distance);
    if (can_see(being, other, 0, 0)) {
        e.x = o.x;
        e.y = o.y;
        if (e.time_seen != 0) {
            const uint32_t rounds = (game.game_clock - std::min(game.game_clock, e.time_seen)) / round_time;
            if (b.level_reentered != 0 && rounds > meets_again_rounds)
                b.meets_again_friendly = meets_again_mark;
            else if (e.value <= hostile_threshold && rounds >= meets_again_hostile_rounds)
                b.meets_again_hostile = meets_again_mark;
        }
        e.turns_unseen = 0;
        e.time_seen = game.game_clock;
        b.level_reentered = 0;
        if (e.value <= hostile_threshold && b.weapon_set.max_range > 1) {
            // A bolt within the being's reach strikes the other first and alone.
            teffect bolt{};
            bolt.shape = sh_bolt;
            bolt.min_range = b.weapon_set.min_range;
            bolt.range = b.weapon_set.max_range;
            calculate_effect_coordinates(being, 0, 0, o.x, o.y, bolt, 0);
            e.clear_shot =
                int(effect_first_being) == other && effect_hit_count == 1 && effect_target_invalid == 0;
        }
    }
    if (!is_confined_in_cell(being, true)) {
        if (has_type_flag(o, tf_player)) b.friendly = is_friendly(being, other, -19, true) ? 1 : 0;
        if (other == player) b.attitude_to_player = e.value;
    }
    if (has_type_flag(o, tf_player) && e.value <= hostile_threshold) b.hostile = 1;
    if (e.previous_value > hostile_threshold && e.value <= hostile_threshold)
        e.time_turned_hostile = game.game_clock;
    return k;
}

int update_fear(int being, int other, int delta, int depth, int distance) {
    depth = trace_enter(depth, trace_update_fear);
    if (!is_being_ok(being) || !is_being_ok(other) || being == other) return 0;
    tbeing& b = beings[being];
    if (has_type_flag(b, tf_player)) return 0;
    int k = find_fear_entry(being, other);
    if (k) {
        b.fear_of(k).previous_value = b.fear_of(k).value;
    } else {
        k = new_fear_entry(being, other, delta != 0);
        if (k == 0) return 0;
    }
    temotion& e = b.fear_of(k);
    e.value = int16_t(e.value + delta);
    if (can_see(being, other, 0, 0)) {
        e.distance = uint16_t(distance);
        e.x = beings[other].x;
        e.y = beings[other].y;
        e.turns_unseen = 0;
    }
    return k;
}

bool is_friendly(int a, int b, int threshold, bool mutual) {
    if (mutual) return friendliness(a, b).at(threshold);
    if (!is_being_ok(a) || !is_being_ok(b)) return false;
    if (beings[a].leader != 0 && beings[a].leader == beings[b].serial) return true;
    const int ab = emotion_between(a, b, true);
    const int ba = threshold;
    if (ab >= threshold && (ba >= threshold || has_type_flag(beings[b], tf_player))) return true;
    return ba >= threshold && has_type_flag(beings[a], tf_player);
}

tfriendliness friendliness(int a, int b) {
    tfriendliness f;
    if (!is_being_ok(a) || !is_being_ok(b)) return f;
    f.known = true;
    f.led = beings[a].leader != 0 && beings[a].leader == beings[b].serial;
    f.a_player = has_type_flag(beings[a], tf_player);
    f.b_player = has_type_flag(beings[b], tf_player);
    f.ab = emotion_between(a, b, true);
    f.ba = emotion_between(b, a, true);
    return f;
}

bool tfriendliness::at(int threshold) const {
    if (!known) return false;
    if (led) return true;
    if (ab >= threshold && (ba >= threshold || b_player)) return true;
    return ba >= threshold && a_player;
}

int get_courage(int being) {
    if (!is_being_ok(being)) return 0;
    const tbeing& b = beings[being];
    if (!b.present || b.health_max == 0 || b.health == 0) return 0;
    const double r = double(b.health) / double(b.health_max);
    const int base = b.morale[0], superiority = b.morale[1], fear = b.morale[2], health_base = b.morale[3];
    int health_term = 0;
    if (health_base > 1)
        health_term = std::abs(int(std::nearbyint(100.0 * std::log(r) / std::log(double(health_base)))));
    return base + (int(b.seen_friends) + 1 - int(b.seen_hostiles)) * superiority - health_term -
           int(b.seen_feared) * fear - (b.adjacent_hostiles >= 2 ? 15 * b.adjacent_hostiles : 0);
}

bool charm_decay(int being) {
    if (!is_being_ok(being)) return false;
    const int charmer = find_being_by_serial(beings[being].charmer);
    if (charmer < 1 || !beings[charmer].present) return false;
    temotion* e = attitude_entry(being, charmer);
    if (!e) return false;
    e->value = int16_t(e->value - 1);
    return e->value < -9;
}

void inherit_emotions(int child, int parent, int depth) {
    depth = trace_enter(depth, trace_inherit_emotions);
    if (!is_being_ok(child) || !is_being_ok(parent)) return;
    for (int i = 1; i < int(beings.size()); ++i) {
        if (i == child || i == parent || !is_being_ok(i) || !beings[i].present) continue;
        int v = get_emotion(parent, i, false);
        if (v == 0) v = get_emotion(i, parent, false);
        if (v != 0) update_emotion(child, i, v, depth, get_being_distance(child, i));
    }
}

uint32_t emotion_hostile_since(int a, int b) {
    const int k = find_emotion_entry(a, b);
    return k == 0 ? 0 : beings[a].attitude_of(k).time_turned_hostile;
}

void add_emotions_against_target_master(int being, int target, int delta, int depth) {
    depth = trace_enter(depth, trace_add_emotions_against_target_master);
    if (!is_being_ok(target)) return;
    const int master = find_being_by_serial(beings[target].master);
    if (master < 1 || !beings[master].present) return;
    update_emotion(being, master, delta, depth, get_being_distance(being, master));
    for (int i = 1; i < int(beings.size()); ++i) {
        if (i == being || i == target || i == master || !is_being_ok(i) || !beings[i].present) continue;
        if (beings[i].master == beings[master].serial)
            update_emotion(being, i, delta, depth, get_being_distance(being, i));
    }
}

void clear_emotions(int being) {
    if (being < 1 || being >= int(beings.size())) return;
    for (temotion& e : beings[being].attitude)
        e = temotion{};
    for (temotion& e : beings[being].fear)
        e = temotion{};
}

void remove_emotion_against_target(int being, int target, int depth) {
    depth = trace_enter(depth, trace_remove_emotion_against_target);
    if (const int k = find_emotion_entry(being, target)) beings[being].attitude_of(k) = temotion{};
    if (const int k = find_fear_entry(being, target)) beings[being].fear_of(k) = temotion{};
}

void age_emotions(int being) {
    if (!is_being_ok(being)) return;
    tbeing& b = beings[being];
    auto age = [&](temotion& e, bool fear) {
        if (e.serial == 0 || e.turns_unseen >= unseen_cap) return;
        const int other = find_being_by_serial(e.serial);
        if (other < 1 || !beings[other].present || can_see(being, other, 0, 0)) return;
        ++e.turns_unseen;
        if (e.turns_unseen > unseen_far_turns) e.distance = far_distance;
        if (!fear) return;
        e.value = int16_t(e.value > fear_fade ? e.value - fear_fade : 0);
        if (e.value == 0) e = temotion{};
    };
    for (temotion& e : b.attitude)
        age(e, false);
    for (temotion& e : b.fear)
        age(e, true);
}

void share_emotions(int being) {
    if (!is_being_ok(being)) return;
    for (int k = 1; k <= emotion_entry_count; ++k) {
        const temotion ally_entry = beings[being].attitude_of(k);
        if (ally_entry.serial == 0 || ally_entry.value < friend_threshold || ally_entry.turns_unseen != 0)
            continue;
        const int ally = find_being_by_serial(ally_entry.serial);
        if (ally < 1 || ally == being || !beings[ally].present) continue;
        for (int j = 1; j <= emotion_entry_count; ++j) {
            const temotion learnt = beings[ally].attitude_of(j);
            if (learnt.serial == 0 || learnt.value > -friend_threshold) continue;
            const int t = find_being_by_serial(learnt.serial);
            if (t < 1 || t == being || !beings[t].present || can_see(being, t, 0, 0)) continue;
            if (const int own = find_emotion_entry(being, t)) {
                temotion& e = beings[being].attitude_of(own);
                if (learnt.turns_unseen < e.turns_unseen) {
                    e.x = learnt.x;
                    e.y = learnt.y;
                    e.turns_unseen = learnt.turns_unseen;
                    if (e.turns_unseen < 5) e.distance = uint16_t(get_being_distance(being, t));
                }
            } else if (const int made =
                           update_emotion(being, t, learnt.value / 2, 0, get_being_distance(being, t))) {
                temotion& e = beings[being].attitude_of(made);
                e.x = learnt.x;
                e.y = learnt.y;
                e.turns_unseen = learnt.turns_unseen;
                e.informant = uint16_t(ally);
            }
        }
    }
}

void share_master_emotions(int being) {
    if (!is_being_ok(being)) return;
    const int master = find_being_by_serial(beings[being].master);
    if (master < 1) return;
    for (int j = 1; j < int(beings.size()); ++j) {
        if (j == being || j == master || !is_being_ok(j) || !can_see(being, j, 0, 0)) continue;
        const int toward_master = get_emotion(j, master, true);
        if (toward_master < hostile_threshold && get_emotion(being, j, true) > hostile_threshold) {
            remove_emotion_against_target(being, j, 0);
            update_emotion(being, j, toward_master, 0, get_being_distance(being, j));
        }
    }
}

void sort_emotions(int being) {
    if (!is_being_ok(being)) return;
    // Bubble sort as the tables are small and nearly sorted from the turn before.
    auto sort_table = [](temotion* table, bool ascending) {
        for (int pass = 1; pass < emotion_entry_count; ++pass) {
            bool swapped = false;
            for (int k = 0; k + 1 < emotion_entry_count; ++k) {
                temotion& a = table[k];
                temotion& b = table[k + 1];
                if (a.serial == 0 && b.serial == 0) continue;
                const bool out_of_order = a.value != b.value
                                              ? (ascending ? a.value > b.value : a.value < b.value)
                                              : a.distance > b.distance;
                if (out_of_order) {
                    std::swap(a, b);
                    swapped = true;
                }
            }
            if (!swapped) break;
        }
    };
    sort_table(beings[being].attitude, true);
    sort_table(beings[being].fear, false);
}

void mark_hostile_footprint(int being) {
    mark_footprint(hostile_grid, being);
}
void mark_feared_footprint(int being) {
    mark_footprint(feared_grid, being);
}

bool is_afraid_of(int being, int other, int courage) {
    const int fear = get_fear(being, other, true);
    if (courage == 0) courage = get_courage(being);
    return fear >= 1 && fear > courage;
}

void update_party_friendliness() {
    if (player_character == 0) return;
    for (int i = 1; i < static_cast<int>(beings.size()); ++i) {
        if (beings[i].serial == 0 || i == player_character) continue;
        beings[i].friendly = is_friendly(i, player_character, 0, true) ? 1 : 0;
    }
}

void mass_update_emotion(int doer, int victim, int delta, int fear) {
    if (!is_being_ok(doer) || !is_being_ok(victim)) return;
    for (int b = 1; b < int(beings.size()); ++b) {
        if (b == doer || b == victim || !is_being_ok(b)) continue;
        if (!can_see(b, doer, 0, 0) && !can_see(b, victim, 0, 0)) continue;
        const int toward_victim = get_emotion(b, victim, false);
        const int toward_doer = get_emotion(b, doer, false);
        if (toward_victim >= friend_threshold) {
            if (toward_doer > delta) {
                update_emotion(b, doer, delta, 0, get_being_distance(b, doer));
                get_angry(b, doer, true);
            }
            if (fear > 0) update_fear(b, doer, fear, 0, get_being_distance(b, doer));
        } else if (toward_doer >= friend_threshold && toward_victim > delta) {
            update_emotion(b, victim, delta, 0, get_being_distance(b, victim));
            if (has_type_flag(beings[b], tf_former_player) || has_type_flag(beings[b], tf_former_companion))
                beings[b].former_companion_help() = former_companion_help_mark;
        }
    }
}

bool get_angry(int being, int other, bool announce) {
    if (!is_being_ok(being) || !is_being_ok(other)) return false;
    tbeing& b = beings[being];
    if (has_type_flag(b, tf_passive) || has_type_flag(b, tf_confused)) return false;
    const int k = find_emotion_entry(being, other);
    if (k == 0) return false;
    const temotion& e = b.attitude_of(k);
    if (e.previous_value <= hostile_threshold || e.value > hostile_threshold) return false;
    if (other != player && get_emotion(being, player, true) <= hostile_threshold) return false;
    const int master = find_being_by_serial(b.master);
    if (master < 1 || master != player_character) {
        add_floating_text(being, "gets angry", angry_colour);
        if (has_type_flag(beings[other], tf_player)) b.anger_mark() = anger_mark_turns;
        if (announce) {
            std::string sentence;
            action_sentence(being, other, "%s %s %s.", sentence, "gets angry at", "get angry at");
            if (!sentence.empty()) add_message(" " + sentence);
        }
    }
    if (b.nearest_hostile == 0 && get_being_distance(being, other) > 1) b.next_action_time += round_time;
    return true;
}

void remove_related_emotions(int being) {
    if (being < 1 || being >= int(beings.size())) return;
    for (int b = 1; b < int(beings.size()); ++b) {
        if (b == being || !is_being_ok(b)) continue;
        remove_emotion_against_target(b, being, 0);
    }
}

} // namespace dravok
