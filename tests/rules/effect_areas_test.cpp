// The cells of each effect shape on the small two-room map, and the aims each shape refuses.
#include "records/layout_being.h"
#include "records/layout_level.h"
#include "rules/effect_areas.h"

#include "rules/effect_fixture.h"
#include "world/beings.h"
#include "world/map_grid.h"
#include "world/sight_records.h"

namespace dravok::testing {
namespace {

using cells = std::vector<std::pair<int, int>>;

class EffectAreas : public EffectWorld {};

struct shape_case {
    const char* what;
    int shape;
    int to_x, to_y;
    cells expected;
    bool invalid;
    int hits;
};

// The goblin at (3, 3) aims with range 10; goblins stand at (4, 3), (5, 3) and (3, 6).
TEST_F(EffectAreas, EachShapeListsItsCellsInOrder) {
    const int b = add_goblin(4, 3);
    const int c = add_goblin(5, 3);
    const int e = add_goblin(3, 6);
    ASSERT_TRUE(b && c && e);
    const shape_case cases[] = {
        {"none", sh_none, 4, 4, {}, false, 0},
        {"special", sh_special, 4, 4, {}, false, 0},
        {"cone", sh_cone, 4, 4, {}, false, 0},
        {"chain", sh_chain, 4, 4, {}, false, 0},
        {"self", sh_self, 3, 3, {{3, 3}}, false, 1},
        {"single on a being", sh_single, 5, 3, {{5, 3}}, false, 1},
        {"single on an empty cell", sh_single, 4, 4, {{4, 4}}, true, 0},
        {"bolt through two beings", sh_bolt, 5, 3, {{4, 3}, {5, 3}}, true, 2},
        {"ray through two beings", sh_ray, 5, 3, {{4, 3}, {5, 3}}, false, 2},
        {"wall", sh_wall, 3, 5, {{3, 4}, {3, 5}}, false, 0},
        {"ball in a corner keeps its floor neighbours",
         sh_ball,
         2,
         2,
         {{2, 2}, {3, 2}, {3, 3}, {2, 3}},
         false,
         1},
        {"cloud in the open",
         sh_cloud,
         4,
         5,
         {{4, 5}, {4, 4}, {5, 4}, {5, 5}, {5, 6}, {4, 6}, {3, 6}, {3, 5}, {3, 4}},
         false,
         1},
        {"spot", sh_spot, 4, 5, {{4, 5}}, false, 0},
        {"free up to a being", sh_free, 3, 6, {{3, 4}, {3, 5}, {3, 6}}, false, 1},
        {"opposite_free with room behind", sh_opposite_free, 4, 3, {{4, 3}}, false, 1},
        {"opposite_free with a being behind", sh_opposite_free, 2, 3, {}, true, 0},
    };
    for (const shape_case& k : cases) {
        SCOPED_TRACE(k.what);
        const teffect r = calculate_effect_coordinates(goblin(), 0, 0, k.to_x, k.to_y,
                                                       effect_of(k.shape, ek_damage, 10), 1);
        EXPECT_EQ(cells_of(r), k.expected);
        EXPECT_EQ(effect_target_invalid != 0, k.invalid);
        EXPECT_EQ(effect_hit_count, k.hits);
    }
    EXPECT_TRUE(error_log_lines.empty());
}

// Hostile toward the goblin: an attitude entry of -50 about it.
void hates(int being, int other) {
    temotion& e = beings[being].attitude_of(1);
    e.serial = beings[other].serial;
    e.value = -50;
}

TEST_F(EffectAreas, SeenHostilesListsHostilesInIndexOrderUpToTheSize) {
    const int b = add_goblin(4, 3);
    const int c = add_goblin(3, 5);
    const int friendly = add_goblin(5, 5);
    const int prisoner = add_goblin(2, 8);
    hates(b, goblin());
    hates(c, goblin());
    hates(prisoner, goblin());
    ASSERT_TRUE(friendly);
    cell_at(2, 8).vault_zone = vz_first_cell;
    beings[prisoner].friendly = 1; // likes the party: never a target in its cell
    for (int other : {b, c, friendly, prisoner, ogre()})
        sight_matrix[goblin()][other] = 1; // all in view
    teffect e = effect_of(sh_seen_hostiles, ek_damage, 10, es_talent);
    teffect r = calculate_effect_coordinates(goblin(), 0, 0, 3, 3, e, 1);
    EXPECT_EQ(cells_of(r), (cells{{4, 3}, {3, 5}}));
    EXPECT_EQ(effect_hit_count, 2);
    EXPECT_EQ(effect_target_invalid, 0);
    e.size = 1;
    r = calculate_effect_coordinates(goblin(), 0, 0, 3, 3, e, 1);
    EXPECT_EQ(cells_of(r), (cells{{4, 3}})) << "size 1 takes the first hostile only";
}

TEST_F(EffectAreas, LinesAndBallsStopAtWallsAndClosedDoors) {
    const int u = add_goblin(4, 6);
    cell_at(fixtures::door_x, fixtures::door_y).furniture_state = 0; // closed
    for (int shape : {sh_ball, sh_cloud, sh_ray, sh_bolt}) {
        SCOPED_TRACE(effect_shape_names[shape]);
        const teffect r = calculate_effect_coordinates(u, 0, 0, 8, 6, effect_of(shape, ek_damage, 10), 1);
        EXPECT_TRUE(cells_of(r).empty());
        EXPECT_EQ(effect_target_invalid, 1) << "the closed door at (6, 6) is in the way";
    }
    // Through the wall column x = 6 from (3, 3) to (8, 3).
    const teffect r = calculate_effect_coordinates(goblin(), 0, 0, 8, 3, effect_of(sh_ray, ek_damage, 10), 1);
    EXPECT_TRUE(cells_of(r).empty());
    EXPECT_EQ(effect_target_invalid, 1);
}

TEST_F(EffectAreas, RangeLimitsAndTheLeapPath) {
    add_goblin(3, 6);
    teffect near = effect_of(sh_single, ek_damage, 10);
    near.min_range = 2;
    add_goblin(4, 4);
    calculate_effect_coordinates(goblin(), 0, 0, 4, 4, near, 1);
    EXPECT_EQ(effect_target_invalid, 1) << "minimum range 2 excludes a neighbour";

    calculate_effect_coordinates(goblin(), 0, 0, 3, 6, effect_of(sh_single, ek_damage, 2), 1);
    EXPECT_EQ(effect_target_invalid, 1) << "3 cells away with range 2";

    add_goblin(3, 5);
    const teffect leap =
        calculate_effect_coordinates(goblin(), 0, 0, 3, 6, effect_of(sh_free, ek_damage, 10), 1);
    EXPECT_EQ(effect_target_invalid, 1) << "a being on the leap path";
    EXPECT_TRUE(cells_of(leap).empty());
}

TEST_F(EffectAreas, AnEvilCreaturesTalentReachesSixCells) {
    teffect e = effect_of(sh_spot, ek_damage, 9, es_talent);
    // Range is cut before the distance test: (3, 3) to (10, 10) is 10 cells, beyond 6.
    const teffect r = calculate_effect_coordinates(goblin(), 0, 0, 3, 10, e, 1);
    EXPECT_EQ(r.range, 6);
    EXPECT_EQ(effect_target_invalid, 1);
}

// A target off the map is refused quietly: no cells, no invalid flag, no error, no quit.
TEST_F(EffectAreas, AnAimOffTheMapStopsQuietly) {
    for (auto [x, y] : {std::pair{0, 5}, std::pair{200, 3}, std::pair{13, 13}}) {
        const teffect r =
            calculate_effect_coordinates(goblin(), 0, 0, x, y, effect_of(sh_ball, ek_damage, 250), 1);
        EXPECT_TRUE(cells_of(r).empty());
        EXPECT_EQ(effect_target_invalid, 0);
    }
    EXPECT_TRUE(error_log_lines.empty());
    EXPECT_FALSE(quit_requested());
}

TEST_F(EffectAreas, ALineLongerThanTwentyNinePointsKeepsItsFirstTwentyNine) {
    map_size = 40;
    for (int x = 2; x <= 39; ++x)
        cell_at(x, 20).block = fixtures::floor_kind;
    const int u = add_goblin(2, 20);
    ASSERT_TRUE(u);
    const teffect r = calculate_effect_coordinates(u, 0, 0, 38, 20, effect_of(sh_ray, ek_damage, 40), 1);
    const cells listed = cells_of(r);
    ASSERT_EQ(listed.size(), 29u);
    EXPECT_EQ(listed.front(), std::make_pair(3, 20));
    EXPECT_EQ(listed.back(), std::make_pair(31, 20));
    EXPECT_EQ(r.cell(30).x, 0) << "the last slot holds the end mark";
}

TEST_F(EffectAreas, RangeIsRolledOnlyWhenNotYetSet) {
    teffect e = effect_of(sh_spot, ek_damage, 0);
    make_fixed_dice(4, e.range_dice);
    EXPECT_EQ(calculate_effect_coordinates(goblin(), 0, 0, 4, 4, e, 1).range, 4);
    e.range = 7;
    EXPECT_EQ(calculate_effect_coordinates(goblin(), 0, 0, 4, 4, e, 1).range, 7);
    EXPECT_TRUE(is_cell_in_effect_range(goblin(), 3, 10, e));
    EXPECT_FALSE(is_cell_in_effect_range(goblin(), 11, 11, e));
}

} // namespace
} // namespace dravok::testing
