#include "rules/spawning.h"

#include <string>

#include "generation/portals.h"
#include "records/layout_game.h"
#include "records/layout_level.h"
#include "records/layout_parts.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/services.h"
#include "world/spawn_candidates.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {

namespace {
constexpr uint32_t round_length = 15;
constexpr int malus_points = 2;
} // namespace

void spawn_beings(int depth) {
    depth = trace_enter(depth, trace_spawn_beings);
    if (level.spawned >= level.spawn_max || game.game_clock < level.next_spawn || state.spawning_off != 0)
        return;
    const int interval = roll_dice(level.spawn_interval);
    level.next_spawn = static_cast<uint32_t>(interval) * round_length + game.game_clock;
    const int chance =
        static_cast<int>(level.spawn_chance) - malus_points * static_cast<int>(level.spawn_malus);
    if (chance < 1) return;
    const int roll = d100();
    if (chance < roll) return;
    const int n = number_spawnable_plans(level.spawn_group, true, level.spawn_max);
    if (n == 0) return;
    const int portal = pick_spawn_portal({fu_stairs_down, fu_stairs_up, fu_teleporter});
    if (portal == 0) return;
    const int x0 = portals[portal].x, y0 = portals[portal].y;

    int k = 0;
    const int count = roll_dice(level.spawn_count);
    for (int i = 0; i < count; ++i) {
        const int plan = pick_spawn_being_plan(n);
        if (plan == 0) break;
        int x = 0, y = 0;
        find_free_floor_for_being(x0, y0, std::max<int>(being_plans[plan].width, 1), x, y, depth,
                                  std::max<int>(being_plans[plan].height, 1));
        if (!on_map(x, y)) break;
        if (add_being_to_level(x, y, blank_being, depth, plan) == 0) break;
        ++k;
    }
    level.spawned = static_cast<uint16_t>(level.spawned + k);
    if (k > 0 && player != 0 && services.can_see(player, 0, x0, y0)) {
        std::string kind;
        get_furniture_kind_name(x0, y0, kind);
        add_message("$N" +
                    std::string(k == 1 ? "A creature appears from the " : "Creatures appear from the ") +
                    kind + "!");
    }
}

} // namespace dravok
