#include "world/regeneration.h"
#include "records/layout_being.h"
#include "records/layout_game.h"

#include <algorithm>
#include <cstdint>

#include "world/being.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/game_clock.h"
#include "world/game_record.h"

namespace dravok {

namespace {

// The countdown falls by one per call once a whole round has passed since the last event; at 0
// the value grows by its amount up to the maximum and the countdown starts again.
void regenerate(int being, uint16_t& countdown, uint32_t& last_event, uint16_t& current, uint16_t maximum,
                uint16_t amount, bool health) {
    if (countdown != 0 && game.game_clock >= last_event + time_units_per_round) {
        --countdown;
        last_event = game.game_clock;
    }
    if (countdown == 0 && current < maximum) {
        current = uint16_t(std::min<int>(maximum, current + amount));
        reset_regeneration_countdown(being, health, !health);
    }
}

} // namespace

void regenerate_being(int being, int depth) {
    depth = trace_enter(depth, trace_regenerate_being);
    if (!is_being_ok(being, depth) || !beings[being].present) return;
    tbeing& b = beings[being];
    regenerate(being, b.health_regen_countdown, b.last_health_loss, b.health, b.health_max, b.health_regen,
               true);
    regenerate(being, b.stamina_regen_countdown, b.last_stamina_use, b.stamina, b.stamina_max,
               b.stamina_regen, false);
}

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

} // namespace dravok
