#include "level_fixture.h"

#include <cstring>
#include <filesystem>
#include <sstream>

#include <unistd.h>

#include "generation/areas.h"
#include "generation/dig.h"
#include "generation/marks.h"
#include "platform/bitmap.h"
#include "platform/files.h"
#include "platform/image_files.h"
#include "records/layout_base.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "support/built_figures.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/random.h"
#include "world/rounding.h"
#include "world/state.h"
#include "world/tables.h"
#include "world/world_lifecycle.h"

namespace dravok::testing_levels {

bool load_built_database() {
    return load_database_from(std::string(DRAVOK_DATA_DIR) + "/Dravok.dbs") && load_built_sprite_figures();
}

void start_blank_attempt(int size) {
    make_test_level({.map_size = size});
    level.generator.wall_block = 14;
    level.generator.floor_block = 63;
    level.generator.filler_block = 5;
    level.generator.natural_floor_block = 47;
    create_dungeon(0);
    clear_marks();
    clear_grid(mark_grid);
}

void carve_area(int area, int x1, int y1, int x2, int y2, int kind) {
    for (int x = x1; x <= x2; ++x)
        for (int y = y1; y <= y2; ++y) {
            const bool edge = x == x1 || x == x2 || y == y1 || y == y2;
            set_block(x, y, edge ? 14 : 63, 0, false, area, kind);
        }
    add_to_areas(area, x1, y1, 1, x1, y1, x2, y2, kind, (x2 - x1 + 1) * (y2 - y1 + 1), 0);
    if (static_cast<int>(dungeon.next_area) <= area) dungeon.next_area = area + 1;
}

namespace {

constexpr uint8_t poison = 0xA5;

bool outside(int x, int y) {
    return x > map_size || y > map_size;
}

} // namespace

void poison_outside_map() {
    for (int x = 1; x <= max_map_size; ++x)
        for (int y = 1; y <= max_map_size; ++y) {
            if (!outside(x, y)) continue;
            std::memset(&cell_at(x, y), poison, sizeof(tcell));
            for (byte_grid* g : {&shape_grid, &dug_grid, &mark_grid, &mark_block_grid, &mark_area_grid,
                                 &corridor_end_grid, &exit_grid})
                (*g)[x - 1][y - 1] = poison;
            impenetrable_walls[x - 1][y - 1] = poison;
        }
}

bool outside_map_untouched() {
    for (int x = 1; x <= max_map_size; ++x)
        for (int y = 1; y <= max_map_size; ++y) {
            if (!outside(x, y)) continue;
            const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&cell_at(x, y));
            for (size_t i = 0; i < sizeof(tcell); ++i)
                if (bytes[i] != poison) return false;
            // Generator grids are reset whole per attempt: beyond the map they may only be cleared.
            for (byte_grid* g : {&shape_grid, &dug_grid, &mark_grid, &mark_block_grid, &mark_area_grid,
                                 &corridor_end_grid, &exit_grid})
                if ((*g)[x - 1][y - 1] != poison && (*g)[x - 1][y - 1] != 0) return false;
            if (impenetrable_walls[x - 1][y - 1] != poison && impenetrable_walls[x - 1][y - 1] != 0)
                return false;
        }
    return true;
}

int unreachable_floor_cells() {
    std::vector<uint8_t> seen(max_map_size * max_map_size, 0);
    auto passable = [](int x, int y) {
        if (!on_map(x, y, 0)) return false;
        const tcell& c = cell_at(x, y);
        // Doors, and walls that vanish when their area is revealed.
        return c.block >= 41 || (c.furniture >= 8 && c.furniture <= 11) || c.furniture == 36;
    };
    std::vector<std::pair<int, int>> queue;
    int total = 0;
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y)
            if (cell_at(x, y).block >= 41) {
                ++total;
                if (queue.empty()) {
                    queue.push_back({x, y});
                    seen[(x - 1) * max_map_size + y - 1] = 1;
                }
            }
    int reached = 0;
    for (size_t i = 0; i < queue.size(); ++i) {
        const auto [x, y] = queue[i];
        if (cell_at(x, y).block >= 41) ++reached;
        static const int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
        for (int d = 0; d < 4; ++d) {
            const int nx = x + dx[d], ny = y + dy[d];
            if (!passable(nx, ny) || seen[(nx - 1) * max_map_size + ny - 1]) continue;
            seen[(nx - 1) * max_map_size + ny - 1] = 1;
            queue.push_back({nx, ny});
        }
    }
    return total - reached;
}

