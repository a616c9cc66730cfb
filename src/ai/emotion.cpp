#include "ai/emotion.h"

#include <algorithm>

#include <cmath>

#include "ai/sight.h"
#include "rules/being_checks.h"
#include "world/being.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/map.h"

namespace dravok {

namespace {

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

int default_emotion(int being, int other) {
    if (!is_being_ok(being) || !is_being_ok(other)) return 0;
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
    for (int k = 1; k <= emotion_entry_count; ++k)
        if (beings[a].attitude_of(k).serial == beings[b].serial) return k;
    return 0;
}

int find_fear_entry(int a, int b) {
    if (!is_being_ok(a) || !is_being_ok(b)) return 0;
    for (int k = 1; k <= emotion_entry_count; ++k)
        if (beings[a].fear_of(k).serial == beings[b].serial) return k;
    return 0;
}

int16_t get_emotion(int a, int b, bool use_default) {
    if (!is_being_ok(a) || !is_being_ok(b)) return 0;
    if (const int k = find_emotion_entry(a, b)) return beings[a].attitude_of(k).value;
    if (use_default && !has_type_flag(beings[a], tf_ignore_emotion_presets))
        return int16_t(default_emotion(a, b));
    return 0;
}

int16_t get_fear(int a, int b, bool use_default) {
    if (!is_being_ok(a) || !is_being_ok(b)) return 0;
    if (const int k = find_fear_entry(a, b)) return beings[a].fear_of(k).value;
    return use_default ? int16_t(default_fear(a, b)) : int16_t(0);
}

int update_emotion(int being, int other, int delta, int, int distance) {
    if (!is_being_ok(being) || !is_being_ok(other) || being == other) return 0;
    tbeing& b = beings[being];
    const tbeing& o = beings[other];
    if (!b.present || !o.present) return 0;
    if (has_type_flag(b, tf_player) || has_type_flag(b, tf_emotionless)) return 0;
    if (has_type_flag(o, tf_unstirring) || has_type_flag(o, tf_inactive) || has_type_flag(o, tf_spectator))
        return 0;
    int k = find_emotion_entry(being, other);
    if (k) {
        b.attitude_of(k).previous_value = b.attitude_of(k).value;
    } else {
        const int preset = has_type_flag(b, tf_ignore_emotion_presets) ? 0 : default_emotion(being, other);
        if (preset == 0 && delta == 0) return 0;
        for (k = 1; k < emotion_entry_count && b.attitude_of(k).serial != 0; ++k) {
        }
        b.attitude_of(k) = temotion{};
        b.attitude_of(k).value = int16_t(preset);
        b.attitude_of(k).previous_value = int16_t(preset);
        b.attitude_of(k).serial = o.serial;
    }
    temotion& e = b.attitude_of(k);
    if (delta > 0 && e.value >= 50) return k;
    e.value = int16_t(e.value + delta);
    e.distance = uint16_t(distance);
    if (can_see(being, other, 0, 0)) {
        e.x = o.x;
        e.y = o.y;
        e.turns_unseen = 0;
        e.time_seen = game.game_clock;
    }
    if (has_type_flag(o, tf_player) && e.value <= -20) b.hostile = 1;
    if (e.previous_value > -20 && e.value <= -20) e.time_turned_hostile = game.game_clock;
    return k;
}

int update_fear(int being, int other, int delta, int, int distance) {
    if (!is_being_ok(being) || !is_being_ok(other) || being == other) return 0;
    tbeing& b = beings[being];
    if (has_type_flag(b, tf_player)) return 0;
    int k = find_fear_entry(being, other);
    if (k) {
        b.fear_of(k).previous_value = b.fear_of(k).value;
    } else {
        const int preset = default_fear(being, other);
        if (preset == 0 && delta == 0) return 0;
        for (k = 1; k <= emotion_entry_count && b.fear_of(k).serial != 0; ++k) {
        }
        if (k > emotion_entry_count) return 0;
        b.fear_of(k) = temotion{};
        b.fear_of(k).value = int16_t(preset);
        b.fear_of(k).serial = beings[other].serial;
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
    if (!is_being_ok(a) || !is_being_ok(b)) return false;
    if (beings[a].leader != 0 && beings[a].leader == beings[b].serial) return true;
    const int ab = get_emotion(a, b, true);
    const int ba = mutual ? get_emotion(b, a, true) : threshold;
    if (ab >= threshold && (ba >= threshold || has_type_flag(beings[b], tf_player))) return true;
    return ba >= threshold && has_type_flag(beings[a], tf_player);
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

void inherit_emotions(int child, int parent, int) {
    if (child < 1 || child >= int(beings.size()) || parent < 1 || parent >= int(beings.size())) return;
    std::copy(std::begin(beings[parent].attitude), std::end(beings[parent].attitude),
              std::begin(beings[child].attitude));
    std::copy(std::begin(beings[parent].fear), std::end(beings[parent].fear), std::begin(beings[child].fear));
}

uint32_t emotion_hostile_since(int a, int b) {
    const int k = find_emotion_entry(a, b);
    return k == 0 ? 0 : beings[a].attitude_of(k).time_turned_hostile;
}

void add_emotions_against_target_master(int being, int target, int delta, int depth) {
    if (!is_being_ok(target)) return;
    const int master = find_being_by_serial(beings[target].master);
    if (master >= 1 && master != being)
        update_emotion(being, master, delta, depth, get_being_distance(being, master));
}

void clear_emotions(int being) {
    if (being < 1 || being >= int(beings.size())) return;
    for (temotion& e : beings[being].attitude)
        e = temotion{};
    for (temotion& e : beings[being].fear)
        e = temotion{};
}

void remove_emotion_against_target(int being, int target, int) {
    const int k = find_emotion_entry(being, target);
    if (k != 0) beings[being].attitude_of(k) = temotion{};
}

void age_emotions(int) {}
void share_emotions(int) {}
void share_master_emotions(int) {}
void sort_emotions(int) {}

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

// not built yet: witnesses do not react to what they saw one being do to another
void mass_update_emotion(int, int, int, int) {}

bool get_angry(int being, int other, bool) {
    // not built yet: turning hostile is not announced and followers do not take their master's side
    if (!is_being_ok(being, 0) || !is_being_ok(other, 0)) return false;
    const int before = get_emotion(being, other, true);
    if (has_type_flag(beings[other], tf_player) || has_type_flag(beings[other], tf_companion)) {
        beings[being].hostile = 1;
        beings[being].friendly = 0;
    }
    if (before < 0) return false;
    update_emotion(being, other, -100 - before, 0, 0);
    return true;
}

void remove_emotions_about(int being) {
    // not built yet: the entries are blanked where they lie, and the tables are not sorted again
    if (being < 1 || being >= int(beings.size())) return;
    const int32_t serial = beings[being].serial;
    for (std::size_t b = 1; b < beings.size(); ++b) {
        for (temotion& e : beings[b].attitude) {
            if (e.serial == serial) e = temotion{};
        }
        for (temotion& e : beings[b].fear) {
            if (e.serial == serial) e = temotion{};
        }
    }
}

} // namespace dravok
