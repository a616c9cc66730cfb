// Writes a generated 128 x 128 level as a PNG for people to look at; the path is printed.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "generation/areas.h"
#include "generation/level_creation.h"
#include "generation/standin_world.h"
#include "level_fixture.h"
#include "platform/bitmap.h"
#include "platform/image_files.h"

namespace dravok {
namespace {

using namespace testing_levels;

Colour cell_colour(int x, int y) {
    const tcell& c = cell_at(x, y);
    switch (c.furniture) {
    case 8: return c.furniture_state ? rgb(230, 200, 60) : rgb(150, 90, 30);
    case 11: return rgb(200, 40, 40);
    default: break;
    }
    if (c.block < 41) return c.area ? rgb(70, 70, 80) : rgb(25, 25, 30);
    // Floors: corridors light, rooms tinted by area number so neighbours can be told apart.
    if (c.shape == area_corridor) return rgb(190, 190, 170);
    const int a = c.area;
    return rgb(120 + (a * 47) % 100, 130 + (a * 29) % 90, 150 + (a * 13) % 80);
}

TEST(LevelImage, GeneratedLevelIsWrittenAsPng) {
    use_temporary_error_log();
    make_test_level({.map_size = 128, .dig_steps = 200, .corridor_weight = 45, .room_weight = 55});
    random_seed = 20261209;
    create_level(1);
    ASSERT_FALSE(quit_requested()) << last_logged_message();

    constexpr int scale = 6;
    Bitmap picture(map_size * scale, map_size * scale);
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y) {
            const Colour colour = cell_colour(x, y);
            const Colour grid = rgb(red_of(colour) * 7 / 8, green_of(colour) * 7 / 8, blue_of(colour) * 7 / 8);
            const int left = (x - 1) * scale, top = (y - 1) * scale;
            picture.fill_rect(Rect::from_size(left, top, scale, scale), grid);
            picture.fill_rect(Rect::from_size(left, top, scale - 1, scale - 1), colour);
        }
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "dravok-levelgen";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / "generated_level.png";
    ASSERT_TRUE(write_png(path.string(), picture));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
    restore_error_log();
    std::printf("Generated level image: %s (%d areas)\n", path.c_str(), area_high_index());
}

} // namespace
} // namespace dravok
