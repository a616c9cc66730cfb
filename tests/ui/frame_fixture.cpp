// The renderer's test world; see frame_fixture.h.
#include "ui/frame_fixture.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"

#include "world/geometry.h"
#include "world/tables.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "generation/level_creation.h"
#include "generation/level_fixture.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "world/being_arrays.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/game_modes.h"
#include "world/level_items.h"
#include "world/light_map.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/random.h"
#include "world/settings_record.h"
#include "world/sight_records.h"
#include "world/view_memory.h"
#include "world/world_lifecycle.h"

namespace dravok::frame_fixture {

tplaced placed;

namespace {

// The templates drawn, with the icons and colours the content gives them; the icons are the
// content's own files, so the frame shows the art the game ships.
struct tplan_line {
    const char* id;
    const char* icon;
    const char* colour;
};
const tplan_line creatures[] = {
    {"be_playable_human", "builder:human", "d0a080"},
    {"be_rat_giant", "rat", "8a7060"},
    {"be_skeleton", "skeleton", "e0e0c0"},
    {"be_spider_giant", "spider-alt", "403030"},
    {"be_orc", "orc-head", "508040"},
    {"be_gelatinous_cube", "cube", "80e0a0"},
    {"be_bat_cave", "bat", "5a4a4a"},
    {"be_goblin", "goblin-head", "60a040"},
    {"be_wraith", "grim-reaper", "303040"},
    {"be_troll", "troll", "406040"},
    {"be_mummy", "mummy-head", "c0b080"},
    {"be_snake_viper", "snake", "60a030"},
    {"be_fungus_violet", "mushroom", "a040c0"},
};
const tplan_line items[] = {
    {"it_coin", "two-coins", "ffd700"},
    {"it_sword_long", "broadsword", "d0d0e0"},
    {"it_potion_healing", "health-potion", "e03030"},
    {"it_scroll_teleport", "scroll-unfurled", "e0d0a0"},
    {"it_shield_wooden", "shield", "7a5a30"},
    {"it_gem_ruby", "cut-diamond", "e01030"},
    {"it_axe_battle", "battle-axe", "b0a090"},
    {"it_ring_fire", "ring", "ff4020"},
    {"it_bread", "bread", "d0a060"},
    {"it_helmet", "visored-helm", "a0a0a8"},
};
const tplan_line talent_ids[] = {{"t_fireball", "fireball", "ff6020"}};
constexpr int creature_count = int(std::size(creatures)), item_count = int(std::size(items)),
              talent_count_ = int(std::size(talent_ids));

bool opaque(int x, int y) {
    const tcell& c = map_cells(x, y);
    if (c.block <= 40) return true;
    return c.furniture >= 8 && c.furniture <= 10 && c.furniture_state == 0;
}

// A straight line from (x0, y0) to (x1, y1) that no opaque cell before the end interrupts.
bool line_clear(int x0, int y0, int x1, int y1) {
    const int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 1; i < n; ++i) {
        const int x = x0 + int(std::lround(double(x1 - x0) * i / n));
        const int y = y0 + int(std::lround(double(y1 - y0) * i / n));
        if (opaque(x, y)) return false;
    }
    return true;
}

uint16_t shaded(int category, uint16_t image, int light) {
    const int run = category <= 2 ? light + 1 : std::max(1, light);
    return uint16_t(image + tileset_header.variant_offset(category, run));
}

bool is_floor_cell(int x, int y) {
    return x >= 1 && y >= 1 && x <= map_size && y <= map_size && map_cells(x, y).block > 40 &&
           map_cells(x, y).furniture == 0 && map_cells(x, y).being == 0;
}

int put_being(int index, int plan, int x, int y, int attitude, bool asleep) {
    tbeing& b = beings[index];
    b = blank_being;
    b.serial = index;
    b.plan = uint16_t(plan);
    b.image = sprite_categories[6][size_t(plan)].first_image; // as creation sets it
    b.x = uint8_t(x);
    b.y = uint8_t(y);
    b.width = b.height = 1;
    b.health_max = 20;
    b.health = uint16_t(index == 1 ? 20 : 6 + 3 * index);
    b.attitude_to_player = int16_t(attitude);
    b.friendly = attitude >= 0;
    b.asleep_counter = asleep ? 50 : 0;
    map_cells(x, y).being = uint16_t(index);
    return index;
}

} // namespace

bool build_tileset(const std::string& folder) {
    const std::filesystem::path builder =
        std::filesystem::path(DRAVOK_DATA_DIR) / ".." / ".." / "tools" / "tilebuild" / "tilebuild";
    if (!std::filesystem::exists(builder)) return false;
    std::filesystem::create_directories(folder + "/Data");
    const std::string plans = folder + "/plans.txt";
    {
        std::ofstream f(plans);
        auto put = [&f](const char* kind, const tplan_line& t) {
            f << kind << " " << t.id << " " << t.icon << " " << t.colour << "\n";
        };
        for (const auto& t : creatures)
            put("being", t);
        for (const auto& t : items)
            put("item", t);
        for (const auto& t : talent_ids)
            put("talent", t);
    }
    const std::string command = "'" + builder.string() + "' --out '" + folder + "/Data' --plans '" + plans +
                                "' --icons '" + DRAVOK_SOURCE_DIR + "/content/art/icons'";
    return std::system(command.c_str()) == 0;
}

