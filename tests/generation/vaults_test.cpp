// Hand-made templates stamped into a level (turned, mirrored, their exits sorted into hallway
// ends and dead ends, their zones and furniture carried along) and polygonal rooms.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "generation/areas.h"
#include "generation/dig.h"
#include "generation/grids.h"
#include "generation/level_creation.h"
#include "generation/marks.h"
#include "generation/round_areas.h"
#include "generation/shapes.h"
#include "generation/vault_templates.h"
#include "level_fixture.h"
#include "records/layout_dice.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "world/directions.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok {
namespace {

using namespace testing_levels;

// Rows top first, as the content writes them: '#' wall, '.' floor, 'P' a pillar and 'C' a
// crate on floor. The entry (6, 10) faces south; the north exit ends a one-wide passage, the
// side exits end three-wide hallways, and (8, 10) fits neither test.
const std::vector<std::string> test_layout = {
    "    ###    ", //
    "    #.#    ", //
    "  ###.###  ", //
    "###C....###", //
    "#.........#", //
    "#....P....#", //
    "#.........#", //
    "###.....###", //
    "  #.....#  ", //
    "  #######  ", //
};

tvault make_template(const std::string& id) {
    tvault v{};
    v.identifier = id;
    int furniture = 0;
    for (int y = 1; y <= static_cast<int>(test_layout.size()); ++y)
        for (int x = 1; x <= static_cast<int>(test_layout[y - 1].size()); ++x) {
            const char ch = test_layout[y - 1][x - 1];
            v.code(x, y) = ch == '#' ? 2 : ch == ' ' ? 0 : 4;
            if (ch == 'P' || ch == 'C')
                v.furniture[furniture++] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                            static_cast<uint8_t>(ch == 'P' ? fu_pillar : fu_crate)};
        }
    v.entry_x = 6;
    v.entry_y = 10;
    v.exits[0] = {6, 10, 3, 0};
    v.exits[1] = {6, 1, 1, 0};
    v.exits[2] = {1, 6, 4, 0};
    v.exits[3] = {11, 6, 2, 0};
    v.exits[4] = {8, 10, 3, 0};
    v.zones[0] = {6, 6, 1, 1};
    v.zones[1] = {2, 5, 9, 3};
    v.zones[2] = {4, 4, 3, 1}; // vz_spot_01, wider than high
    v.size = 11;
    v.group_flag(31) = 1;
    return v;
}

// A map cell measured from the mark: `along` steps in the direction, `across` toward its second
// side (the first side when mirrored).
struct from_mark {
    int x, y, d;
    bool mirrored = false;
    int cx(int along, int across) const {
        return x + dir_dx[d] * along + dir_dx[side_direction[d][1]] * (mirrored ? -across : across);
    }
    int cy(int along, int across) const {
        return y + dir_dy[d] * along + dir_dy[side_direction[d][1]] * (mirrored ? -across : across);
    }
};

class Vaults : public ::testing::Test {
  protected:
    void SetUp() override { use_temporary_error_log(); }
    void TearDown() override {
        vaults.clear();
        restore_error_log();
    }
    // A blank 64 map with a 9 x 9 room whose wall carries the mark at (32, 32) facing d.
    static void room_behind_mark(int d) {
        start_blank_attempt(64);
        vaults.assign(1, tvault{});
        vaults.push_back(make_template("vt_test"));
        vaults.push_back(make_template("sp_test"));
        const int cx = 32 - dir_dx[d] * 4, cy = 32 - dir_dy[d] * 4;
        carve_area(1, cx - 4, cy - 4, cx + 4, cy + 4, area_room);
        dungeon.origin_kind = area_room;
    }
};

