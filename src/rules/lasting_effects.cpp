// Lasting effects. Until the effects engine lands there is no lasting effect: the upkeep only
// notes that it ran.
#include "rules/lasting_effects.h"

#include "rules/effects.h"

namespace dravok {

void update_duration_effects(int) {
    effects_changed = false;
    next_effect_time = 0;
}
void update_map_effects_on_being(int, int) {}
void remove_effect_cell(int, int, int, bool) {}

} // namespace dravok
