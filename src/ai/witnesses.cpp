#include "ai/witnesses.h"

#include <vector>

#include "ai/emotion.h"
#include "ai/light.h"
#include "ai/sight.h"
#include "records/layout_being.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/geometry.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/tables.h"

namespace dravok {

namespace {

// Marks of the witnesses already returned. Sight passes clear every turn_mark, so the search
// keeps its own marks; otherwise it would return the same witness for ever.
std::vector<uint8_t> witness_mark;

bool in_home_area_floor(int x, int y, int home_area) {
    for (int d = 1; d <= 4; ++d) {
        const int nx = x + direction_offsets[d].dx, ny = y + direction_offsets[d].dy;
        if (on_map(nx, ny) && is_floor(nx, ny) && cell_at(nx, ny).area == home_area) return true;
    }
    return false;
}

} // namespace

bool is_property(int being, int x, int y) {
    if (!is_being_ok(being) || !on_map(x, y)) return false;
    const int f = cell_at(x, y).furniture;
    if (f == fu_none) return false;
    const tbeing& b = beings[being];
    if (has_type_flag(b, tf_created_from_level_stuff)) return false;
    if (b.plan < 1 || b.plan >= int(being_plans.size()) || f > furniture_kind_count) return false;
    if (being_plans[b.plan].furniture_owned_of(f) == 0) return false;
    if (b.home_level != level.index) return false;
    if (cell_at(x, y).area == b.home_area) return true;
    return (f == fu_door_lockable || f == fu_door_cell) && in_home_area_floor(x, y, b.home_area);
}

int check_witnesses(int doer, int x, int y, bool doer_only, bool reset) {
    if (!is_being_ok(doer) || !beings[doer].present || !on_map(x, y)) return 0;
    if (witness_mark.size() < beings.size()) witness_mark.resize(beings.size(), 0);
    if (reset) std::fill(witness_mark.begin(), witness_mark.end(), uint8_t(0));
    int best = 0, best_distance = 0;
    for (int i = 1; i < int(beings.size()); ++i) {
        if (i == doer || witness_mark[size_t(i)] != 0 || !is_being_ok(i)) continue;
        const tbeing& b = beings[i];
        if (!b.present || has_type_flag(b, tf_spawned_in_cell)) continue;
        ai_line_of_sight(i, b.x, b.y);
        const bool sees = can_see(i, doer, 0, 0) != 0 || (!doer_only && can_see(i, 0, x, y) != 0);
        if (!sees || get_emotion(i, doer, true) <= -20 || !is_property(i, x, y)) continue;
        const int distance = get_being_distance(i, doer);
        if (best == 0 || distance < best_distance) best = i, best_distance = distance;
    }
    if (best != 0) witness_mark[size_t(best)] = 1;
    return best;
}

int count_witnesses(int doer, int x, int y, bool doer_only) {
    int n = 0;
    for (bool reset = true; check_witnesses(doer, x, y, doer_only, reset) != 0; reset = false)
        ++n;
    return n;
}

void touch_property_reactions(int doer, int x, int y, int delta) {
    if (!is_being_ok(doer)) return;
    if (has_type_flag(beings[doer], tf_player)) update_lights();
    for (bool reset = true;; reset = false) {
        const int witness = check_witnesses(doer, x, y, false, reset);
        if (witness == 0) break;
        update_emotion(witness, doer, delta, 0, get_being_distance(witness, doer));
        get_angry(witness, doer, true);
    }
}

} // namespace dravok
