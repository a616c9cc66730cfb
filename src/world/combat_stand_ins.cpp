#include "world/combat_stand_ins.h"

#include <algorithm>

#include "world/being.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/map.h"

namespace dravok {

namespace {
temotion* find_entry(temotion (&table)[emotion_entry_count], int32_t serial, bool create) {
    for (temotion& e : table) {
        if (e.serial == serial && serial != 0) return &e;
    }
    if (!create) return nullptr;
    for (temotion& e : table) {
        if (e.serial == 0) {
            e = temotion{};
            e.serial = serial;
            return &e;
        }
    }
    return nullptr;
}
} // namespace

bool can_see(int a, int b) {
    if (!is_being_ok(a, 0) || !is_being_ok(b, 0)) return false;
    if (a == b) return true;
    if (!beings[a].present || !beings[b].present) return false;
    if (get_being_distance(a, b) > 20) return false;
    trace_line(beings[a].x, beings[a].y, beings[b].x, beings[b].y);
    for (int i = 1; i < line_length; ++i) {
        if (is_wall(line_points[i].x, line_points[i].y, 0)) return false;
    }
    return true;
}

int get_emotion(int being, int other, int default_value) {
    if (!is_being_ok(being, 0) || !is_being_ok(other, 0)) return default_value;
    const temotion* e = find_entry(beings[being].attitude, beings[other].serial, false);
    return e ? e->value : default_value;
}

void update_emotion(int being, int other, int delta) {
    if (!is_being_ok(being, 0) || !is_being_ok(other, 0) || being == other) return;
    temotion* e = find_entry(beings[being].attitude, beings[other].serial, true);
    if (!e) return;
    e->previous_value = e->value;
    e->value = int16_t(std::clamp(e->value + delta, -32768, 32767));
}

void update_fear(int being, int other, int amount) {
    if (!is_being_ok(being, 0) || !is_being_ok(other, 0) || being == other) return;
    temotion* e = find_entry(beings[being].fear, beings[other].serial, true);
    if (!e) return;
    e->previous_value = e->value;
    e->value = int16_t(std::clamp(e->value + amount, -32768, 32767));
}

// The witness rules belong to the attitude tables; until they land nobody else reacts.
void mass_update_emotion(int, int, int, int) {}

bool get_angry(int being, int other, bool) {
    if (!is_being_ok(being, 0) || !is_being_ok(other, 0)) return false;
    const int before = get_emotion(being, other, 0);
    if (has_type_flag(beings[other], tf_player) || has_type_flag(beings[other], tf_companion)) {
        beings[being].hostile = 1;
        beings[being].friendly = 0;
    }
    if (before < 0) return false;
    update_emotion(being, other, -100 - before);
    return true;
}

bool is_friendly(int being, int other, int limit, bool) { return get_emotion(being, other, 0) >= limit; }

void remove_emotions_about(int being) {
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

void add_floating_text(int, int, std::string_view, uint32_t) {}
void add_death_animation(int) {}
void set_being_lunge(int attacker, int defender, int direction) {
    if (!is_being_ok(attacker, 0)) return;
    if (direction == 0) direction = get_direction_between_beings(attacker, defender);
    beings[attacker].lunge_direction = uint8_t(direction);
}

void add_situation_or_oneliner(int, int, int, bool, int, int) {}

int find_next_follower(int master, int after) {
    if (!is_being_ok(master, 0)) return 0;
    for (int b = after + 1; b < int(beings.size()); ++b) {
        if (b != master && is_being_ok(b, 0) && beings[b].master == beings[master].serial) return b;
    }
    return 0;
}

void release_followers(int being, int) {
    if (being < 1 || being >= int(beings.size())) return;
    const int32_t serial = beings[being].serial;
    for (std::size_t b = 1; b < beings.size(); ++b) {
        if (int(b) != being && beings[b].master == serial) beings[b].master = 0;
    }
    beings[being].followers = 0;
}

void set_attack_order(int attacker, int defender, int action, int, int setup) {
    if (!is_being_ok(attacker, 0)) return;
    taction_memory& m = beings[attacker].attack_memory;
    m.action = uint8_t(action);
    m.setup() = uint8_t(setup);
    m.target = uint16_t(defender);
    m.has_target = 1;
}

void write_obituary() {}
void say_death_lines(int, int, int) {}

} // namespace dravok
