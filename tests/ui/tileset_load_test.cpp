// Loading the tile set: sprites cut in order at either tile size, the threat arrows, the coin
// icon, and the fatal messages for missing and damaged files.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "support/damaged_images.h"
#include "support/memory_cap.h"
#include "ui/graphics.h"
#include "ui/tileset.h"
#include "ui/tileset_fixture.h"
#include "world/error_log.h"

namespace dravok {
namespace {

Colour rect_colour(int r) {
    return rgb(r % 256, r / 256, 0x40);
}

void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

class TilesetLoad : public ::testing::Test {
  public:
    std::filesystem::path dir;
    std::string index_path, sheet_path;
    ttileset_index ix = small_index();
    const std::string database_path = "Data/Dravok.dbs";
    ttileset_expectation expect{3, 2, 1, 2, database_path};

    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("dravok_tiles_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        index_path = (dir / "Dravok.dti").string();
        sheet_path = (dir / "Dravok.dts").string();
        clear_quit_request();
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        clear_quit_request();
    }
    void write_index(const std::vector<uint8_t>& bytes) { write_bytes(index_path, bytes); }
    void write_sheet(int height_tiles) {
        Bitmap sheet(160, 16 * height_tiles);
        sheet.clear(colours::white);
        for (std::size_t r = 1; r < ix.rectangles.size(); ++r) {
            const auto& q = ix.rectangles[r];
            if (q.bottom <= sheet.height())
                sheet.fill_rect(Rect{q.left, q.top, q.right, q.bottom}, rect_colour(int(r)));
        }
        ASSERT_EQ(SDL_SaveBMP(sheet.surface(), sheet_path.c_str()), 0);
    }
    void write_good() {
        write_index(encode_tileset_index(ix));
        write_sheet(int(ix.rectangles.size() / 10 + 1));
    }
};

TEST_F(TilesetLoad, CutsEveryImageInOrderAtBothTileSizes) {
    write_good();
    for (int tile : {32, 64}) {
        int coin = -1;
        ASSERT_TRUE(load_tileset_files(index_path, sheet_path, expect, tile, 32, coin)) << tile;
        EXPECT_EQ(terrain_sprites.width(), tile);
        EXPECT_EQ(terrain_sprites.count(), tileset_header.terrain_images + 1);
        EXPECT_EQ(object_sprites.count(), tileset_header.object_images + 1);
        EXPECT_EQ(icon_sprites.count(), tileset_header.icon_images + 1);
        // Image 0 is blank in every list; image n is the n-th cut of its list.
        EXPECT_EQ(object_sprites.image(0).pixel(3, 3), colours::white);
        EXPECT_EQ(terrain_sprites.image(1).pixel(tile / 2, tile / 2), rect_colour(1));
        const int furniture_rect = tileset_header.first_rectangle_of(2);
        EXPECT_EQ(object_sprites.image(1).pixel(1, 1), rect_colour(furniture_rect));
        // The brightest run of terrain entry 41 (a floor) comes from its run-4 rectangle.
        const int img = sprite_categories[1][41].first_image + tileset_header.variant_offset(1, 4);
        const int rect = tileset_header.first_rectangle_of(1) + img - 1;
        EXPECT_EQ(terrain_sprites.image(img).pixel(0, 0), rect_colour(rect));
        EXPECT_EQ(coin, sprite_categories[9][2].first_image);
        EXPECT_EQ(threat_marker_bitmaps[3].width(), tile);
        EXPECT_TRUE(threat_marker_bitmaps[3].transparent());
        EXPECT_FALSE(quit_requested());
    }
}

TEST_F(TilesetLoad, MissingOrDamagedFilesEndTheProgramWithTheirMessage) {
    struct fault {
        const char* what;
        std::function<void(TilesetLoad&)> make;
        std::string message;
    };
    const std::vector<fault> faults = {
        {"no index", [](TilesetLoad& t) { t.write_sheet(1); }, "Missing file \"INDEX\"! Shutting down."},
        {"no sheet", [](TilesetLoad& t) { t.write_index(encode_tileset_index(t.ix)); },
         "Missing file \"SHEET\"! Shutting down."},
        {"truncated index",
         [](TilesetLoad& t) {
             t.write_good();
             auto b = *read_file(t.index_path);
             b.resize(100);
             t.write_index(b);
         },
         "Data file \"INDEX\" is corrupted or not compatible with this game version!"},
        {"sheet not a bitmap",
         [](TilesetLoad& t) {
             t.write_index(encode_tileset_index(t.ix));
             std::ofstream(t.sheet_path) << "garbage";
         },
         "Data file \"SHEET\" is corrupted"},
        {"sheet too small for its rectangles",
         [](TilesetLoad& t) {
             t.write_index(encode_tileset_index(t.ix));
             t.write_sheet(2);
         },
         "Data file \"SHEET\" is corrupted"},
        {"sheet whose rows are cut short",
         [](TilesetLoad& t) {
             t.write_good();
             std::filesystem::resize_file(t.sheet_path, std::filesystem::file_size(t.sheet_path) - 100);
         },
         "Data file \"SHEET\" is corrupted"},
        {"97-byte sheet claiming 67,108,888 x 16",
         [](TilesetLoad& t) {
             t.write_index(encode_tileset_index(t.ix));
             write_bytes(t.sheet_path, testing::bmp_file(67'108'888, 16, 24, 0, 97));
         },
         "Data file \"SHEET\" is corrupted"},
        {"index made for another database",
         [](TilesetLoad& t) {
             t.write_good();
             t.expect.being_plans = 4;
         },
         "Data file \"DATABASE\" is corrupted"},
        {"damaged index that also disagrees with the database",
         [](TilesetLoad& t) {
             t.write_good();
             t.expect.being_plans = 4;
             auto b = *read_file(t.index_path);
             b[12] = 89; // 89 terrain entries
             t.write_index(b);
         },
         "Data file \"INDEX\" is corrupted"},
    };
    for (const auto& f : faults) {
        std::filesystem::remove(index_path);
        std::filesystem::remove(sheet_path);
        clear_quit_request();
        expect = {3, 2, 1, 2, database_path};
        f.make(*this);
        std::string want = f.message;
        for (const auto& [name, path] :
             {std::pair{"INDEX", index_path}, {"SHEET", sheet_path}, {"DATABASE", database_path}})
            if (auto at = want.find(name); at != std::string::npos) want.replace(at, std::strlen(name), path);
        ::testing::internal::CaptureStderr();
        int coin = 0;
        EXPECT_FALSE(load_tileset_files(index_path, sheet_path, expect, 32, 32, coin)) << f.what;
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(want), std::string::npos) << f.what << ": " << said;
        EXPECT_TRUE(quit_requested()) << f.what;
    }
}

TEST_F(TilesetLoad, TheTinySheetOfAHugePictureCostsLittleMemory) {
    write_index(encode_tileset_index(ix));
    write_bytes(sheet_path, testing::bmp_file(67'108'888, 16, 24, 0, 97));
    ::testing::internal::CaptureStderr();
    const testing::tcapped_run run = testing::run_with_memory_cap(256 * testing::mebibyte, [&] {
        int coin = 0;
        return load_tileset_files(index_path, sheet_path, expect, 32, 32, coin) ? 1 : 0;
    });
    ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.result, 0);
    constexpr std::size_t budget = 50 * testing::mebibyte;
    EXPECT_LT(run.peak_growth, budget);
    std::printf("peak memory growth loading the 97-byte sheet: %.2f MB\n", run.peak_growth / 1e6);
}

} // namespace
} // namespace dravok
