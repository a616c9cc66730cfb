// Writes a generated 128 x 128 level as a PNG for people to look at; the path is printed.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "generation/areas.h"
#include "generation/level_creation.h"
#include "generation/standin_world.h"
#include "level_fixture.h"

namespace dravok {
namespace {

using namespace testing_levels;

struct rgb {
    uint8_t r, g, b;
};

rgb cell_colour(int x, int y) {
    const tcell& c = cell_at(x, y);
    switch (c.furniture) {
    case 8: return c.furniture_state ? rgb{230, 200, 60} : rgb{150, 90, 30};
    case 11: return {200, 40, 40};
    default: break;
    }
    if (c.block < 41) return c.area ? rgb{70, 70, 80} : rgb{25, 25, 30};
    // Floors: corridors light, rooms tinted by area number so neighbours can be told apart.
    if (c.shape == area_corridor) return {190, 190, 170};
    const int a = c.area;
    return {static_cast<uint8_t>(120 + (a * 47) % 100), static_cast<uint8_t>(130 + (a * 29) % 90),
            static_cast<uint8_t>(150 + (a * 13) % 80)};
}

bool write_png(const std::filesystem::path& path, int width, int height, const std::vector<uint8_t>& pixels) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) png_write_row(png, &pixels[static_cast<size_t>(y) * width * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return true;
}

TEST(LevelImage, GeneratedLevelIsWrittenAsPng) {
    use_temporary_error_log();
    make_test_level({.map_size = 128, .dig_steps = 200, .corridor_weight = 45, .room_weight = 55});
    random_seed = 20261209;
    create_level(1);
    ASSERT_FALSE(quit_requested()) << last_logged_message();

    constexpr int scale = 6;
    const int side = map_size * scale;
    std::vector<uint8_t> pixels(static_cast<size_t>(side) * side * 3);
    for (int x = 1; x <= map_size; ++x)
        for (int y = 1; y <= map_size; ++y) {
            const rgb colour = cell_colour(x, y);
            for (int py = 0; py < scale; ++py)
                for (int px = 0; px < scale; ++px) {
                    const bool grid_line = px == scale - 1 || py == scale - 1;
                    const size_t i = (static_cast<size_t>((y - 1) * scale + py) * side + (x - 1) * scale + px) * 3;
                    pixels[i] = grid_line ? colour.r * 7 / 8 : colour.r;
                    pixels[i + 1] = grid_line ? colour.g * 7 / 8 : colour.g;
                    pixels[i + 2] = grid_line ? colour.b * 7 / 8 : colour.b;
                }
        }
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "dravok-levelgen";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / "generated_level.png";
    ASSERT_TRUE(write_png(path, side, side, pixels));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
    restore_error_log();
    std::printf("Generated level image: %s (%d areas)\n", path.c_str(), area_high_index());
}

} // namespace
} // namespace dravok
