// Lasting effects. Walks index duration_effects afresh after every call that may store an
// effect, since storing may grow the array under the walk.
#include "rules/lasting_effects.h"
#include "records/layout_being.h"
#include "records/layout_game.h"

#include <cstdlib>
#include <vector>

#include "records/being_flags.h"
#include "rules/being_update.h"
#include "rules/effect_messages.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/game_record.h"
#include "world/lasting_effects.h"
#include "world/message_log.h"

namespace dravok {

namespace {

constexpr uint32_t round_units = time_units_per_round;

int slot_count() {
    return int(duration_effects.size());
}

void earliest(uint32_t& t, uint32_t candidate) {
    if (candidate != 0 && (t == 0 || candidate < t)) t = candidate;
}

} // namespace

bool effects_equal(const teffect& a, const teffect& b) {
    return a.kind == b.kind && a.shape == b.shape && a.target == b.target && a.aim.x == b.aim.x &&
           a.aim.y == b.aim.y && a.period == b.period && a.sub_type == b.sub_type;
}

int add_duration_effect(const teffect& effect, int depth) {
    depth = trace_enter(depth, trace_add_duration_effect);
    if (effect.kind == ek_possess) {
        teffect out;
        apply_effect(effect, depth, out);
        return 0;
    }
    if (duration_effects.empty()) duration_effects.push_back(effect_template);
    const bool map_shape = shape_is(map_shapes, effect.shape);
    int free_slot = 0;
    for (int i = 1; i < slot_count(); ++i) {
        teffect& s = duration_effects[i];
        if (s.kind == 0) {
            if (free_slot == 0) free_slot = i;
            continue;
        }
        if (map_shape || !effects_equal(effect, s)) continue;
        // The stronger amount stays: curses carry negative amounts, so strength is the magnitude.
        if (std::abs(int64_t(s.damage.total)) < std::abs(int64_t(effect.damage.total)))
            s.damage = effect.damage;
        if (s.expiry_time < effect.expiry_time) s.expiry_time = effect.expiry_time;
        s.message_given = 0;
        s.refreshed = 1;
        return i;
    }
    if (free_slot == 0) {
        free_slot = slot_count();
        duration_effects.resize(duration_effects.size() + duration_effects_growth, effect_template);
    }
    teffect e = effect;
    e.serial = ++game.effect_serial;
    if (map_shape) {
        const int r = time_steps_between(e.expiry_time, game.game_clock);
        e.fade_time = r >= 4 ? game.game_clock + uint32_t(r / 2) * round_units : e.expiry_time - round_units;
    }
    e.keep_message = 0;
    duration_effects[free_slot] = e;
    claim_effect_cells(free_slot);
    effects_changed = true;
    return free_slot;
}

int find_duration_effect(int start, int target_being, int origin_being, int source, int action_kind,
                         int talent) {
    if (target_being >= int(beings.size()) || origin_being >= int(beings.size())) return 0;
    const uint32_t target = target_being >= 1 ? beings[target_being].serial : 0;
    const uint32_t origin = origin_being >= 1 ? beings[origin_being].serial : 0;
    for (int i = start < 1 ? 1 : start; i < slot_count(); ++i) {
        const teffect& e = duration_effects[i];
        if (target != 0 && e.target != uint16_t(target)) continue;
        if (origin != 0 && e.origin != uint16_t(origin)) continue;
        if (source != 0 && e.source != source) continue;
        if (action_kind != 0 && e.action_kind != action_kind) continue;
        if (talent != 0 && e.talent != talent) continue;
        return i;
    }
    return 0;
}

void update_duration_effects(int depth) {
    depth = trace_enter(depth, trace_update_duration_effects);
    message_text.clear();
    next_effect_time = 0;
    if (slot_count() <= 1) {
        effects_changed = false;
        return;
    }
    std::vector<int> noted;
    uint32_t last_ticked = 0;
    // The bound is read on every pass: a tick may store effects and grow the list.
    for (int i = 1; i < slot_count(); ++i) {
        duration_effects[i].processed = 0;
        if (duration_effects[i].kind == 0) continue;
        const uint32_t now = game.game_clock;
        if (duration_effects[i].next_tick != 0 && duration_effects[i].next_tick <= now) {
            if (duration_effects[i].serial != last_ticked) message_text.clear();
            last_ticked = duration_effects[i].serial;
            duration_effects[i].processed = 1;
            duration_effects[i].next_tick = now + uint32_t(duration_effects[i].period) * round_units;
            teffect out;
            apply_effect(duration_effects[i], depth, out);
            duration_effects[i] = out;
            if (!message_text.empty()) {
                add_message(message_text);
                message_text.clear();
            }
        }
        if (duration_effects[i].fade_time != 0 && duration_effects[i].fade_time <= now) {
            set_effect_cells_frame(i, duration_effects[i].graphic_frame + 1);
            duration_effects[i].fade_time = 0;
        }
        if (duration_effects[i].expiry_time != 0 && duration_effects[i].expiry_time <= now) {
            const teffect ending = duration_effects[i];
            compose_effect_end_message(ending);
            const int t = ending.target != 0 ? find_being_by_serial(ending.target) : 0;
            if (t >= 1 && is_being_ok(t)) noted.push_back(t);
            release_effect_cells(i);
            duration_effects[i] = effect_template;
        }
        const teffect& e = duration_effects[i];
        earliest(next_effect_time, e.expiry_time);
        earliest(next_effect_time, e.next_tick);
        earliest(next_effect_time, e.fade_time);
    }
    for (int b : noted)
        if (b < int(beings.size()) && beings[b].present != 0) update_being(b, depth);
    effects_changed = false;
}

void update_duration_effects_on_being(int being, int depth) {
    depth = trace_enter(depth, trace_update_duration_effects_on_being);
    if (being < 1 || being >= int(beings.size())) return;
    const uint16_t serial = uint16_t(beings[being].serial);
    if (serial == 0) return;
    for (int i = 1; i < slot_count(); ++i) {
        if (duration_effects[i].kind == 0 || duration_effects[i].target != serial) continue;
        if (duration_effects[i].next_tick != 0) {
            // Periodic effects tick on their own time; only the poisoned mark is restored.
            if (duration_effects[i].kind == ek_poison) set_being_status(being, st_poisoned, 1);
            continue;
        }
        teffect out;
        apply_effect(duration_effects[i], depth, out);
        if (being >= int(beings.size()) || beings[being].present == 0) return;
        duration_effects[i] = out;
    }
}

void remove_target_being_effects(int being, int kind, int) {
    if (being < 1 || being >= int(beings.size())) return;
    for (int i = 1; i < slot_count(); ++i) {
        const teffect& e = duration_effects[i];
        if (shape_is(map_shapes, e.shape) || e.target == 0) continue;
        if (find_being_by_serial(e.target) != being) continue;
        if (kind != 0 && e.kind != kind) continue;
        duration_effects[i] = effect_template;
    }
}

void remove_origin_being_from_effects(int being, int) {
    if (being < 1 || being >= int(beings.size())) return;
    for (int i = 1; i < slot_count(); ++i)
        if (duration_effects[i].origin != 0 && find_being_by_serial(duration_effects[i].origin) == being)
            duration_effects[i].origin = 0;
}

} // namespace dravok
