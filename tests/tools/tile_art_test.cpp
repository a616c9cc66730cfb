// The tile-set builder's creature, item and talent pictures: the icon files the content
// names, refused with the template and the file when missing or broken, two creatures naming
// different icons never showing the same picture, and the outlined tint that reads on any floor.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "platform/colour.h"
#include "ui/graphics.h"
#include "ui/tileset.h"
#include "world/error_log.h"

namespace dravok {
namespace {

namespace fs = std::filesystem;

// A square with a narrow slit down its middle, the shape of the collection's icons: one path
// filled with currentColor in a 512 box, its inner lines cut out.
constexpr const char* block_svg =
    R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 512 512"><path fill="currentColor" )"
    R"(fill-rule="evenodd" d="M96 96h320v320H96zM248 160h16v192h-16z"/></svg>)";

class TileArt : public ::testing::Test {
  public:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() / ("dravok-tile-art-" + std::to_string(getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "icons");
        write("icons/block.svg", block_svg);
        write("icons/block-copy.svg", block_svg);
        write("icons/broken.svg", "<svg>no box</svg>");
    }
    void TearDown() override { fs::remove_all(dir); }
    void write(const std::string& name, const std::string& text) { std::ofstream(dir / name) << text; }
    static fs::path tool() {
        return fs::path(DRAVOK_DATA_DIR) / ".." / ".." / "tools" / "tilebuild" / "tilebuild";
    }
    // Runs the builder on the plan lines; returns its exit status and fills its messages.
    int build(const std::string& plans, std::string& messages) {
        write("plans.txt", plans);
        const std::string cmd = "'" + tool().string() + "' --out '" + dir.string() + "' --plans '" +
                                (dir / "plans.txt").string() + "' --icons '" + (dir / "icons").string() +
                                "' 2>&1";
        FILE* p = popen(cmd.c_str(), "r");
        if (!p) return -1;
        char buf[4096];
        messages.clear();
        while (fgets(buf, sizeof buf, p))
            messages += buf;
        return pclose(p);
    }
};

TEST_F(TileArt, EachPictureFaultStopsTheBuildNamingTheTemplateAndTheFile) {
    if (!fs::exists(tool())) FAIL() << "the tile-set builder is not built";
    const std::string icons = (dir / "icons").string();
    struct tcase {
        const char* plans;
        std::string message; // empty: builds
    } cases[] = {
        // Two creatures naming one icon share it on purpose.
        {"being be_a block 808080\nbeing be_b block 405060\n", ""},
        {"being be_a block\nbeing be_b block-copy\n",
         "being plan \"be_b\": field icon: \"block-copy\" is the same picture as \"block\" of \"be_a\""},
        {"being be_a block\nitem it_x no-such-icon\n",
         "item plan \"it_x\": field icon: icon \"no-such-icon\" has no file " + icons + "/no-such-icon.svg"},
        {"talent t_x builder:dragon\n",
         "talent \"t_x\": field icon: the builder has no picture \"builder:dragon\""},
        {"being be_a ../block\n", "being plan \"be_a\": field icon: \"../block\" is not an icon name"},
        {"item it_x broken\n", "item plan \"it_x\": field icon: broken.svg: the icon's SVG has no viewBox"},
        // The builder's own pictures, and a template naming none, need no file.
        {"being be_h builder:human\nbeing be_d\nitem it_g\n", ""},
    };
    for (const auto& c : cases) {
        std::string messages;
        const int status = build(c.plans, messages);
        if (c.message.empty()) {
            EXPECT_EQ(status, 0) << c.plans << messages;
        } else {
            EXPECT_NE(status, 0) << c.plans;
            EXPECT_NE(messages.find(c.message), std::string::npos) << c.plans << messages;
        }
    }
}

double luma(Colour c) {
    return (0.299 * red_of(c) + 0.587 * green_of(c) + 0.114 * blue_of(c)) / 255;
}

TEST_F(TileArt, IconsAreTintedAndRingedInTheOppositeLightness) {
    if (!fs::exists(tool())) FAIL() << "the tile-set builder is not built";
    std::string messages;
    ASSERT_EQ(build("being be_dark block 202028\nbeing be_light block c0c0c0\nitem it_x block 808080\n"
                    "talent t_x block 808080\n",
                    messages),
              0)
        << messages;
    clear_quit_request();
    int coin = 0;
    ASSERT_TRUE(load_tileset_files((dir / "Dravok.dti").string(), (dir / "Dravok.dts").string(),
                                   {2, 1, 1, 0, {}}, 64, 32, coin));
    for (int plan : {1, 2}) {
        const bool dark = plan == 1;
        const Bitmap& img = object_sprites.image(sprite_categories[6][plan].first_image +
                                                 tileset_header.variant_offset(6, 3));
        const Colour fill = img.pixel(22, 32), slit = img.pixel(32, 32), rim = img.pixel(12, 32);
        EXPECT_EQ(img.pixel(4, 4), colours::white) << "outside the icon stays transparent";
        // The fill keeps its tint; the outline and the icon's inner lines take the opposite
        // lightness, so one of the two stands out on a dark floor and one on a light floor.
        EXPECT_EQ(dark, luma(fill) < 0.3) << plan;
        for (Colour ring : {slit, rim}) {
            EXPECT_EQ(dark, luma(ring) > 0.5) << plan;
            EXPECT_GT(std::abs(luma(ring) - luma(fill)), 0.3) << plan;
        }
    }
    clear_quit_request();
}

} // namespace
} // namespace dravok
