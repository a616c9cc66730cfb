// Lasting effects. The restraining test and the grid are whole; until the effects engine lands
// there is no lasting effect to run, so the upkeep only notes that it ran.
#include "rules/lasting_effects.h"

#include "rules/effects.h"
#include "world/being.h"
#include "world/globals.h"

namespace dravok {

void update_duration_effects(int) {
    effects_changed = false;
    next_effect_time = 0;
}
void update_map_effects_on_being(int, int) {}
void remove_effect_cell(int, int, int, bool) {}

void clear_map_effect_grid() { map_effect_grid.fill(blank_map_effect_cell); }

bool is_on_restraining_map_effect(int being, int depth) {
    if (!is_being_ok(being, 0)) return false;
    const tbeing& b = beings[being];
    constexpr int slime = 41, web = 58;
    for (int x = b.x; x < b.x + b.width; ++x) {
        for (int y = b.y; y < b.y + b.height; ++y) {
            if (x < 1 || x > max_map_size || y < 1 || y > max_map_size) continue;
            const tmap_effect_cell& e = map_effect_grid(x, y);
            if (e.effect == 0) continue;
            if (e.kind == web && being_status(b, st_immunity_web) == 0) return true;
            if (e.kind == slime && being_status(b, st_immunity_slime) == 0) return true;
        }
    }
    return false;
}

} // namespace dravok
