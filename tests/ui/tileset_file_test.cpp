// The tile-set index: round trip, cut order, and every way a damaged index is refused.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "records/tileset_file.h"
#include "ui/tileset_fixture.h"

namespace dravok {
namespace {

const ttileset_expectation expect{3, 2, 1, 2, {}};

TEST(TilesetIndex, RoundTripCutsEveryImageInListOrder) {
    ttileset_index ix = small_index();
    const auto bytes = encode_tileset_index(ix);
    ttileset_index back;
    ASSERT_TRUE(parse_tileset_index(bytes, expect, back));
    EXPECT_EQ(back.header.file_size, bytes.size());
    EXPECT_EQ(back.cuts.size(), back.header.rectangles);
    // Rectangles are cut in order 1, 2, 3 ... and each list's run starts after the blank.
    for (std::size_t i = 0; i < back.cuts.size(); ++i)
        EXPECT_EQ(back.cuts[i].rectangle, i + 1);
    EXPECT_EQ(back.categories[1][1].first_image, 1);
    EXPECT_EQ(back.categories[1][40].first_image, 1 + 2 * 38); // entry 39 is absent
    // Variant run 2 of the terrain starts after all run-1 terrain images.
    EXPECT_EQ(back.header.variant_offset(1, 2), back.header.terrain_images / 4);
    EXPECT_EQ(back.categories[2][1].first_image, 1);
    EXPECT_EQ(back.categories[9][1].first_image, 1);
    EXPECT_TRUE(tileset_rectangles_fit(back, 160, 16 * 200));
    EXPECT_FALSE(tileset_rectangles_fit(back, 159, 16 * 200));
}

TEST(TilesetIndex, SkippedEntryConsumesNoRectangles) {
    ttileset_index ix = small_index();
    ix.categories[6][2].skip = 1;
    assign_tileset_positions(ix);
    const auto bytes = encode_tileset_index(ix);
    ttileset_index back;
    ASSERT_TRUE(parse_tileset_index(bytes, expect, back));
    // Creature 3 follows creature 1 directly, in both the image list and the rectangles.
    EXPECT_EQ(back.categories[6][3].first_image, back.categories[6][1].first_image + 1);
    EXPECT_EQ(back.cuts.size(), back.header.rectangles);
}

TEST(TilesetIndex, DamagedIndexIsRefused) {
    struct damage {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> apply;
    };
    auto put16 = [](std::vector<uint8_t>& b, std::size_t at, uint16_t v) { std::memcpy(&b[at], &v, 2); };
    auto fix_size = [](std::vector<uint8_t>& b) {
        uint32_t n = uint32_t(b.size());
        std::memcpy(&b[212], &n, 4);
    };
    const std::vector<damage> cases = {
        {"215 bytes", [](auto& b) { b.resize(215); }},
        {"empty", [](auto& b) { b.clear(); }},
        {"size field off by one", [](auto& b) { b[212] += 1; }},
        {"one byte more than the size field", [](auto& b) { b.push_back(0); }},
        {"89 terrain entries", [&](auto& b) { put16(b, 12, 89); }},
        {"61 furniture entries", [&](auto& b) { put16(b, 14, 61); }},
        {"another creature count", [&](auto& b) { put16(b, 22, 4); }},
        {"another item count", [&](auto& b) { put16(b, 24, 1); }},
        {"4 effect entries", [&](auto& b) { put16(b, 26, 4); }},
        {"another talent count", [&](auto& b) { put16(b, 30, 2); }},
        {"45 interface icons", [&](auto& b) { put16(b, 32, 45); }},
        {"tables cut short",
         [&](auto& b) {
             b.resize(b.size() - 16);
             fix_size(b);
         }},
        {"rectangle count too small",
         [&](auto& b) {
             uint16_t n;
             std::memcpy(&n, &b[4], 2);
             put16(b, 4, n - 1);
             b.resize(b.size() - 16);
             fix_size(b);
         }},
        {"first image out of order", [&](auto& b) { put16(b, 216 + 10 * 1, 7); }},
        {"first rectangle beyond the count", [&](auto& b) { put16(b, 56 + 2 * 10, 60000); }},
        {"variant offset wrong", [&](auto& b) { put16(b, 102 + 2, 5); }},
        {"absurd image count",
         [&](auto& b) {
             put16(b, 216 + 10 * 90 + 2, 65535);
             put16(b, 216 + 10 * 90 + 4, 65535);
         }},
    };
    const auto good = encode_tileset_index(small_index());
    for (const auto& c : cases) {
        auto bytes = good;
        c.apply(bytes);
        ttileset_index out;
        EXPECT_FALSE(parse_tileset_index(bytes, expect, out)) << c.what;
    }
    ttileset_index out;
    EXPECT_FALSE(parse_tileset_index(good, ttileset_expectation{3, 2, 1, 3, {}}, out))
        << "coin beyond the icons";
}

} // namespace
} // namespace dravok
