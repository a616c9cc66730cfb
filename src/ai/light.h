// Light and the player's view: the level's light map (levels 0..3) from lit furniture,
// teleporters, glowing map effects and carried lights, the being whose light lit each cell, and
// the list of the level's static light cells. Called by the scheduler, the drawing, level
// arrival and the rules that change light or move beings.
#pragma once
#include <cstdint>
#include <vector>

#include "world/grid.h"
#include "world/light_map.h"

namespace dravok {

// The being whose carried light lit each cell (0: furniture, effect or unlit).
extern tgrid<uint8_t> light_owner_map;

struct tlight_cell {
    int32_t x;
    int32_t y;
};
// Cells of the level that may give light, from entry 1.
extern std::vector<tlight_cell> static_light_list;

constexpr int furniture_light_radius = 5;
// The ray table ends at radius 20 and the dim ring lies two beyond the light's radius.
constexpr int max_light_radius = 18;

// Rebuilds the light map around the commanded being, then the player's view.
void update_lights();
void clear_light_maps();
void collect_light_sources();
// Empties the static light list (a new level).
void clear_static_lights();
void trace_all_lights(int viewer_x, int viewer_y);
// One light at (x, y); source is a being index or 0.
void trace_light(int x, int y, int viewer_x, int source, int radius, int viewer_y);

// The brightness at (x, y), 0 off the map.
inline uint8_t light_at(int x, int y) {
    return x >= 1 && y >= 1 && x <= max_map_size && y <= max_map_size ? light_map.light(x, y) : uint8_t(0);
}

} // namespace dravok
