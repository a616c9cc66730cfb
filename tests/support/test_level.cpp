// The level template built in code; see test_level.h.
#include "support/test_level.h"

#include <cstdint>
#include <cstring>

#include "records/layout_level.h"
#include "world/level_record.h"
#include "world/map_grid.h"
#include "world/tables.h"

namespace dravok {

void make_test_level(const template_options& o) {
    // The test levels use no templates and no contents, whatever ran before loaded.
    vaults.clear();
    contents.clear();
    std::memset(&level, 0, sizeof level);
    level.index = static_cast<uint8_t>(o.level_index);
    level.map_size = static_cast<uint8_t>(o.map_size);
    map_size = o.map_size;
    level.natural_pairs.count = 1;
    level.natural_pairs.pairs[0].x = 5;  // grey stone
    level.natural_pairs.pairs[0].y = 47; // grey natural floor
    level.dressing_pairs.count = static_cast<uint8_t>(o.dressing_pairs);
    level.dressing_pairs.pairs[0].x = 14; // grey block wall
    level.dressing_pairs.pairs[0].y = 63; // grey block floor
    if (o.dressing_pairs >= 2) {
        level.dressing_pairs.pairs[1].x = 11; // brown block wall
        level.dressing_pairs.pairs[1].y = 57; // brown block floor
    }
    if (o.spawns) {
        level.spawn_interval.count = 10;
        level.spawn_interval.sides = 10;
    }
    tdungeon& g = level.generator;
    g.kind_weight[0] = static_cast<uint8_t>(o.corridor_weight);
    g.kind_weight[1] = static_cast<uint8_t>(o.room_weight);
    g.repeat_chance[0] = 60;
    g.repeat_chance[1] = 50;
    g.kind_max[1] = static_cast<uint8_t>(o.room_maximum);
    g.dig_steps = static_cast<uint8_t>(o.dig_steps);
    g.branch_chance = 30;
    g.merge_rooms = 20;
    g.merge_specials = 0;
    g.corridor_style = static_cast<uint8_t>(o.corridor_style);
    g.dead_end_room_size = 5;
    g.door_chance = 50;
    g.open_door_chance = 30;
    g.doorway_chance = 50;
    if (o.secret_doors) {
        g.secret_doorway_chance = 5;
        g.secret_door.count = 1;
        g.secret_door.sides = 10;
        g.secret_door.bonus = 5;
    }
    g.area_size.count = 2;
    g.area_size.sides = 4;
    g.area_size.bonus = 3;
    if (o.locks) {
        g.lock.count = 1;
        g.lock.sides = 6;
    }
}

template_options bench_template() {
    return {.map_size = 128,
            .dig_steps = 250,
            .corridor_weight = 45,
            .room_weight = 55,
            .level_index = 5,
            .dressing_pairs = 1,
            .locks = false};
}

} // namespace dravok