TEST_F(Vaults, ATemplateLandsItsEntryOnTheMarkTurnedAndMirrored) {
    for (int d = 1; d <= 4; ++d) {
        int mirrored_seen = 0, plain_seen = 0;
        for (uint32_t seed = 1; seed <= 12; ++seed) {
            SCOPED_TRACE("direction " + std::to_string(d) + " seed " + std::to_string(seed));
            room_behind_mark(d);
            random_seed = seed * 7919u * 7919u; // spread: the first draw decides the mirroring
            for (int t = 1; t <= 2; ++t)
                vaults[t].count_game = 0;
            ASSERT_TRUE(create_special(32, 32, d, 1, 9 + 1, area_vault));
            const tarea& a = areas[2];
            EXPECT_EQ(a.kind, area_vault);
            EXPECT_EQ(a.vault, 1);
            // The crate stands 6 ahead and 2 to one side: which side tells the mirroring.
            from_mark m{32, 32, d};
            m.mirrored = get_furniture(m.cx(6, 2), m.cy(6, 2)) == fu_crate;
            (m.mirrored ? mirrored_seen : plain_seen)++;
            EXPECT_EQ(get_furniture(m.cx(6, -2), m.cy(6, -2)), fu_crate);
            EXPECT_EQ(get_furniture(m.cx(4, 0), m.cy(4, 0)), fu_pillar);
            EXPECT_EQ(a.centre_x, m.cx(4, 0));
            EXPECT_EQ(a.centre_y, m.cy(4, 0));
            // Zones keep their cells: the spot is three cells across the direction.
            const tzone_rect& spot = a.zone(3);
            const bool across_x = d == 1 || d == 3;
            EXPECT_EQ(spot.width, across_x ? 3 : 1);
            EXPECT_EQ(spot.height, across_x ? 1 : 3);
            EXPECT_EQ(cell_at(m.cx(6, -2), m.cy(6, -2)).vault_zone, 3);
            EXPECT_EQ(cell_at(m.cx(6, 0), m.cy(6, 0)).vault_zone, 3);
            EXPECT_EQ(cell_at(m.cx(4, 2), m.cy(4, 2)).vault_zone, 2);
            // Exits: marks facing outward, sorted into a dead end and two hallway ends; the
            // entry gets none and the last exit fits neither test.
            EXPECT_EQ(find_mark(32, 32), -1);
            const int north = find_mark(m.cx(9, 0), m.cy(9, 0));
            ASSERT_GE(north, 0);
            EXPECT_EQ(open_marks[north].direction, d);
            EXPECT_EQ(open_marks[north].origin_kind, area_vault);
            EXPECT_EQ(grid_at(exit_grid, m.cx(9, 0), m.cy(9, 0)), d + 4);
            const int s1 = side_direction[d][0], s2 = side_direction[d][1];
            EXPECT_EQ(grid_at(exit_grid, m.cx(4, -5), m.cy(4, -5)), m.mirrored ? s2 : s1);
            EXPECT_EQ(grid_at(exit_grid, m.cx(4, 5), m.cy(4, 5)), m.mirrored ? s1 : s2);
            EXPECT_EQ(grid_at(exit_grid, m.cx(0, 2), m.cy(0, 2)), 0);
            EXPECT_EQ(a.generator_counter, 1);
            EXPECT_EQ(vaults[1].count_attempt, 1);
            EXPECT_EQ(vaults[1].count_game, 1);
            areas.resize(dungeon.next_area);
            EXPECT_EQ(area_record_faults(), "");
            EXPECT_EQ(unreachable_floor_cells(), 0);
        }
        EXPECT_GT(mirrored_seen, 0);
        EXPECT_GT(plain_seen, 0);
    }
}

// The hub's first area is its template, centred and never mirrored, with a mark at its entry.
TEST_F(Vaults, TheFirstAreaIsCentredAndTheHubNeverMirrors) {
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        SCOPED_TRACE(seed);
        start_blank_attempt(48);
        level.hub = 1;
        vaults.assign(1, tvault{});
        vaults.push_back(make_template("vt_test"));
        random_seed = seed * 7919u * 7919u;
        ASSERT_TRUE(create_special(24, 24, 1, 1, 10, area_vault));
        const tarea& a = areas[1];
        EXPECT_EQ(a.x1, (48 - 11) / 2);
        EXPECT_EQ(a.y1, (48 - 10) / 2);
        EXPECT_EQ(get_furniture(a.x1 + 3, a.y1 + 3), fu_crate);
        EXPECT_GE(find_mark(a.x1 + 5, a.y2), 0) << "the entry of the first area is a mark";
        EXPECT_EQ(a.origin_x, a.x1 + 5);
        EXPECT_EQ(a.origin_y, a.y2);
    }
}

