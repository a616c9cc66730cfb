#include "world/regeneration.h"

#include <algorithm>
#include <cstdint>

#include "world/being.h"
#include "world/error_log.h"
#include "world/globals.h"

namespace dravok {

void reset_regeneration_countdown(int being, bool health, bool stamina) {
    if (being < 1 || being >= int(beings.size())) return;
    tbeing& b = beings[being];
    if (health && !(being_status(b, st_regenerating_health) != 0 && b.health_regen_countdown != 0)) {
        b.last_health_loss = game.game_clock;
        b.health_regen_countdown = b.health_regen_delay;
    }
    if (stamina && !(being_status(b, st_regenerating_stamina) != 0 && b.stamina_regen_countdown != 0)) {
        b.last_stamina_use = game.game_clock;
        b.stamina_regen_countdown = b.stamina_regen_delay;
    }
}

void regenerate_being(int being, int depth) {
    depth = trace_enter(depth, trace_regenerate_being);
    // not built yet: stamina and the other regenerating figures stay as they are; only health comes back
    if (!is_being_ok(being, depth)) return;
    tbeing& b = beings[being];
    if (b.health >= b.health_max || b.health_regen == 0 || b.health_regen_delay == 0) return;
    if (b.health_regen_countdown > 1) {
        --b.health_regen_countdown;
        return;
    }
    b.health_regen_countdown = b.health_regen_delay;
    b.health = uint16_t(std::min<int>(b.health_max, b.health + b.health_regen));
}

} // namespace dravok
