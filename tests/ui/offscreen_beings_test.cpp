// The off-screen warnings: the side is where the being lies past the view's edge, a hostile in
// view quiets the warnings of its side, and neutrals outside the party are warned of too.
#include <gtest/gtest.h>

#include <vector>

#include "records/layout_being.h"
#include "ui/offscreen_beings.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/sight_records.h"

namespace dravok {
namespace {

class OffscreenBeings : public ::testing::Test {
  protected:
    void SetUp() override {
        map_size = 100;
        settings.view_left = 31, settings.view_right = 70, settings.view_top = 31, settings.view_bottom = 60;
        beings.assign(2, blank_being);
        place(1, 50, 45);
        player = 1;
    }
    // A being on (x, y) that the player sees, with its attitude and party mark.
    static int add(int x, int y, int attitude, bool friendly = false) {
        beings.push_back(blank_being);
        const int b = int(beings.size()) - 1;
        place(b, x, y);
        beings[b].attitude_to_player = int16_t(attitude);
        beings[b].friendly = friendly ? 1 : 0;
        sight_matrix.assign(beings.size(), std::vector<uint8_t>(beings.size(), 1));
        return b;
    }
    static void place(int b, int x, int y) {
        beings[b].x = uint8_t(x), beings[b].y = uint8_t(y);
        beings[b].serial = b, beings[b].present = 1, beings[b].width = beings[b].height = 1;
    }
};

TEST_F(OffscreenBeings, TheSideIsWhereTheBeingLiesPastTheViewsEdge) {
    struct row {
        int x, y, side;
    };
    for (const row r : {row{51, 20, 1},
                        {80, 20, 2},
                        {80, 46, 3},
                        {75, 70, 4},
                        {40, 70, 5},
                        {10, 65, 6},
                        {10, 40, 7},
                        {20, 10, 8}}) {
        SCOPED_TRACE(testing::Message() << r.x << "," << r.y);
        beings.resize(2);
        const int b = add(r.x, r.y, -50);
        collect_offscreen_beings();
        EXPECT_EQ(offscreen_beings[size_t(r.side)].being, b) << "one column right of the hero is still north";
    }
}

TEST_F(OffscreenBeings, AHostileInViewQuietsItsSideAndTheNearestElsewhereIsKept) {
    add(45, 40, -50); // in view, north-west of the hero
    const int north = add(50, 10, -50), west = add(10, 45, -50), far_east = add(90, 45, -50);
    const int near_east = add(80, 45, -50), tie_east = add(80, 44, -50);
    collect_offscreen_beings();
    EXPECT_EQ(offscreen_beings[1].being, 0) << "north is quiet: " << north;
    EXPECT_EQ(offscreen_beings[7].being, 0) << "west is quiet: " << west;
    EXPECT_TRUE(offscreen_beings[8].in_view);
    EXPECT_EQ(offscreen_beings[3].being, near_east)
        << "the nearer one, the first met at a tie: " << far_east << " " << tie_east;
}

TEST_F(OffscreenBeings, NeutralsOutsideThePartyAreWarnedOfAndFriendsAreNot) {
    const int neutral = add(50, 10, 0);
    const int friend_ = add(50, 75, 10, true);
    const int wary_friend = add(90, 45, -5, true);
    collect_offscreen_beings();
    EXPECT_EQ(offscreen_beings[1].being, neutral);
    EXPECT_EQ(offscreen_beings[5].being, 0) << friend_;
    EXPECT_EQ(offscreen_beings[3].being, wary_friend) << "hostile now, whatever its mark";
}

} // namespace
} // namespace dravok
