// The level's map points set automatically as the player's being goes.
#include "ai/places.h"

#include "records/layout_game.h"
#include "records/layout_level.h"
#include "rules/level_setup.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/level_record.h"

namespace dravok {

namespace {

constexpr uint32_t map_point_pause = 450;
constexpr int map_point_spacing = 25;

} // namespace

bool remember_place(int x, int y) {
    int free_slot = 0, nearest = -1;
    for (int i = 1; i <= map_point_count; ++i) {
        const tmap_point& p = level.map_point(i);
        if (p.x == 0) {
            if (free_slot == 0) free_slot = i;
            continue;
        }
        const int d = get_distance(x, y, p.x, p.y);
        if (nearest < 0 || d < nearest) nearest = d;
    }
    if (free_slot == 0) {
        game.next_map_point_time = 0; // the slots are full: no further automatic points
        return false;
    }
    game.next_map_point_time = game.game_clock + map_point_pause;
    if (nearest >= 0 && nearest < map_point_spacing) return false;
    level.map_point(free_slot).x = uint16_t(x);
    level.map_point(free_slot).y = uint16_t(y);
    update_level(0);
    return true;
}

} // namespace dravok
