// Damaged and hostile picture files: every read refuses them quickly, within a small memory cap
// and without waiting on a FIFO, while good files of every kind the game reads still load.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <functional>

#include "platform/files.h"
#include "platform/image_files.h"
#include "platform/temp_folder.h"
#include "support/damaged_images.h"
#include "support/memory_cap.h"

namespace dravok {
namespace {

using testing::blank_png;
using testing::bmp_file;
using testing::mebibyte;

constexpr std::size_t read_cap = 64 * mebibyte;

void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<uint8_t> file_bytes(const std::string& path) {
    return *read_file(path);
}

// A good 24-bit sheet as a tool writes it.
std::vector<uint8_t> good_sheet(const testing::TempFolder& tmp) {
    Bitmap sheet(160, 48);
    sheet.clear(colours::white);
    EXPECT_EQ(SDL_SaveBMP(sheet.surface(), (tmp / "good.bmp").c_str()), 0);
    return file_bytes(tmp / "good.bmp");
}

enum class picture_kind { bmp, png };

struct tdamaged {
    const char* what;
    picture_kind kind;
    std::function<std::vector<uint8_t>()> bytes; // empty result: a FIFO takes the file's place
};

TEST(DamagedPictures, AreRefusedQuicklyWithinAMemoryCap) {
    testing::TempFolder tmp;
    const std::vector<uint8_t> sheet = good_sheet(tmp);
    const std::vector<tdamaged> cases = {
        {"97-byte sheet claiming 67,108,888 x 16", picture_kind::bmp,
         [] { return bmp_file(67'108'888, 16, 24, 0, 97); }},
        {"65536 x 65536 header", picture_kind::bmp, [] { return bmp_file(65536, 65536, 24, 0, 200); }},
        {"sheet with its height byte 25 flipped", picture_kind::bmp,
         [&] {
             auto b = sheet;
             b[25] ^= 0xFF;
             return b;
         }},
        {"sheet with its rows cut short", picture_kind::bmp,
         [&] {
             auto b = sheet;
             b.resize(b.size() / 2);
             return b;
         }},
        {"top-down 70000 rows", picture_kind::bmp, [] { return bmp_file(16, -70000, 24, 0, 4000); }},
        {"8-bit 16384 x 16384 in 2 KB", picture_kind::bmp, [] { return bmp_file(16384, 16384, 8, 0, 2048); }},
        {"run-length 4000 x 4000 in 1 KB", picture_kind::bmp,
         [] { return bmp_file(4000, 4000, 8, 1, 1024); }},
        {"zero width", picture_kind::bmp, [] { return bmp_file(0, 16, 24, 0, 200); }},
        {"JPEG inside", picture_kind::bmp, [] { return bmp_file(16, 16, 0, 4, 2000); }},
        {"FIFO as the sheet", picture_kind::bmp, [] { return std::vector<uint8_t>{}; }},
        {"valid 32767 x 32767 one-bit PNG", picture_kind::png, [] { return blank_png(32767, 32767, 1); }},
        {"valid 16384 x 16384 one-bit PNG", picture_kind::png, [] { return blank_png(16384, 16384, 1); }},
        {"5000 x 5000 PNG with its data cut off", picture_kind::png,
         [] { return blank_png(5000, 5000, 8, 40); }},
        {"garbage after the PNG signature", picture_kind::png,
         [] { return std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 'x', 'y'}; }},
        {"FIFO as the picture", picture_kind::png, [] { return std::vector<uint8_t>{}; }},
    };
    for (const tdamaged& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = tmp / "picture";
        std::remove(path.c_str());
        const std::vector<uint8_t> bytes = c.bytes();
        if (bytes.empty())
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        else
            write_bytes(path, bytes);
        const testing::tcapped_run run = testing::run_with_memory_cap(read_cap, [&] {
            Bitmap out(1, 1);
            const bool read = c.kind == picture_kind::bmp ? read_bmp(path, out) : read_png(path, out);
            return read || out.width() != 1 ? 1 : 0; // refused, and the target untouched
        });
        EXPECT_TRUE(run.finished) << "ran out of memory, crashed or hung";
        EXPECT_EQ(run.result, 0);
    }
}

TEST(DamagedPictures, GoodFilesOfEveryKindStillLoad) {
    testing::TempFolder tmp;
    Bitmap picture(40, 30);
    picture.clear(0x204060);
    picture.set_pixel(39, 29, 0xFFEEDD);
    ASSERT_TRUE(write_png(tmp / "p.png", picture));
    // 8-bit paletted: read by the fallback, after the same checks.
    SDL_Surface* paletted = SDL_CreateRGBSurfaceWithFormat(0, 40, 30, 8, SDL_PIXELFORMAT_INDEX8);
    ASSERT_NE(paletted, nullptr);
    SDL_Color colours_used[2] = {{0x20, 0x40, 0x60, 255}, {0xFF, 0xEE, 0xDD, 255}};
    SDL_SetPaletteColors(paletted->format->palette, colours_used, 0, 2);
    SDL_FillRect(paletted, nullptr, 0);
    static_cast<uint8_t*>(paletted->pixels)[29 * paletted->pitch + 39] = 1;
    ASSERT_EQ(SDL_SaveBMP(paletted, (tmp / "p8.bmp").c_str()), 0);
    SDL_FreeSurface(paletted);
    ASSERT_EQ(SDL_SaveBMP(picture.surface(), (tmp / "p24.bmp").c_str()), 0);

    for (const char* name : {"p.png", "p8.bmp", "p24.bmp"}) {
        SCOPED_TRACE(name);
        Bitmap back;
        const std::string path = tmp / name;
        ASSERT_TRUE(std::string(name).ends_with(".png") ? read_png(path, back) : read_bmp(path, back));
        EXPECT_EQ(back.width(), 40);
        EXPECT_EQ(back.pixel(0, 0), 0x204060u);
        EXPECT_EQ(back.pixel(39, 29), 0xFFEEDDu);
    }
    // The caps hold the largest sides the game could meet and nothing past them.
    EXPECT_TRUE(image_size_allowed(max_image_side, max_image_pixels / max_image_side));
    EXPECT_FALSE(image_size_allowed(max_image_side + 1, 1));
    EXPECT_FALSE(image_size_allowed(max_image_side, max_image_pixels / max_image_side + 1));
}

} // namespace
} // namespace dravok
