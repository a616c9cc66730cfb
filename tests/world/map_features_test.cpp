// Splashes left by beings and carried by walkers, texts written on cells and the refloored
// tunnels and caves, on the small two-room map.
#include <gtest/gtest.h>

#include <string>

#include "fixtures/small_world.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "world/beings.h"
#include "world/level_areas.h"
#include "world/map.h"
#include "world/map_features.h"
#include "world/random.h"
#include "world/sprite_lookup.h"
#include "world/text_database.h"

namespace dravok {
namespace {

class MapFeatures : public ::testing::Test {
  protected:
    void SetUp() override {
        world = fixtures::build_small_world();
        std::fill(std::begin(splash_last_image), std::end(splash_last_image), 0);
    }
    void TearDown() override { clear_text_database(); }
    fixtures::small_world world;
};

TEST_F(MapFeatures, ABeingsKindDecidesTheSplashAndAHardBlowSpreadsItsTrail) {
    struct row {
        int category;
        int kind;
        int damage;
        int cell, east; // splash kinds at (4, 4) and (5, 4)
    };
    for (const row r :
         {row{tf_undead, 0, 12, 6, 7}, row{tf_construct, 1, 10, 6, 7}, row{tf_ooze, 0, 12, 4, 5},
          row{tf_insect, 3, 12, 4, 5}, row{tf_humanoid, 0, 12, 1, 2}, row{tf_humanoid, 0, 9, 1, 0}}) {
        for (int x : {4, 5})
            cell_at(x, 4).splash = 0;
        beings[world.goblin].category = static_cast<uint8_t>(r.category);
        add_splash(4, 4, world.goblin, r.damage, r.kind, 3);
        EXPECT_EQ(cell_at(4, 4).splash, r.cell) << r.category << " kind " << r.kind;
        EXPECT_EQ(cell_at(5, 4).splash, r.east) << r.category << " kind " << r.kind << " damage " << r.damage;
    }
    // Without a being the kind stands; furniture and walls take nothing.
    add_splash(3, 5, 0, 0, 8, 0);
    EXPECT_EQ(cell_at(3, 5).splash, 8);
    add_furniture(4, 6, fu_chair);
    add_splash(3, 6, 0, 20, 1, 3);
    EXPECT_EQ(cell_at(4, 6).splash, 0);
    add_splash(1, 6, 0, 20, 1, 3);
    EXPECT_EQ(cell_at(1, 6).splash, 0);
}

TEST_F(MapFeatures, AWalkerCarriesAPoolOnAsATrailAboutSixTimesInTenButNeverOntoFurniture) {
    const int g = world.goblin, x = beings[g].x, y = beings[g].y;
    int trails = 0;
    constexpr int steps = 2000;
    for (int i = 0; i < steps; ++i) {
        cell_at(x, y).splash = 1;
        cell_at(x + 1, y).splash = 0;
        smear_splashes(g, x + 1, y, 0);
        trails += cell_at(x + 1, y).splash == 2;
    }
    EXPECT_GT(trails, steps * 55 / 100);
    EXPECT_LT(trails, steps * 67 / 100);
    add_furniture(x + 1, y, fu_chair);
    for (int i = 0; i < 200; ++i) {
        cell_at(x, y).splash = 1;
        smear_splashes(g, x + 1, y, 0);
        ASSERT_EQ(cell_at(x + 1, y).splash, 0);
    }
    // A cell that has a splash already keeps it.
    cell_at(x, y).splash = 1;
    cell_at(x, y + 1).splash = 8;
    for (int i = 0; i < 50; ++i)
        smear_splashes(g, x, y + 1, 0);
    EXPECT_EQ(cell_at(x, y + 1).splash, 8);
}

TEST_F(MapFeatures, ASplashImageDiffersFromTheLastOneWhereTheKindHasSeveral) {
    const tsprite_info kept = sprite_info(sprites_splash, 2);
    set_sprite_info(sprites_splash, 2, tsprite_info{100, 3, 1});
    int last = pick_splash_image(2);
    for (int i = 0; i < 60; ++i) {
        const int pick = pick_splash_image(2);
        ASSERT_GE(pick, 0);
        ASSERT_LT(pick, 3);
        if (last > 0) {
            ASSERT_NE(pick, last);
        }
        last = pick;
    }
    set_sprite_info(sprites_splash, 2, kept);
}

TEST_F(MapFeatures, ACellsZoneTextComesBeforeItsAreaTextAndReadingOnceWipesItUnlessWritten) {
    clear_text_database();
    text_database =
        split_text_lines("@_placeholder\n@hall\nA dusty hall.\n@altar\nWords carved in the floor.\n");
    ASSERT_TRUE(build_text_sections(3));
    build_shuffle_bags();
    tarea& a = areas[1];
    a.text = find_text_section("hall");
    a.text_entry = 0;
    a.zone_text[4] = static_cast<uint16_t>(find_text_section("altar"));
    cell_at(2, 2).vault_zone = 5;
    std::string text;
    get_cell_text(2, 2, false, text);
    EXPECT_EQ(text, "Words carved in the floor.");
    get_cell_text(2, 2, true, text);
    EXPECT_EQ(text, "Words carved in the floor.");
    get_cell_text(2, 2, true, text);
    EXPECT_EQ(text, "A dusty hall.") << "the zone's text was read once";
    get_cell_text(3, 3, false, text);
    EXPECT_EQ(text, "");
    // Writing on the floor stays to be read again.
    a.text = find_text_section("hall");
    add_furniture(4, 4, fu_text);
    for (int i = 0; i < 2; ++i) {
        get_cell_text(4, 4, true, text);
        EXPECT_EQ(text, "A dusty hall.");
    }
    get_cell_text(0, 4, true, text);
    EXPECT_EQ(text, "");
}

TEST_F(MapFeatures, RefloorReachesTheConnectedTunnelAndCaveFloorOnly) {
    for (int x = 2; x <= 5; ++x)
        for (int y = 2; y <= 11; ++y)
            cell_at(x, y).shape = 7;
    cell_at(4, 4).block = fixtures::wall_kind;
    refloor_connected_cells(8, 8, 49);
    EXPECT_EQ(cell_at(3, 3).block, fixtures::floor_kind) << "a room's floor starts nothing";
    refloor_connected_cells(3, 3, 49);
    EXPECT_EQ(cell_at(2, 11).block, 49);
    EXPECT_EQ(cell_at(5, 5).block, 49);
    EXPECT_EQ(cell_at(4, 4).block, fixtures::wall_kind);
    EXPECT_EQ(cell_at(7, 6).block, fixtures::floor_kind) << "the room beyond the door is not a cave";
}

} // namespace
} // namespace dravok
