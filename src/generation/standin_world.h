// Stand-ins for the map features and level dressing services the level generator calls, until
// the world units provide them (secret doors, area edge points, straight walks, vault zones,
// layer growth, bones, splashes, shop containers, area dressing). Each
// keeps the final signature and the specified behaviour of the service it stands for, so that
// the generator's results do not change when the real units replace this one (then this unit
// is deleted). The world globals and the map grid come from world/globals.h and world/map.h.
// Owner: the level generator; callers: src/generation and its tests.
#pragma once
#include "world/item_placement.h" // place_bones, place_level_item_splashes
#include <cstdint>
#include <string>
#include <vector>

#include "world/being_creation.h"
#include "world/geometry.h"
#include "world/globals.h"
#include "world/item_placement.h"
#include "world/map.h"

#include "records/layout.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/random.h"
#include "world/rounding.h"

namespace dravok {

// Map features and level dressing the generator calls.
void create_secret_door(int x, int y, const tdice& difficulty, int depth);
bool is_area_edge_point(int x, int y);
void get_area_edge_point(int area, const tarea& fallback, int& out_x, int& out_y);
bool reaches_area_straight(int x, int y, int area, int steps, int direction);
void mark_vault_zone_cells(int area, int zone);
bool grow_layer_step(int x1, int y1, int x2, int value, int neighbour_value, int y2);
void open_shop_containers();
void dress_area(int area);

} // namespace dravok
