// Map effects. Slots are looked up by index on every use: applying an effect may store new
// lasting effects and grow duration_effects.
#include "rules/map_effects.h"
#include "records/layout_being.h"

#include <string>

#include "rules/being_update.h"
#include "rules/effect_names.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/lasting_effects.h"
#include "world/map.h"
#include "world/map_effect_cell.h"
#include "world/services.h"
#include "world/text_expand.h"

namespace dravok {

namespace {

bool live_slot(int slot) {
    return slot >= 1 && slot < int(duration_effects.size());
}

bool grid_cell(int x, int y) {
    return x >= 1 && x <= max_map_size && y >= 1 && y <= max_map_size;
}

// Calls f(x, y) for each map cell the being covers, x outer and y inner.
template <typename F> void for_covered_cells(const tbeing& b, F f) {
    for (int x = b.x; x < b.x + b.width; ++x)
        for (int y = b.y; y < b.y + b.height; ++y)
            if (grid_cell(x, y) && on_map(x, y)) f(x, y);
}

} // namespace

void claim_effect_cells(int slot) {
    if (!live_slot(slot)) return;
    {
        const teffect& e = duration_effects[slot];
        if (e.kind == 0 || !shape_is(map_shapes, e.shape)) return;
    }
    tmap_effect_cell record = blank_map_effect_cell;
    {
        const teffect& e = duration_effects[slot];
        record.effect = uint16_t(slot);
        record.kind = e.kind;
        record.graphic_frame = e.graphic_frame;
        record.harmful = kind_is(harmful_kinds, e.kind) ? 1 : 0;
        tdamage most{};
        max_damage_by_type(e.damage_dice, 0, most);
        for (int t = 1; t <= damage_type_count; ++t)
            at1(record.max_damage, t) = uint16_t(most.of(t));
        record.max_total = uint16_t(most.total);
        record.light = e.light;
    }
    int i = 1;
    while (i <= effect_cell_count) {
        const tcell_xy c = duration_effects[slot].cell(i);
        if (c.x == 0 || c.y == 0) break;
        if (grid_cell(c.x, c.y) && can_effect_take_cell(c.x, c.y, duration_effects[slot].power)) {
            const int other = map_effect_grid(c.x, c.y).effect;
            if (other != 0 && other != slot) remove_effect_cell(other, c.x, c.y, true);
            map_effect_grid(c.x, c.y) = record;
            ++i;
        } else {
            // The list closes up; the same position now holds the next cell.
            remove_effect_cell(slot, c.x, c.y, false);
        }
    }
    services.collect_light_sources();
}

void release_effect_cells(int slot) {
    if (!live_slot(slot)) return;
    const teffect& e = duration_effects[slot];
    if (e.kind == 0 || !shape_is(map_shapes, e.shape)) return;
    for (int i = 1; i <= effect_cell_count; ++i) {
        const tcell_xy c = e.cell(i);
        if (c.x == 0 || c.y == 0) break;
        if (grid_cell(c.x, c.y)) map_effect_grid(c.x, c.y) = blank_map_effect_cell;
    }
    services.collect_light_sources();
}

void remove_effect_cell(int slot, int x, int y, bool clear) {
    if (!live_slot(slot)) return;
    teffect& e = duration_effects[slot];
    for (int i = 1; i <= effect_cell_count; ++i) {
        if (e.cell(i).x != x || e.cell(i).y != y) continue;
        for (int j = i; j < effect_cell_count; ++j)
            e.cell(j) = e.cell(j + 1);
        e.cell(effect_cell_count) = {0, 0};
        if (clear && grid_cell(x, y)) map_effect_grid(x, y) = blank_map_effect_cell;
        return;
    }
}

void clear_effect_cells(int slot) {
    if (!live_slot(slot)) return;
    teffect& e = duration_effects[slot];
    for (int i = 1; i <= effect_cell_count; ++i)
        e.cell(i) = {0, 0};
    e.aim = {0, 0};
}

void set_effect_cells_frame(int slot, int frame) {
    if (!live_slot(slot)) return;
    const teffect& e = duration_effects[slot];
    for (int i = 1; i <= effect_cell_count; ++i) {
        const tcell_xy c = e.cell(i);
        if (c.x == 0 || c.y == 0) break;
        if (grid_cell(c.x, c.y)) map_effect_grid(c.x, c.y).graphic_frame = uint16_t(frame);
    }
}

bool can_effect_take_cell(int x, int y, int power) {
    if (!grid_cell(x, y)) return false;
    const int held = map_effect_grid(x, y).effect;
    if (held == 0) return true;
    return !live_slot(held) || duration_effects[held].power <= power;
}

void clear_map_effect_grid() {
    map_effect_grid.fill(blank_map_effect_cell);
}

bool is_on_stat_changing_map_effect(int being, int) {
    if (!is_being_ok(being)) return false;
    bool found = false;
    for_covered_cells(beings[being], [&](int x, int y) {
        const int slot = map_effect_grid(x, y).effect;
        if (live_slot(slot) && duration_effects[slot].serial != 0 &&
            kind_is(stat_changing_kinds, duration_effects[slot].kind))
            found = true;
    });
    return found;
}

bool is_on_restraining_map_effect(int being, int) {
    if (!is_being_ok(being)) return false;
    const tbeing& b = beings[being];
    bool held = false;
    for_covered_cells(b, [&](int x, int y) {
        const tmap_effect_cell& c = map_effect_grid(x, y);
        const int immunity = c.kind == ek_web ? st_immunity_web : c.kind == ek_slime ? st_immunity_slime : 0;
        if (immunity == 0 || !live_slot(c.effect) || duration_effects[c.effect].serial == 0) return;
        if (being_status(b, immunity) == 0) held = true;
    });
    return held;
}

void apply_map_effects_on_being(int being, bool stat_changing, int depth) {
    depth = trace_enter(depth, trace_apply_map_effects_on_being);
    if (!is_being_ok(being)) return;
    for (teffect& e : duration_effects)
        e.processed = 0;
    const tbeing& b = beings[being];
    const int x0 = b.x, y0 = b.y, w = b.width, h = b.height;
    for (int x = x0; x < x0 + w; ++x) {
        for (int y = y0; y < y0 + h; ++y) {
            if (!grid_cell(x, y) || !on_map(x, y)) continue;
            const int slot = map_effect_grid(x, y).effect;
            if (!live_slot(slot) || duration_effects[slot].serial == 0 ||
                duration_effects[slot].processed != 0 ||
                kind_is(stat_changing_kinds, duration_effects[slot].kind) != stat_changing)
                continue;
            if (being >= int(beings.size()) || beings[being].present == 0) return;
            if (!has_type_flag(beings[being], tf_passive)) {
                const std::string name = get_effect_source_name(duration_effects[slot]);
                std::string s;
                if (effect_harmful_for_being(being, effect_template, slot, depth))
                    action_sentence(being, being, "%s %s in the effect of " + name + ".", s, "is", "are");
                else
                    action_sentence(being, being, "%s %s not affected by " + name + ".", s, "is", "are");
                message_text += s + " ";
            }
            duration_effects[slot].target = uint16_t(beings[being].serial);
            teffect out;
            apply_effect(duration_effects[slot], depth, out);
            duration_effects[slot].target = 0;
            duration_effects[slot].processed = 1;
        }
    }
}

void update_map_effects_on_being(int being, int depth) {
    depth = trace_enter(depth, trace_update_map_effects_on_being);
    message_text.clear();
    if (duration_effects.size() <= 1 || !is_being_ok(being)) return;
    const bool s = is_on_stat_changing_map_effect(being, depth);
    if (s || beings[being].on_map_effect != 0) update_being(being, depth);
    if (!is_being_ok(being)) return;
    beings[being].on_map_effect = s ? 1 : 0;
    apply_map_effects_on_being(being, false, depth);
}

} // namespace dravok
