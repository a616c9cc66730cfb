#include "rules/traps.h"
#include "records/layout_base.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"

#include "rules/being_checks.h"
#include "rules/effect_tables.h"
#include "rules/effects.h"
#include "rules/followers.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/indicators.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/random.h"
#include "world/services.h"
#include "world/tables.h"

namespace dravok {

namespace {

constexpr int trap_animation = 1, trap_animation_ticks = 3, trap_animation_repeats = 1;
constexpr int statue_chance = 60;
constexpr int stuck_reveal_range = 5; // a being stuck in slime or a web wakes what hides close by
constexpr int trigger_follower_springs_trap = 28, trigger_follower_sees_master_spring_trap = 29;

// Traps of these kinds guard a whole area: springing one springs the plan for all of them.
bool clears_area_traps(int kind) {
    return kind == ek_animate || kind == ek_transform ||
           (kind >= ek_reveal && kind <= ek_open_area_cell_doors);
}

} // namespace

void add_trap(int setter, int x, int y, int depth, uint16_t extra_value, uint8_t difficulty,
              uint16_t trap_plan) {
    depth = trace_enter(depth, trace_add_trap);
    if (!on_map(x, y, depth)) return;
    tcell& c = cell_at(x, y);
    c.trap = trap_plan;
    c.trap_setter = setter >= 1 && setter < int(beings.size()) ? uint16_t(beings[setter].serial) : 0;
    c.trap_difficulty = int8_t(difficulty);
    c.trap_value = extra_value;
}

void remove_trap(int x, int y, int depth) {
    depth = trace_enter(depth, trace_remove_trap);
    if (!on_map(x, y, depth)) return;
    tcell& c = cell_at(x, y);
    c.trap = c.trap_setter = 0;
    c.trap_difficulty = 0;
}

void spring_trap(int being, int x, int y, int depth) {
    depth = trace_enter(depth, trace_spring_trap);
    if (!is_being_ok(being, depth) || !on_map(x, y, depth)) return;
    const tcell c = cell_at(x, y);
    if (c.trap < 1 || c.trap >= item_plans.size()) return;
    tbeing& b = beings[being];
    teffect effect = item_plans[c.trap].trap_effect;
    effect.origin = c.trap_setter;
    effect.target = uint16_t(b.serial);
    effect.extra_value() = c.trap_value;
    effect.aim = {b.x, b.y};
    if (effect.kind != ek_reveal) {
        if (b.commanded)
            add_floating_text(being, "ouch", floating_red);
        else if (services.can_see(player, being, 0, 0))
            add_floating_text(x, y, "ouch", floating_red);
        add_cell_animation(b.x, b.y, trap_animation, trap_animation_ticks, trap_animation_repeats);
    }
    remove_trap(x, y, depth);
    if (clears_area_traps(effect.kind)) {
        for (int cx = 1; cx <= map_size; ++cx)
            for (int cy = 1; cy <= map_size; ++cy) {
                const tcell& other = cell_at(cx, cy);
                if (other.area == c.area && other.trap == c.trap) remove_trap(cx, cy, depth);
            }
    }
    handle_effect(being, effect, depth);
    if (being >= int(beings.size())) return;
    if (beings[being].commanded) {
        stop_on_hostiles(being, false);
        if (beings[being].present && (effect.kind == ek_slime || effect.kind == ek_web)) {
            const int most = 1 + random(2);
            reveal_statues_and_mimics(being, c.area, statue_chance, depth, most, stuck_reveal_range);
        }
    }
    // The companions have their say about a trap sprung by their master or by one of them.
    const tbeing& after = beings[being];
    if (!after.present) return;
    const bool known = c.trap_difficulty < 0;
    if (has_type_flag(after, tf_player) && !known && after.followers > 0 && effect.kind != ek_reveal)
        services.add_situation_or_oneliner(being, 0, 0, true, trigger_follower_sees_master_spring_trap, 0);
    if (player_character > 0 && after.master == beings[player_character].serial)
        services.add_situation_or_oneliner(player_character, 0, 0, true, trigger_follower_springs_trap, 0);
}

} // namespace dravok
