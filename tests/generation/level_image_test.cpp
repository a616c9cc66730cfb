// Writes a generated 128 x 128 level as a PNG for people to look at; the path is printed.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "generation/areas.h"
#include "generation/level_creation.h"
#include "level_fixture.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "rules/being_creation.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/map.h"
#include "world/random.h"
#include "world/rounding.h"

namespace dravok {
namespace {

using namespace testing_levels;

TEST(LevelImage, GeneratedLevelIsWrittenAsPng) {
    use_temporary_error_log();
    make_test_level({.map_size = 128, .dig_steps = 200, .corridor_weight = 45, .room_weight = 55});
    random_seed = 20261209;
    create_level(1);
    ASSERT_FALSE(quit_requested()) << last_logged_message();

    const std::filesystem::path folder = level_image_folder();
    const std::filesystem::path path = folder / "generated_level.png";
    ASSERT_TRUE(write_level_png(path.string()));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
    restore_error_log();
    std::printf("Generated level image: %s (%d areas)\n", path.c_str(), area_high_index());
}

} // namespace
} // namespace dravok