// An exit facing north at y = 4 is neither a mark nor an open end, and does not count as unfit.
TEST_F(Vaults, AnExitNearTheEdgeItFacesIsLeftAlone) {
    start_blank_attempt(64);
    vaults.assign(1, tvault{});
    vaults.push_back(make_template("vt_test"));
    vaults[1].exits[4] = {}; // only the dead end, the hallways and the entry
    carve_area(1, 28, 13, 36, 21, area_room);
    dungeon.origin_kind = area_room;
    random_seed = 5;
    ASSERT_TRUE(create_special(32, 13, 1, 1, 10, area_vault));
    EXPECT_EQ(areas[2].y1, 4);
    EXPECT_EQ(find_mark(32, 4), -1);
    EXPECT_EQ(grid_at(exit_grid, 32, 4), 0);
    EXPECT_EQ(areas[2].generator_counter, 0);
}

// The group rules: an ambush special shuts its group out for the attempt (a forced one is still
// built), limits and sizes keep templates out, and an empty category offers nothing.
TEST_F(Vaults, TemplateChoiceFollowsGroupsAndLimits) {
    room_behind_mark(1);
    for (tvault* v : {&vaults[1], &vaults[2]}) {
        *v = make_template("sp_ambush");
        v->group_flag(1) = v->group_flag(13) = 1;
    }
    vaults[2].identifier = "sp_ambush_two";
    dungeon.included_groups[0][0] = 1;
    count_eligible_templates(0, 0, 0, true, true);
    ASSERT_EQ(dungeon.eligible_counts[0], 2);
    random_seed = 3;
    ASSERT_TRUE(create_special(32, 32, 1, 1, 0, area_special));
    count_eligible_templates(0, 0, 0, true, false);
    EXPECT_EQ(dungeon.eligible_counts[0], 0) << "the ambush group is shut out";
    EXPECT_EQ(random_eligible_template(1), 0);
    const int other = areas[2].vault == 1 ? 2 : 1;
    const tmark m = open_marks[find_mark(areas[2].origin_x, areas[2].y1)];
    EXPECT_TRUE(create_special(m.x, m.y, m.direction, 1, 9 + other, area_special)) << "forced still builds";

    room_behind_mark(1);
    dungeon.included_groups[1][30] = 1;
    vaults[1].size = 20;
    vaults[2].size = 21;
    count_eligible_templates(2, 0, 20, true, true);
    EXPECT_EQ(dungeon.eligible_counts[1], 1);
    EXPECT_EQ(random_eligible_template(2), 1);
    vaults[1].max_per_game = 1;
    vaults[1].count_game = 1; // placed on an earlier level
    count_eligible_templates(2, 0, 0, true, true);
    EXPECT_EQ(dungeon.eligible_counts[1], 1);
    EXPECT_EQ(vaults[1].category_ordinals[1], 0);
}

// A level whose second forced template never fits is tried again and again, each attempt
// placing the first template; the game counts only the placement that stayed.
TEST_F(Vaults, TemplatesOfDiscardedAttemptsAreNotCountedForTheGame) {
    make_test_level({.map_size = 40, .dig_steps = 20});
    vaults.assign(1, tvault{});
    vaults.push_back(make_template("vt_test"));
    tvault giant = make_template("vt_giant");
    for (int x = 1; x <= 45; ++x)
        for (int y = 1; y <= 45; ++y)
            giant.code(x, y) = x == 1 || y == 1 || x == 45 || y == 45 ? 2 : 4;
    giant.entry_x = 20;
    giant.entry_y = 45;
    vaults.push_back(giant);
    tdungeon& g = level.generator;
    g.forced_kind[0] = 9 + 1;
    g.forced_kind[1] = 9 + 2;
    g.forced_count[0].bonus = g.forced_count[1].bonus = 1;
    random_seed = 31;
    create_level(1);
    ASSERT_FALSE(quit_requested()) << last_logged_message();
    EXPECT_GE(last_creation_attempts, 900) << "the giant is given up only at the end";
    EXPECT_EQ(areas[1].vault, 1);
    EXPECT_EQ(vaults[1].count_game, 1);
}

