#include "world/game_clock.h"
#include "records/layout_game.h"

#include <cstdlib>

#include "world/game_record.h"

namespace dravok {

void advance_game_clock() {
    // A clock behind its last update (a record from elsewhere) adds nothing instead of wrapping.
    const int64_t elapsed = static_cast<int64_t>(game.game_clock) - game.clock_update_time;
    const int64_t n = elapsed / time_units_per_minute;
    if (n <= 0) return;
    // Days, hours and minutes are single bytes: they wrap as the record stores them.
    int64_t minutes = game.clock_minutes + n;
    int64_t hours = game.clock_hours;
    int64_t days = game.clock_days;
    if (minutes > 59) {
        hours += minutes / 60;
        minutes %= 60;
        if (hours > 23) {
            days += hours / 24;
            hours %= 24;
        }
    }
    game.clock_minutes = static_cast<uint8_t>(minutes);
    game.clock_hours = static_cast<uint8_t>(hours);
    game.clock_days = static_cast<uint8_t>(days);
    game.clock_update_time = game.game_clock;
}

int32_t time_steps_between(uint32_t a, uint32_t b) {
    const int64_t difference = static_cast<int32_t>(a - b);
    return static_cast<int32_t>((difference < 0 ? -difference : difference) / time_units_per_round);
}

} // namespace dravok
