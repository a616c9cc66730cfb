// Layout values from the settings, the view-size and zoom steps, and the map view's small
// routines: push scrolling, health-bar colours and the target corner frames.
#include <gtest/gtest.h>

#include "records/layout_being.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/map_view.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/light_map.h"
#include "world/map_grid.h"
#include "world/settings_record.h"

namespace dravok {
namespace {

class LayoutView : public ::testing::Test {
  public:
    void SetUp() override {
        default_settings();
        create_graphics();
    }
    void TearDown() override {
        free_graphics();
        default_settings();
    }
};

TEST_F(LayoutView, FontHeightsFollowTileSizeZoomAndFont) {
    apply_layout();
    // 1.5 x 13 = 19.5 rounds half to even to 20.
    EXPECT_EQ(settings.floating_font_height, 13);
    EXPECT_EQ(settings.second_font_height, 14);
    EXPECT_EQ(settings.map_mark_font_height, 20);
    EXPECT_EQ(settings.sleep_mark_font_height, 23);
    EXPECT_EQ(settings.name_font_height, 13);
    EXPECT_EQ(map_layer.width(), settings.view_width * 32);
    EXPECT_EQ(screen_bitmap.width(), map_layer.width() + 2 * settings.panel_width);
    EXPECT_EQ(screen_bitmap.height(), map_layer.height() + log_panel.height());
    EXPECT_LE(log_panel.width(), 1024);
}

TEST_F(LayoutView, StepsStayInsideTheirBounds) {
    apply_layout();
    settings.max_view_width_32 = 25;
    EXPECT_TRUE(step_view_width(2));
    EXPECT_EQ(settings.view_width, 25);
    EXPECT_FALSE(step_view_width(2)) << "past the largest width";
    EXPECT_EQ(settings.view_width, 25);
    EXPECT_TRUE(step_view_width(-2));
    EXPECT_FALSE(step_view_width(-2)) << "below the smallest width";
    settings.zoom = 1.5;
    EXPECT_FALSE(step_zoom(0.1));
    settings.zoom = 0.8;
    EXPECT_FALSE(step_zoom(-0.1));
    EXPECT_TRUE(step_zoom(0.1));
}

TEST_F(LayoutView, SavedViewSizesAreMadeOddAndFitTheScreen) {
    struct row {
        int saved_w, saved_h, max_w, max_h, want_w, want_h;
    };
    for (const row& r : {row{24, 18, 41, 31, 23, 17}, row{999, 999, 41, 31, 41, 31},
                         row{5, 3, 41, 31, 23, 17}, row{30, 20, 29, 19, 29, 19}}) {
        settings.tile_size = 32;
        settings.view_width_32 = r.saved_w;
        settings.view_height_32 = r.saved_h;
        settings.max_view_width_32 = r.max_w;
        settings.max_view_height_32 = r.max_h;
        load_view_size();
        EXPECT_EQ(settings.view_width, r.want_w) << r.saved_w;
        EXPECT_EQ(settings.view_height, r.want_h) << r.saved_h;
    }
}

TEST_F(LayoutView, PushScrollMovesOnlyNearTheEdge) {
    // Half size 11: the view centred on 50 shows 39..61.
    EXPECT_EQ(push_scroll_centre(50, 50, 11), 50);
    EXPECT_EQ(push_scroll_centre(57, 50, 11), 50); // well inside: stays
    EXPECT_EQ(push_scroll_centre(58, 50, 11), 58); // within 3 of the right edge: recentres
    EXPECT_EQ(push_scroll_centre(42, 50, 11), 42); // within 3 of the left edge
    EXPECT_EQ(push_scroll_centre(43, 50, 11), 50);
    EXPECT_EQ(push_scroll_centre(90, 50, 11), 90); // beyond the view
}

TEST_F(LayoutView, HealthBarsShadeByAttitudeAndLight) {
    map_size = 10;
    beings.assign(3, blank_being);
    beings[2].attitude_to_player = -19;
    light_map.light(5, 5) = 3;
    EXPECT_EQ(health_bar_colour(1, 2, 5, 5), 0xAA2222u);
    beings[2].attitude_to_player = -1;
    EXPECT_EQ(health_bar_colour(1, 2, 5, 5), 0x22AA22u);
    beings[2].attitude_to_player = -40;
    beings[2].friendly = 1;
    light_map.light(5, 5) = 1;
    EXPECT_EQ(health_bar_colour(1, 2, 5, 5), 0x115511u);
    beings.clear();
}

TEST_F(LayoutView, ABeingAttackedAndMarkedShowsTwoRedAndTwoYellowCorners) {
    apply_layout();
    beings.assign(3, blank_being);
    beings[1].attack_memory.action = 1;
    beings[1].attack_memory.attack_kind[1] = 1;
    beings[1].attack_memory.target = 2;
    beings[1].attack_memory.has_target = 1;
    creature_layer.clear(colours::black);
    draw_attack_target_frame(1, 2, 64, 64, 32, 32);
    draw_marked_target_frame(1, 2, 64, 64, 32, 32);
    EXPECT_EQ(creature_layer.pixel(64, 64), 0xAA0000u); // top left
    EXPECT_EQ(creature_layer.pixel(95, 95), 0xAA0000u); // bottom right
    EXPECT_EQ(creature_layer.pixel(95, 64), 0xCCCC00u); // top right
    EXPECT_EQ(creature_layer.pixel(64, 95), 0xCCCC00u); // bottom left
    beings.clear();
}

} // namespace
} // namespace dravok
