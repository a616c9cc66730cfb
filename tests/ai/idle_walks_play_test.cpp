// Calm creatures on the first level of a game started from the main menu, while the character
// rests: how often a wanderer sets out for another room and a creature away from home walks back,
// by the count of idle turns it has behind it, and the share of rounds a wanderer spends walking
// over 400 rounds.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "ai/decision.h"
#include "ai/paths.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_level.h"
#include "rules/being_creation.h"
#include "support/new_game_fixture.h"
#include "support/plain_creature.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/state.h"

namespace dravok {
namespace {

using testing::press_command;

constexpr int behaviour_wander = 2, behaviour_default = 5;
// Sleep thresholds: above every idle count of the trials, and a level-1 beast's.
constexpr uint16_t never_asleep = 1000, beast_sleep_threshold = 150;

class IdleWalks : public testing::new_game_fixture {
  protected:
    void TearDown() override { state.spawning_off = 0; }
    void SetUp() override {
        new_game_fixture::SetUp();
        if (HasFatalFailure()) return;
        state.spawning_off = 1; // nobody comes in by the stairs to disturb the calm
        for (int i = 1; i < int(beings.size()); ++i)
            if (i != hero && beings[i].present) remove_being(i, 1);
        const int own = cell_at(beings[hero].x, beings[hero].y).area;
        for (int a = 2; a < int(areas.size()) && rooms.size() < 2; ++a)
            if (a != own && areas[a].kind != 1 && areas[a].cells >= 26 && areas[a].passable_exits > 0 &&
                room_cell(a) != std::pair{0, 0})
                rooms.push_back(a);
    }
    std::pair<int, int> room_cell(int a) const {
        int x = 0, y = 0;
        find_free_floor_for_being(areas[a].centre_x, areas[a].centre_y, 1, x, y, 0, 1);
        if (!on_map(x, y) || cell_at(x, y).area != a) return {0, 0};
        return {x, y};
    }
    // A creature of no template (it hates nobody) in the first room.
    int add_calm_creature(int behaviour, uint16_t sleep_after = never_asleep) {
        tbeing b = testing::plain_creature("wanderer");
        b.behaviour = uint8_t(behaviour);
        b.idle_turns_before_sleep = sleep_after;
        start = room_cell(rooms[0]);
        return add_being_to_level(start.first, start.second, b, 1, 0);
    }
    // Rests until the creature has had its turn.
    void creature_turn(int c) {
        const uint32_t due = beings[c].next_action_time;
        for (int i = 0; i < 4 && beings[c].next_action_time == due; ++i)
            press_command(session, REST);
    }
    // Back in the first room, standing still, with the given count of idle turns behind it.
    void reset(int c, int idle) {
        place_being(c, start.first, start.second, 1);
        beings[c].path = empty_path;
        beings[c].ai_plan = plan_idle;
        beings[c].idle_turns = uint16_t(idle);
    }
    // The share of turns, out of `trials`, in which the creature set out for another room.
    double set_out_share(int c, int idle, int trials) {
        int walks = 0;
        for (int t = 0; t < trials; ++t) {
            reset(c, idle);
            creature_turn(c);
            walks += beings[c].ai_plan == plan_wander ? 1 : 0;
        }
        return double(walks) / trials;
    }
    std::vector<int> rooms;
    std::pair<int, int> start{0, 0};
};

struct idle_case {
    int idle;
    double chance;
};

void expect_chances(const char* what, const std::vector<idle_case>& cases, int trials,
                    const std::function<double(int)>& measure) {
    for (const idle_case& k : cases) {
        const double share = measure(k.idle);
        const double spread = 4 * std::sqrt(k.chance * (1 - k.chance) / trials) + 0.03;
        std::printf("  %s: idle %3d  chance %5.3f  measured %5.3f\n", what, k.idle, k.chance, share);
        EXPECT_NEAR(share, k.chance, spread) << what << " after " << k.idle << " idle turns";
    }
}

// Outside the level's first area a wanderer sets out with a chance of its idle count div 5 in
// 100; the sleep threshold plays no part.
TEST_F(IdleWalks, AWanderersChanceToSetOutGrowsWithItsIdleCount) {
    ASSERT_GE(rooms.size(), 1u) << "the first level has a room away from the character";
    const int c = add_calm_creature(behaviour_wander);
    ASSERT_NE(c, 0);
    const std::vector<idle_case> cases = {{0, 0.0},    {4, 0.0},    {50, 0.10},
                                          {100, 0.20}, {250, 0.50}, {500, 1.0}};
    expect_chances("wander", cases, 200, [&](int idle) { return set_out_share(c, idle, 200); });
}

// Away from home a creature walks back only once random(25) + 25 lies below its idle count, and
// then in 21 of 100 turns.
TEST_F(IdleWalks, ACreatureAwayFromHomeWaitsForItsIdleCountBeforeWalkingBack) {
    ASSERT_GE(rooms.size(), 2u) << "the first level has two rooms away from the character";
    const int c = add_calm_creature(behaviour_default);
    ASSERT_NE(c, 0);
    beings[c].home_level = level.index;
    beings[c].home_area = uint16_t(rooms[1]);
    const std::vector<idle_case> cases = {{0, 0.0},   {25, 0.0},  {30, 0.21 * 5 / 25}, {40, 0.21 * 15 / 25},
                                          {50, 0.21}, {120, 0.21}};
    expect_chances("home", cases, 300, [&](int idle) { return set_out_share(c, idle, 300); });
}

// Over 400 rounds a wanderer rests between its walks as long as its growing idle count says:
// the idle stretches average what the chance per count gives, and walking takes a minority of
// the rounds.
TEST_F(IdleWalks, AWandererSpendsMostOf400RoundsIdleBetweenWalks) {
    ASSERT_GE(rooms.size(), 1u);
    const int c = add_calm_creature(behaviour_wander, beast_sleep_threshold);
    ASSERT_NE(c, 0);
    reset(c, 0);
    // The expected idle stretch: the walk starts in the turn after k idle ones with chance
    // (k div 5) / 100.
    double expected = 0, stay = 1;
    for (int k = 0; k < 500; ++k) {
        const double p = std::min(1.0, (k / 5) / 100.0);
        expected += stay * p * k;
        stay *= 1 - p;
    }
    int moving = 0, turns = 0, stretch = 0;
    std::vector<int> stretches;
    for (int round = 0; round < 400; ++round) {
        creature_turn(c);
        ++turns;
        if (beings[c].last_action_kind == 2) {
            ++moving;
            if (beings[c].ai_plan == plan_wander && stretch > 0) stretches.push_back(stretch);
            stretch = 0;
        } else {
            ++stretch;
        }
    }
    double mean = 0;
    for (int s : stretches)
        mean += s;
    mean = stretches.empty() ? 0 : mean / double(stretches.size());
    std::printf("  %d of %d turns walking; %zu idle stretches of %.1f turns on average (expected %.1f)\n",
                moving, turns, stretches.size(), mean, expected);
    EXPECT_GE(stretches.size(), 4u) << "it does set out now and then";
    EXPECT_NEAR(mean, expected, expected * 0.4);
    EXPECT_LT(moving * 2, turns) << "walking takes a minority of the rounds";
    EXPECT_EQ(beings[c].asleep_counter, 0) << "its idle count never reached its sleep threshold";
}

} // namespace
} // namespace dravok