std::string area_record_faults() {
    std::ostringstream out;
    const int high = area_high_index();
    if (high != static_cast<int>(dungeon.next_area) - 1)
        out << "areas holds " << high << " records for " << dungeon.next_area - 1 << " areas; ";
    std::vector<int> floors(high + 1, 0);
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y) {
            const tcell& c = cell_at(x, y);
            if (c.area == 0) {
                if (c.block >= 41) out << "floor without area at " << x << "," << y << "; ";
                continue;
            }
            if (c.area > high) {
                out << "cell " << x << "," << y << " claims area " << int(c.area) << "; ";
                continue;
            }
            const tarea& a = areas[c.area];
            if (x < a.x1 || x > a.x2 || y < a.y1 || y > a.y2)
                out << "cell " << x << "," << y << " lies outside area " << int(c.area) << "; ";
            // Walls merged into a neighbour become room floor of the round area.
            const bool merged = c.shape == area_room && (a.kind == area_ellipse || a.kind == area_polygon);
            if (c.shape != a.kind && !merged)
                out << "cell " << x << "," << y << " has kind " << int(c.shape) << "; ";
            if (c.block >= 41) ++floors[c.area];
        }
    for (int i = 1; i <= high; ++i) {
        const tarea& a = areas[i];
        if (floors[i] == 0) out << "area " << i << " has no floor; ";
        if (a.width != a.x2 - a.x1 + 1 || a.height != a.y2 - a.y1 + 1) out << "area " << i << " size; ";
        if (a.cells != a.width * a.height) out << "area " << i << " cell count; ";
        if (a.centre_x < a.x1 || a.centre_x > a.x2 || a.centre_y < a.y1 || a.centre_y > a.y2)
            out << "area " << i << " centre; ";
        if (a.kind < 1 || a.kind > 9) out << "area " << i << " kind; ";
        if (a.x1 < 1 || a.y1 < 1 || a.x2 > map_size || a.y2 > map_size)
            out << "area " << i << " off the map; ";
    }
    return out.str();
}

void use_temporary_error_log() {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("dravok_levelgen_log_" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    set_program_folder(folder.string());
    error_log_lines.clear();
    clear_quit_request();
    state.generating_level = 0;
    if (sight_ray_counts[1] == 0) build_ray_endpoints();
}

void restore_error_log() {
    set_program_folder("");
    error_log_lines.clear();
    clear_quit_request();
}

std::string last_logged_message() {
    // An entry is an empty line, then the headline: release, date and time, then the message.
    if (error_log_lines.size() < 2) return "";
    const std::string& headline = error_log_lines[1];
    const std::size_t gap = headline.rfind("     ");
    return gap == std::string::npos ? headline : headline.substr(gap + 5);
}

namespace {

Colour cell_colour(int x, int y) {
    const tcell& c = cell_at(x, y);
    switch (c.furniture) {
    case 8:
        return c.furniture_state ? rgb(230, 200, 60) : rgb(150, 90, 30);
    case 11:
        return rgb(200, 40, 40);
    default:
        break;
    }
    if (c.block < 41) return c.area ? rgb(70, 70, 80) : rgb(25, 25, 30);
    // Floors: corridors light, rooms tinted by area number so neighbours can be told apart.
    if (c.shape == area_corridor) return rgb(190, 190, 170);
    const int a = c.area;
    return rgb(120 + (a * 47) % 100, 130 + (a * 29) % 90, 150 + (a * 13) % 80);
}

} // namespace

std::string level_image_folder() {
    // Beside the staged game folder: <build>/levelgen-images.
    const std::filesystem::path folder =
        std::filesystem::path(DRAVOK_DATA_DIR).parent_path().parent_path() / "levelgen-images";
    std::filesystem::create_directories(folder);
    return folder.string();
}

bool write_level_png(const std::string& path) {
    constexpr int scale = 6;
    Bitmap picture(map_size * scale, map_size * scale);
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y) {
            const Colour colour = cell_colour(x, y);
            const Colour grid =
                rgb(red_of(colour) * 7 / 8, green_of(colour) * 7 / 8, blue_of(colour) * 7 / 8);
            const int left = (x - 1) * scale, top = (y - 1) * scale;
            picture.fill_rect(Rect::from_size(left, top, scale, scale), grid);
            picture.fill_rect(Rect::from_size(left, top, scale - 1, scale - 1), colour);
        }
    return write_png(path, picture);
}

std::vector<uint8_t> level_snapshot() {
    std::vector<uint8_t> bytes;
    for (int x = 1; x <= map_size; ++x) {
        const uint8_t* column = reinterpret_cast<const uint8_t*>(&map_cells(x, 1));
        bytes.insert(bytes.end(), column, column + sizeof(tcell) * map_size);
    }
    const uint8_t* records = reinterpret_cast<const uint8_t*>(areas.data());
    bytes.insert(bytes.end(), records, records + sizeof(tarea) * areas.size());
    const uint8_t* seed = reinterpret_cast<const uint8_t*>(&level.seed);
    bytes.insert(bytes.end(), seed, seed + sizeof level.seed);
    return bytes;
}

void levels_in_play_test::SetUp() {
    use_temporary_error_log();
    folder = program_folder();
    ASSERT_TRUE(load_built_database());
    free_beings();
    allocate_world();
    reset_table_run_fields();
    random_seed = seed_;
}

void levels_in_play_test::TearDown() {
    std::filesystem::remove_all(folder + "Temporary");
    levels.clear();
    portals.assign(1, tportal{});
    vaults.clear();
    contents.clear();
    restore_error_log();
}

} // namespace dravok::testing_levels
