#include "world/spawn_candidates.h"

#include <cstddef>

#include "records/layout_plans.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok {

bool is_spawnable_plan(int group, int plan, int limit) {
    if (plan < 1 || plan >= int(being_plans.size())) return false;
    const tbeing_plan& p = being_plans[plan];
    if (p.spawned >= limit) return false;
    if (p.max_per_game != 0 && p.created_in_game >= p.max_per_game) return false;
    if (p.cap != 0 && p.created_on_level >= p.cap) return false;
    for (uint16_t g : p.spawn_groups) {
        if (g == 0) return false;
        if (g == group) return true;
    }
    return false;
}

int number_spawnable_plans(int group, bool reset, int limit) {
    for (std::size_t i = 1; i < being_plans.size(); ++i) {
        being_plans[i].spawn_ordinal = 0;
        if (reset) being_plans[i].spawned = 0;
    }
    int n = 0;
    for (std::size_t i = 1; i < being_plans.size(); ++i) {
        if (is_spawnable_plan(group, int(i), limit)) being_plans[i].spawn_ordinal = uint16_t(++n);
    }
    return n;
}

int pick_spawn_being_plan(int count) {
    const int r = random(count) + 1;
    for (std::size_t i = 1; i < being_plans.size(); ++i) {
        if (being_plans[i].spawn_ordinal == r) {
            ++being_plans[i].spawned;
            return int(i);
        }
    }
    return 0;
}

} // namespace dravok
