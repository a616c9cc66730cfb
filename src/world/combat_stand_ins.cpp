#include "world/combat_stand_ins.h"

#include <algorithm>

#include "world/being.h"
#include "world/geometry.h"
#include "world/globals.h"

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

__attribute__((weak)) int16_t get_emotion(int a, int b, bool) {
    if (!is_being_ok(a, 0) || !is_being_ok(b, 0)) return 0;
    const temotion* e = find_entry(beings[a].attitude, beings[b].serial, false);
    return e ? e->value : 0;
}

namespace {
int change_entry(temotion (&table)[emotion_entry_count], int being, int other, int delta, int distance) {
    if (!is_being_ok(being, 0) || !is_being_ok(other, 0) || being == other) return 0;
    temotion* e = find_entry(table, beings[other].serial, true);
    if (!e) return 0;
    e->previous_value = e->value;
    e->value = int16_t(std::clamp(e->value + delta, -32768, 32767));
    e->distance = uint16_t(distance);
    return int(e - table) + 1;
}
} // namespace

__attribute__((weak)) int update_emotion(int being, int other, int delta, int, int distance) {
    if (being < 1 || being >= int(beings.size())) return 0;
    return change_entry(beings[being].attitude, being, other, delta, distance);
}

__attribute__((weak)) int update_fear(int being, int other, int delta, int, int distance) {
    if (being < 1 || being >= int(beings.size())) return 0;
    return change_entry(beings[being].fear, being, other, delta, distance);
}

// The witness rules belong to the attitude tables; until they land nobody else reacts.
__attribute__((weak)) void mass_update_emotion(int, int, int, int) {}

__attribute__((weak)) bool get_angry(int being, int other, bool) {
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

__attribute__((weak)) bool is_friendly(int a, int b, int threshold, bool mutual) {
    return get_emotion(a, b, true) >= threshold && (!mutual || get_emotion(b, a, true) >= threshold);
}

__attribute__((weak)) void remove_emotions_about(int being) {
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

__attribute__((weak)) void add_floating_text(int, int, std::string_view, uint32_t) {}
__attribute__((weak)) void add_death_animation(int) {}
__attribute__((weak)) void set_being_lunge(int attacker, int defender, int direction) {
    if (!is_being_ok(attacker, 0)) return;
    if (direction == 0) direction = get_direction_between_beings(attacker, defender);
    beings[attacker].lunge_direction = uint8_t(direction);
}

__attribute__((weak)) void add_situation_or_oneliner(int, int, int, bool, int, int) {}

__attribute__((weak)) int find_next_follower(int master, int after) {
    if (!is_being_ok(master, 0)) return 0;
    for (int b = after + 1; b < int(beings.size()); ++b) {
        if (b != master && is_being_ok(b, 0) && beings[b].master == beings[master].serial) return b;
    }
    return 0;
}

__attribute__((weak)) void release_followers(int being, int) {
    if (being < 1 || being >= int(beings.size())) return;
    const int32_t serial = beings[being].serial;
    for (std::size_t b = 1; b < beings.size(); ++b) {
        if (int(b) != being && beings[b].master == serial) beings[b].master = 0;
    }
    beings[being].followers = 0;
}

__attribute__((weak)) void set_attack_order(int attacker, int defender, int action, int, int setup) {
    if (!is_being_ok(attacker, 0)) return;
    taction_memory& m = beings[attacker].attack_memory;
    m.action = uint8_t(action);
    m.setup() = uint8_t(setup);
    m.target = uint16_t(defender);
    m.has_target = 1;
}

__attribute__((weak)) void write_obituary() {}
__attribute__((weak)) void say_death_lines(int, int, int) {}

} // namespace dravok
