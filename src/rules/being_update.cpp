#include "rules/being_update.h"

#include "rules/lasting_effects.h"
#include "world/being.h"
#include "world/error_log.h"

namespace dravok {

// Until items and statuses take part, the current values are the base values plus the
// lasting effects.
void update_being(int being, int depth) {
    depth = trace_enter(depth, trace_update_being);
    if (!is_being_ok(being, depth)) return;
    tbeing& b = beings[being];
    for (int k = 1; k <= ability_count; ++k) {
        b.ability_of(k) = b.base_ability_of(k);
        at1(b.ability_modifier, k) = ability_modifier(b.ability_of(k));
    }
    for (int k = 1; k <= skill_count; ++k)
        b.skill_of(k) = b.base_skill_of(k);
    for (int t = 1; t <= damage_type_count; ++t) {
        b.resistance_of(t) = at1(b.base_resistance, t);
        b.multiplier_of(t) = at1(b.base_multiplier, t);
    }
    b.health_max = b.health_base;
    b.stamina_max = b.stamina_base;
    // The lasting effects and the stat-changing map effects under the being count again.
    update_duration_effects_on_being(being, depth);
    if (being >= int(beings.size()) || beings[being].present == 0) return;
    apply_map_effects_on_being(being, true, depth);
    if (being >= int(beings.size()) || beings[being].present == 0) return;
    beings[being].stats_dirty = 0; // the figures are current again
}

} // namespace dravok