// The hallway and dead-end tests on hand-made cells.
TEST_F(Vaults, ExitFitTests) {
    start_blank_attempt(64);
    carve_area(1, 20, 20, 30, 30, area_room);
    // The wall of a plain room: three floor cells behind, walls beside; but the first row
    // behind has floor two to each side, so only a corner-free stretch fits.
    EXPECT_FALSE(special_fits_a(25, 20, 1));
    EXPECT_FALSE(special_fits_b(25, 20, 1));
    // A one-wide passage north of the room: a dead end.
    carve_area(2, 24, 14, 26, 20, area_corridor);
    set_block(25, 20, 63, 0, false, 2, area_corridor);
    EXPECT_TRUE(special_fits_a(25, 14, 1));
    EXPECT_FALSE(special_fits_b(25, 14, 1));
    cell_at(24, 14).furniture = fu_pillar;
    EXPECT_FALSE(special_fits_a(25, 14, 1)) << "a wall with furniture does not count";
    // A three-wide hallway: its end fits the hallway test.
    carve_area(3, 38, 20, 42, 30, area_corridor);
    EXPECT_TRUE(special_fits_b(40, 20, 1));
    EXPECT_FALSE(special_fits_b(40, 30, 2));
}

TEST_F(Vaults, PolygonsGrowTheirFarCornerAwayAndKeepTwoZones) {
    int built = 0;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        start_blank_attempt(128);
        random_seed = seed;
        carve_area(1, 60, 36, 68, 44, area_room);
        dungeon.origin_kind = area_room;
        if (!create_polygon(64, 44, 3, 1)) continue;
        ++built;
        const tarea& p = areas[2];
        EXPECT_EQ(p.kind, area_polygon);
        EXPECT_EQ(p.y1, 44) << "the polygon starts at the mark";
        // The far corner lies more than 3 rows below the side corners: the first row to reach
        // the polygon's westmost and eastmost floor lies more than 4 rows above its last floor row.
        int west = p.x2, east = p.x1;
        for (int x = p.x1; x <= p.x2; ++x)
            for (int y = p.y1; y <= p.y2; ++y)
                if (cell_at(x, y).area == 2 && is_floor(x, y))
                    west = std::min(west, x), east = std::max(east, x);
        for (int side_x : {west, east}) {
            int row = 0;
            for (int y = p.y1; y <= p.y2 && row == 0; ++y)
                if (cell_at(side_x, y).area == 2 && is_floor(side_x, y)) row = y;
            EXPECT_GT(p.y2 - 1 - row, 4);
        }
        const tzone_rect& z1 = p.zone(1);
        const tzone_rect& z2 = p.zone(2);
        EXPECT_EQ(z1.width, 1);
        EXPECT_TRUE(z2.x <= z1.x && z1.x < z2.x + z2.width && z2.y <= z1.y && z1.y < z2.y + z2.height);
        for (int x = z2.x; x < z2.x + z2.width; ++x)
            for (int y = z2.y; y < z2.y + z2.height; ++y)
                EXPECT_TRUE(is_floor(x, y) && cell_at(x, y).area == 2) << x << "," << y;
        EXPECT_EQ(find_mark(64, 44), -1) << "no mark back toward the room";
        areas.resize(dungeon.next_area);
        EXPECT_EQ(area_record_faults(), "");
        EXPECT_EQ(unreachable_floor_cells(), 0);
    }
    EXPECT_GT(built, 15);
}

} // namespace
} // namespace dravok