void prepare_tables() {
    being_plans.assign(creature_count + 1, tbeing_plan{});
    item_plans.assign(item_count + 1, titem_plan{});
    talents.assign(talent_count_ + 1, ttalent{});
    default_settings();
    settings.coin_plan = 1;
}

bool prepare_level(unsigned seed) {
    using namespace testing_levels;
    use_temporary_error_log();
    make_test_level({.map_size = 64, .dig_steps = 80, .corridor_weight = 40, .room_weight = 60});
    random_seed = seed;
    create_level(1);
    // The world's arrays at their first sizes, whatever an earlier test left.
    beings.clear();
    allocate_world();
    clear_being_arrays();
    // The player: a room floor with a door within four cells and many floor cells round it.
    placed = {};
    for (int x = 6; x <= map_size - 6 && !placed.player_x; ++x)
        for (int y = 6; y <= map_size - 6 && !placed.player_x; ++y) {
            if (!is_floor_cell(x, y)) continue;
            int floors = 0, door_x = 0, door_y = 0;
            for (int dx = -4; dx <= 4; ++dx)
                for (int dy = -4; dy <= 4; ++dy) {
                    const tcell& c = map_cells(x + dx, y + dy);
                    if (c.block > 40 && c.furniture == 0) ++floors;
                    if (c.furniture == 8) door_x = x + dx, door_y = y + dy;
                }
            if (door_x && floors >= 30) placed = {x, y, 0, 0, 0, 0, door_x, door_y, {}, {}};
        }
    if (!placed.player_x) return false;
    player = player_character = put_being(1, 1, placed.player_x, placed.player_y, 0, false);
    // The frame's own light pass recomputes the player's sight over the ray tables; dark vision
    // keeps the test's creatures in view whatever the lights of the generated level.
    build_ray_endpoints();
    build_sight_rays();
    beings[player].dark_vision = 10;
    // Creatures and items on free floor cells nearest the player, in view.
    int next = 2;
    int item_plan = 1;
    for (int r = 1; r <= 7 && (next <= creature_count || item_plan <= item_count); ++r)
        for (int dx = -r; dx <= r; ++dx)
            for (int dy = -r; dy <= r; ++dy) {
                if (std::max(std::abs(dx), std::abs(dy)) != r) continue;
                const int x = placed.player_x + dx, y = placed.player_y + dy;
                if (!is_floor_cell(x, y) || !line_clear(placed.player_x, placed.player_y, x, y)) continue;
                if ((dx + dy) % 2 == 0 && next <= creature_count) {
                    put_being(next, next, x, y, next == 4 ? 15 : -40, next == 3);
                    if (!placed.creature_x) placed.creature_x = x, placed.creature_y = y;
                    placed.creature_cells.push_back({x, y});
                    ++next;
                } else if (item_plan <= item_count) {
                    level_items[item_plan] = blank_item;
                    level_items[item_plan].plan = uint16_t(item_plan);
                    level_items[item_plan].serial = item_plan;
                    level_items[item_plan].image = sprite_categories[7][size_t(item_plan)].first_image;
                    map_cells(x, y).top_item = uint16_t(item_plan);
                    map_cells(x, y).loose_items = item_plan == 1 ? 3 : 1;
                    if (!placed.item_x) placed.item_x = x, placed.item_y = y;
                    placed.item_cells.push_back({x, y});
                    ++item_plan;
                }
            }
    game_mode = mode_main;
    compute_view();
    return placed.creature_x != 0 && placed.item_x != 0;
}

void compute_view() {
    view_memory.fill(tview_cell{});
    const int px = beings[player].x, py = beings[player].y;
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y) {
            const double d = std::hypot(x - px, y - py);
            tcell& c = map_cells(x, y);
            const int light = d <= 3.5 ? 3 : d <= 6.5 ? 2 : d <= 9.5 ? 1 : 0;
            light_map.light(x, y) = uint8_t(light);
            const bool seen = light > 0 && line_clear(px, py, x, y);
            if (!seen) continue;
            c.explored = 1;
            tview_cell& m = view_memory(x, y);
            const auto& terrain = sprite_categories[1][c.block];
            c.remembered_terrain() = uint16_t(terrain.first_image + c.block_variant);
            m.terrain = shaded(1, c.remembered_terrain(), light);
            if (c.furniture) {
                const auto& f = sprite_categories[2][c.furniture];
                if (f.first_image) {
                    c.remembered_furniture() =
                        uint16_t(f.first_image + c.furniture_variant + c.furniture_state);
                    m.furniture = shaded(2, c.remembered_furniture(), light);
                }
            }
            if (c.being) {
                const tbeing& b = beings[c.being];
                m.being = shaded(6, sprite_categories[6][b.plan].first_image, light);
                sight_matrix[player][c.being] = 1;
                sight_matrix[c.being][player] = 1;
            }
            if (c.top_item)
                m.item = shaded(7, sprite_categories[7][level_items[c.top_item].plan].first_image, light);
        }
}

} // namespace dravok::frame_fixture
