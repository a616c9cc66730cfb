// The run-time area queries; see area_queries.h.
#include "world/area_queries.h"
#include "world/tables.h"

#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/level_areas.h"
#include "world/random.h"

namespace dravok {

int vault_template_count() {
    return vaults.empty() ? 0 : static_cast<int>(vaults.size()) - 1;
}

bool is_area_ok(int area) {
    return area >= 1 && area < static_cast<int>(areas.size());
}

int area_high_index() {
    return static_cast<int>(areas.size()) - 1;
}

void clear_area_temp() {
    for (int a = 1; a <= area_high_index(); ++a)
        areas[a].scratch = 0;
}

void clear_area_marks() {
    for (int a = 1; a <= area_high_index(); ++a)
        areas[a].search = 0;
}

int most_connected_area(const int* list, int count) {
    int best_position = 0, best = 0;
    for (int i = 1; i <= count; ++i) {
        const int a = list[i];
        if (!is_area_ok(a)) continue;
        if (areas[a].exits > best || best == 0) {
            best = areas[a].exits;
            best_position = i;
        }
    }
    return best_position;
}

int pick_neighbour_area(int being, int choice, bool allow_corridors, bool allow_occupied, bool door_test) {
    if (!is_being_ok(being)) return 0;
    const tbeing& b = beings[being];
    const int a = b.area;
    if (!is_area_ok(a) || areas[a].exits == 0) return 0;
    if (!allow_corridors && areas[a].non_corridor_neighbours == 0) return 0;
    const bool handles_doors = has_type_flag(b, tf_can_open_doors) || has_type_flag(b, tf_can_close_doors);
    int candidates[area_neighbour_count + 1] = {};
    int count = 0;
    const tarea& r = areas[a];
    for (int j = 0; j < area_neighbour_count; ++j) {
        const int n = r.exit_neighbours[j];
        if (n == 0) break;
        if (!is_area_ok(n) || areas[n].search != 0) continue;
        if (!allow_corridors && areas[n].kind == area_corridor) continue;
        if (!allow_occupied && areas[n].beings > 0) continue;
        if (r.door_state[j] == door_locked) continue;
        if (door_test && r.door_state[j] == door_closed && !handles_doors) continue;
        candidates[++count] = n;
    }
    if (choice == -1) {
        const int position = most_connected_area(candidates, count);
        return position > 0 ? candidates[position] : 0;
    }
    if (choice == 0) {
        if (count == 0) return 0;
        return candidates[random(count) + 1];
    }
    return choice <= count ? candidates[choice] : 0;
}

} // namespace dravok
