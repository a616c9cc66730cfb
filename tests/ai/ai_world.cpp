#include "ai/ai_world.h"

#include <algorithm>
#include <vector>

#include "ai/light.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_plans.h"
#include "support/driver.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/indicators.h"
#include "world/level_areas.h"
#include "world/light_map.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok::testing {

namespace {
constexpr uint8_t wall_block = 1, floor_block = 41;

void fold(uint64_t& h, uint64_t v) {
    h = (h ^ v) * 1099511628211ull;
}
} // namespace

void prepare_sight_tables() {
    if (sight_ray_counts[max_ray_radius] != 0) return;
    build_ray_endpoints();
    build_sight_rays();
}

void tidy_after_level() {
    clear_light_maps();
    clear_static_lights();
    // Lines still queued would be drawn in the next world's first frame, with its draws.
    clear_indicator_lists();
    player = player_character = 0;
}

void make_goblin_plan() {
    being_plans.assign(2, tbeing_plan{});
    tbeing_plan& p = being_plans[goblin_plan];
    p.identifier = "be_goblin";
    p.name = "goblin";
    p.attitude_presets[0] = {uint16_t(tf_player), -50};
    p.attitude_presets[1] = {uint16_t(tf_same_plan), 20};
    p.furniture_owned_of(fu_chest) = 1;
}

int add_goblin(turn_driver& d, int x, int y, uint32_t next_action_time) {
    const int g = d.add_creature(x, y, next_action_time, "goblin");
    tbeing& b = beings[g];
    b.plan = goblin_plan;
    b.xp_worth = 10;
    b.stimulus_chance[0] = 60;
    b.stimulus_range[0] = 1;
    return g;
}

int carve_dungeon(uint32_t seed) {
    random_seed = seed;
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y) {
            cell_at(x, y).block = wall_block;
            cell_at(x, y).area = 0;
        }
    struct room {
        int x1, y1, x2, y2;
    };
    std::vector<room> rooms;
    for (int tries = 0; tries < 400 && rooms.size() < 60; ++tries) {
        const int w = 4 + random(9);
        const int h = 4 + random(7);
        const int x1 = 3 + random(map_size - w - 5);
        const int y1 = 3 + random(map_size - h - 5);
        const room r{x1, y1, x1 + w - 1, y1 + h - 1};
        const bool overlaps = std::any_of(rooms.begin(), rooms.end(), [&](const room& o) {
            return r.x1 <= o.x2 + 2 && o.x1 <= r.x2 + 2 && r.y1 <= o.y2 + 2 && o.y1 <= r.y2 + 2;
        });
        if (!overlaps) rooms.push_back(r);
    }
    areas.assign(rooms.size() + 2, blank_area);
    const int corridor_area = int(rooms.size()) + 1;
    areas[size_t(corridor_area)].kind = 1;
    areas[size_t(corridor_area)].exit_cells = 1;
    for (size_t i = 0; i < rooms.size(); ++i) {
        const room& r = rooms[i];
        tarea& a = areas[i + 1];
        a.x1 = r.x1, a.y1 = r.y1, a.x2 = r.x2, a.y2 = r.y2, a.kind = 2, a.exit_cells = 1;
        for (int x = r.x1; x <= r.x2; ++x)
            for (int y = r.y1; y <= r.y2; ++y) {
                cell_at(x, y).block = floor_block;
                cell_at(x, y).area = uint8_t(i + 1);
            }
        const int light = random(4);
        if (light == 0) cell_at(r.x1 + 1, r.y1 - 1).furniture = fu_light_torch;
        if (light == 1) cell_at((r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2).furniture = fu_light_campfire;
    }
    for (size_t i = 1; i < rooms.size(); ++i) {
        int x = (rooms[i - 1].x1 + rooms[i - 1].x2) / 2, y = (rooms[i - 1].y1 + rooms[i - 1].y2) / 2;
        const int tx = (rooms[i].x1 + rooms[i].x2) / 2, ty = (rooms[i].y1 + rooms[i].y2) / 2;
        auto dig = [&] {
            tcell& c = cell_at(x, y);
            if (c.block != floor_block) {
                c.block = floor_block;
                c.area = uint8_t(corridor_area);
            }
        };
        while (x != tx)
            x += x < tx ? 1 : -1, dig();
        while (y != ty)
            y += y < ty ? 1 : -1, dig();
    }
    return int(rooms.size());
}

void random_free_floor(int& x, int& y) {
    for (;;) {
        x = 2 + random(map_size - 2);
        y = 2 + random(map_size - 2);
        const tcell& c = cell_at(x, y);
        if (c.block >= first_floor_block && c.being == 0 && c.furniture == 0) return;
    }
}

uint64_t world_hash() {
    uint64_t h = 1469598103934665603ull;
    fold(h, random_seed);
    fold(h, game.game_clock);
    for (size_t i = 1; i < beings.size(); ++i) {
        const tbeing& b = beings[i];
        if (b.serial == 0) continue;
        for (uint64_t v : {uint64_t(b.x), uint64_t(b.y), uint64_t(b.next_action_time), uint64_t(b.ai_plan),
                           uint64_t(b.idle_turns), uint64_t(b.asleep_counter), uint64_t(b.seen_beings),
                           uint64_t(b.seen_hostiles), uint64_t(b.seen_friends), uint64_t(b.nearest_hostile),
                           uint64_t(b.turns_without_hostiles), uint64_t(b.noticed_stimulus.maker)})
            fold(h, v);
    }
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y)
            fold(h, light_map.light(x, y));
    return h;
}

} // namespace dravok::testing
