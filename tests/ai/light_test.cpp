// The light map: furniture and carried lights, the three rings, walls turned away from the
// viewer, switched-off lights and the radius cap.
#include <gtest/gtest.h>

#include "ai/ai_world.h"
#include "ai/light.h"
#include "records/layout_being.h"
#include "records/layout_map.h"
#include "support/driver.h"
#include "world/beings.h"
#include "world/lasting_effects.h"
#include "world/map.h"

namespace dravok::testing {
namespace {

struct LightTest : ::testing::Test {
    void TearDown() override { tidy_after_level(); }
    void SetUp() override {
        prepare_sight_tables();
        clear_static_lights();
    }
};

TEST_F(LightTest, TorchLightsFromTheFloorBelowItsWallInThreeRings) {
    turn_driver d(12);
    d.add_player(5, 10);
    cell_at(5, 1).furniture = fu_light_torch;
    update_lights();
    EXPECT_EQ(light_at(5, 2), 3) << "the source cell";
    EXPECT_EQ(light_at(5, 1), 3) << "its own wall, lit by the rays";
    EXPECT_EQ(light_at(5, 7), 3) << "five cells away";
    EXPECT_EQ(light_at(5, 8), 2);
    EXPECT_EQ(light_at(5, 9), 1) << "the dim ring";
    EXPECT_EQ(light_at(5, 10), 0);
    EXPECT_EQ(light_owner_map(5, 4), 0) << "furniture light has no owner";
}

TEST_F(LightTest, AWallBetweenViewerAndLightStaysDarkAndOneBehindTheLightIsLit) {
    turn_driver d(12);
    d.add_player(6, 10);
    cell_at(6, 6).furniture = fu_light_campfire;
    d.wall(6, 8); // between the light and the viewer
    d.wall(6, 4); // behind the light
    update_lights();
    EXPECT_EQ(light_at(6, 8), 0);
    EXPECT_EQ(light_at(6, 4), 3);
    EXPECT_EQ(light_at(6, 9), 0) << "the wall stops the ray";
}

TEST_F(LightTest, ASwitchedOffLightGlowsOnlyUnderAMapEffect) {
    turn_driver d(12);
    d.add_player(2, 2);
    cell_at(8, 8).furniture = fu_light_stand;
    cell_at(8, 8).furniture_state = 1;
    update_lights();
    EXPECT_EQ(light_at(8, 8), 0);
    map_effect_grid(8, 8).effect = 1;
    update_lights();
    EXPECT_EQ(light_at(8, 8), 3);
}

TEST_F(LightTest, LevelWithoutLightsIsDarkExceptCarriedLightsWithTheirOwner) {
    turn_driver d(64);
    const int p = d.add_player(5, 5);
    const int c = d.add_creature(30, 30, 100);
    update_lights();
    EXPECT_EQ(static_light_list.size(), 1u) << "an empty list";
    EXPECT_EQ(light_at(5, 5), 0);
    beings[c].light_radius = 2;
    update_lights();
    EXPECT_EQ(light_at(30, 32), 3);
    EXPECT_EQ(light_at(30, 34), 1);
    EXPECT_EQ(light_owner_map(30, 33), c);
    EXPECT_EQ(light_at(5, 5), 0);
    (void)p;
}

TEST_F(LightTest, RadiiAboveEighteenAreCutToEighteen) {
    turn_driver d(64);
    d.add_player(2, 2);
    const int c = d.add_creature(30, 20, 100);
    beings[c].light_radius = 40;
    update_lights();
    EXPECT_EQ(light_at(30, 38), 3);
    EXPECT_EQ(light_at(30, 39), 2);
    EXPECT_EQ(light_at(30, 40), 1);
    EXPECT_EQ(light_at(30, 41), 0);
}

} // namespace
} // namespace dravok::testing
