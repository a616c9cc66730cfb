#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "fixtures/small_world.h"
#include "generation/grids.h"
#include "records/layout_item.h"
#include "records/map_vocab.h"
#include "rules/lasting_effects.h"
#include "world/blank_records.h"
#include "world/geometry.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/level_items.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/settings_record.h"
#include "world/sprite_lookup.h"

namespace dravok {
namespace {

using fixtures::floor_kind;
using fixtures::wall_kind;

class MapGrid : public ::testing::Test {
  protected:
    void SetUp() override { fixtures::build_small_map(); }
};

TEST_F(MapGrid, OnMapIsOneBasedAndBoundedByTheMapSize) {
    EXPECT_TRUE(on_map(1, 1));
    EXPECT_TRUE(on_map(12, 12));
    EXPECT_FALSE(on_map(0, 5));
    EXPECT_FALSE(on_map(5, 13));
    EXPECT_FALSE(on_map(13, 1));
    // A cell of the static grid beyond the level's size is never on the map.
    EXPECT_FALSE(is_floor(20, 20));
    EXPECT_TRUE(is_inside_border(2, 11));
    EXPECT_FALSE(is_inside_border(1, 5));
    EXPECT_FALSE(is_inside_border(5, 12));
}

TEST_F(MapGrid, ViewAndExploredRectangles) {
    settings.view_left = 3, settings.view_top = 4, settings.view_right = 9, settings.view_bottom = 8;
    EXPECT_TRUE(is_in_view(3, 4));
    EXPECT_TRUE(is_in_view(9, 8));
    EXPECT_FALSE(is_in_view(10, 8));
    const int cases[][3] = {{5, 2, 1}, {12, 1, 2}, {10, 6, 3}, {10, 9, 4}, {5, 9, 5},
                            {1, 9, 6}, {2, 6, 7},  {1, 1, 8},  {5, 5, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(get_offscreen_direction(c[0], c[1]), c[2]) << c[0] << "," << c[1];

    level.explored_x1 = 2, level.explored_y1 = 3, level.explored_x2 = 6, level.explored_y2 = 7;
    EXPECT_TRUE(on_explored_map(2, 3));
    EXPECT_TRUE(on_explored_map(6, 7));
    EXPECT_FALSE(on_explored_map(7, 7));
    EXPECT_FALSE(on_explored_map(2, 2));
    EXPECT_EQ(get_area(3, 3), 1);
    EXPECT_EQ(get_area(9, 3), 2);
    EXPECT_EQ(get_area(0, 3), 0);
    EXPECT_EQ(get_area_kind(9, 3), 2);
    EXPECT_EQ(get_area_kind(13, 3), 0);
}

TEST_F(MapGrid, GridIsXMajor) {
    EXPECT_EQ(&cell_at(2, 1), &map_cells.cells[128]);
    EXPECT_EQ(&cell_at(1, 2), &map_cells.cells[1]);
}

TEST_F(MapGrid, BlockBaseReadsTheGivenKindOrTheCell) {
    EXPECT_EQ(get_block_base(0, 0, 0), base_none); // off the map
    cell_at(3, 3).block = 0;
    EXPECT_EQ(get_block_base(3, 3, 0), base_wall);   // kind 0 is a wall
    EXPECT_EQ(get_block_base(3, 3, 50), base_floor); // a valid kind answers alone
    EXPECT_EQ(get_block_base(4, 4, 95), base_floor); // an invalid kind reads the cell
    EXPECT_EQ(get_block_base(0, 0, 40), base_wall);
    EXPECT_TRUE(is_wall(3, 3));
    EXPECT_FALSE(is_floor(3, 3));
}

TEST_F(MapGrid, SetBlockKeepsTheKindOfAnAreaCellWithTheSameBase) {
    cells_given_area = 0;
    ASSERT_EQ(cell_at(3, 3).block, floor_kind);
    set_block(3, 3, 70, 0, false, 2, 7);
    EXPECT_EQ(cell_at(3, 3).block, floor_kind); // same base: the old floor stays
    EXPECT_EQ(cell_at(3, 3).area, 2);
    EXPECT_EQ(cell_at(3, 3).shape, 7);
    EXPECT_EQ(dug_grid[3 - 1][3 - 1], 1);
    EXPECT_EQ(cells_given_area, 0); // the cell already had an area

    set_block(3, 4, 5, 0, true, 1, 2); // a wall over a floor changes the kind
    EXPECT_EQ(cell_at(3, 4).block, 5);
    EXPECT_TRUE(is_impenetrable_wall(3, 4));

    cell_at(4, 4).area = 0;
    set_block(4, 4, 70, 0, false, 1, 2); // a cell without area takes any kind
    EXPECT_EQ(cell_at(4, 4).block, 70);
    EXPECT_EQ(cells_given_area, 1);

    set_block(3, 4, 45, 0, false, 1, 2); // digging floor lifts the impenetrable mark
    EXPECT_FALSE(is_impenetrable_wall(3, 4));
    EXPECT_FALSE(set_block(0, 4, 45, 0, false, 1, 2));
}

TEST_F(MapGrid, FurnitureQueriesAndTheHiddenHighValues) {
    EXPECT_EQ(get_furniture(6, 6), fu_door);
    EXPECT_TRUE(is_door(6, 6, 0));
    EXPECT_FALSE(is_door(6, 6, 1));
    cell_at(3, 3).furniture = 61;
    EXPECT_EQ(get_furniture(3, 3), 0);
    EXPECT_EQ(get_furniture(0, 3), 0);

    add_furniture(3, 3, fu_chest);
    EXPECT_EQ(areas[1].doors, 1);
    add_furniture(4, 3, fu_pillar); // not item-holding
    EXPECT_EQ(areas[1].doors, 1);
    EXPECT_EQ(is_furniture_container(3, 3), fu_chest);
    EXPECT_TRUE(is_closed_container(3, 3));
    EXPECT_EQ(is_furniture_container(4, 3), 0);

    tcell& c = cell_at(3, 3);
    c.furniture_state = 1, c.furniture_value = 9, c.lock = 3, c.key_item = 4, c.noticed = 1;
    c.hidden_creature = 7;
    remove_furniture(3, 3, false);
    EXPECT_EQ(c.furniture, 0);
    EXPECT_EQ(c.furniture_state + c.furniture_value + c.lock + c.key_item + c.noticed, 0);
    EXPECT_EQ(c.hidden_creature, 7);
    remove_furniture(3, 3, true);
    EXPECT_EQ(c.hidden_creature, 0);

    EXPECT_TRUE(is_shop_furniture(fu_chest_shop));
    EXPECT_FALSE(is_shop_furniture(fu_chest));
    EXPECT_FALSE(is_shop_furniture(0));
    EXPECT_FALSE(is_shop_furniture(61));
}

TEST_F(MapGrid, FurnitureVariantsAreDealtOutPerArea) {
    clear_sprite_infos();
    set_sprite_info(sprites_furniture, fu_chair, {10, 3, 2}); // three variants of two images
    add_furniture(2, 2, fu_chair);
    EXPECT_EQ(cell_at(2, 2).furniture_variant % 2, 0);
    EXPECT_LE(cell_at(2, 2).furniture_variant, 4);
    cell_at(2, 2).splash = 3;
    add_furniture(2, 2, fu_chair);
    EXPECT_EQ(cell_at(2, 2).splash, 0); // new furniture clears the splash

    // Four chairs in area 1: the first three take every variant once.
    const int chairs[4][2] = {{2, 2}, {2, 5}, {3, 4}, {5, 9}};
    for (const auto& c : chairs)
        cell_at(c[0], c[1]).furniture = fu_chair;
    cell_at(8, 8).furniture = fu_chair; // area 2 deals its own
    place_level_furniture();
    std::vector<int> first_three;
    for (int i = 0; i < 3; ++i)
        first_three.push_back(cell_at(chairs[i][0], chairs[i][1]).furniture_variant);
    std::sort(first_three.begin(), first_three.end());
    EXPECT_EQ(first_three, (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(cell_at(5, 9).furniture_variant % 2, 0);
    EXPECT_LE(cell_at(8, 8).furniture_variant, 4);
    clear_sprite_infos();
}

TEST_F(MapGrid, FurnitureStateFollowsTheItemsInside) {
    level_items.assign(3, blank_item);
    level_items[1].plan = 4, level_items[1].x = 3, level_items[1].y = 3, level_items[1].holder = 1;
    level_items[2].plan = 4, level_items[2].x = 3, level_items[2].y = 3; // loose
    cell_at(3, 3).furniture = fu_chest;
    update_furniture_state(3, 3);
    EXPECT_EQ(cell_at(3, 3).furniture_state, 0); // a closed container is left alone
    cell_at(3, 3).furniture_state = 1;
    update_furniture_state(3, 3);
    EXPECT_EQ(cell_at(3, 3).furniture_state, 2);
    EXPECT_EQ(cell_at(3, 3).held_items, 1);
    EXPECT_EQ(cell_at(3, 3).loose_items, 1);
    level_items[1] = blank_item;
    update_furniture_state(3, 3);
    EXPECT_EQ(cell_at(3, 3).furniture_state, 1);
    EXPECT_EQ(cell_at(3, 3).looted, 1);
    cell_at(3, 3).furniture = fu_armorstand;
    level_items[1].plan = 4, level_items[1].x = 3, level_items[1].y = 3, level_items[1].holder = 1;
    update_furniture_state(3, 3);
    EXPECT_EQ(cell_at(3, 3).furniture_state, 1);
    level_items[1] = blank_item;
    update_furniture_state(3, 3);
    EXPECT_EQ(cell_at(3, 3).furniture_state, 0);
    level_items.clear();
}

TEST_F(MapGrid, WhatBlocksSightAndWhatBlocksEffects) {
    struct row {
        int furniture, state;
        bool sight, effect;
    };
    const row rows[] = {
        {fu_door, 0, true, true},
        {fu_door, 1, false, false},
        {fu_door_lockable, 0, true, true},
        {fu_door_cell, 0, false, false},
        {fu_door_secret, 0, true, false},
        {fu_wall_disappearing, 0, true, false},
        {fu_bookcase, 0, false, true},
        {fu_bookcase_shop, 0, false, false},
        {fu_statue_clonomancer, 0, false, true},
        {fu_tube, 0, false, true},
        {fu_chair, 0, false, false},
    };
    for (const row& r : rows) {
        cell_at(3, 3).furniture = uint8_t(r.furniture);
        cell_at(3, 3).furniture_state = uint8_t(r.state);
        EXPECT_EQ(blocks_sight_furniture(3, 3), r.sight) << r.furniture << "/" << r.state;
        EXPECT_EQ(blocks_effect_at(3, 3), r.effect) << r.furniture << "/" << r.state;
    }
}

TEST_F(MapGrid, FurnitureKindNames) {
    struct row {
        int furniture;
        const char* name;
    };
    const row rows[] = {{fu_stairs_up, "stairs"},      {fu_door_cell, "door"},
                        {fu_chest_shop, "chest"},      {fu_statue_gargoyle, "statue"},
                        {fu_bed_broken, "broken bed"}, {fu_sarcophagus, "sarcophagus"}};
    for (const row& r : rows) {
        cell_at(3, 3).furniture = uint8_t(r.furniture);
        std::string name;
        get_furniture_kind_name(3, 3, name);
        EXPECT_EQ(name, r.name);
    }
    EXPECT_EQ(furniture_names[61 + fu_well_dry], "well");
    EXPECT_EQ(vault_zone_names[61 + 23], "vertical_big");
}

TEST_F(MapGrid, Doorways) {
    EXPECT_EQ(is_doorway(6, 6, false), 1); // door with floor west and east
    EXPECT_EQ(is_doorway(6, 6, true), 1);
    EXPECT_EQ(is_near_doorway(5, 6, false), 1);
    EXPECT_EQ(is_doorway(3, 3, false), 0); // open floor
    // A gap in a north-south wall without a door: a west-east passage only without no_door.
    cell_at(6, 9).block = floor_kind;
    EXPECT_EQ(is_doorway(6, 9, false), 1);
    EXPECT_EQ(is_doorway(6, 9, true), 0);
    EXPECT_EQ(is_doorway(6, 2, false), 0); // wall
    cell_at(6, 9).block = wall_kind;
    cell_at(6, 9).furniture = fu_door_secret;
    EXPECT_EQ(is_secret_door(6, 9), 1); // floor west and east
    cell_at(1, 5).furniture = fu_door_secret;
    EXPECT_EQ(is_secret_door(1, 5), 0); // the map's edge: no floor pair
    cell_at(3, 1).furniture = fu_door_secret;
    EXPECT_EQ(is_secret_door(3, 1), 0);
}

TEST_F(MapGrid, FreeFloorModes) {
    EXPECT_TRUE(is_free_floor(0, 0, 0, 0, 0, 0, 1)); // an empty rectangle is free, even off the map
    EXPECT_TRUE(is_free_floor(3, 3, 2, 0, 0, 0, 2));
    EXPECT_FALSE(is_free_floor(5, 3, 2, 0, 0, 0, 1)); // x 5..6 meets the wall
    cell_at(3, 3).trap = 9;
    EXPECT_FALSE(is_free_floor(3, 3, 1, 0, 0, 0, 1));
    EXPECT_TRUE(is_free_floor(3, 3, 1, 0, 0, 2, 1));
    EXPECT_TRUE(is_free_floor(3, 3, 1, 0, 0, 3, 1));
    EXPECT_FALSE(is_free_floor(3, 3, 1, 0, 0, 4, 1));
    cell_at(3, 3).trap = 0;
    cell_at(3, 3).loose_items = 1;
    EXPECT_TRUE(is_free_floor(3, 3, 1, 0, 0, 0, 1));
    EXPECT_FALSE(is_free_floor(3, 3, 1, 0, 0, 1, 1));
    cell_at(3, 3).loose_items = 0;
    EXPECT_FALSE(is_free_floor(5, 6, 1, 0, 0, 1, 1)); // beside the doorway
    EXPECT_TRUE(is_free_floor(5, 6, 1, 0, 0, 0, 1));
    cell_at(3, 4).secret_door = 5;
    EXPECT_FALSE(is_free_floor(3, 3, 1, 0, 0, 1, 1));
    cell_at(3, 3).being = 1;
    EXPECT_FALSE(is_free_floor(3, 3, 1, 0, 0, 2, 1));
}

TEST_F(MapGrid, MostCommonNeighbourFloorKeepsTheFirstToReachTheCount) {
    // Neighbours of (3, 3) in direction order: N (3,2), NE (4,2), E (4,3) ...; all others walls.
    for (int d = 1; d <= 8; ++d)
        cell_at(3 + direction_steps[d].dx, 3 + direction_steps[d].dy).block = wall_kind;
    cell_at(3, 2).block = 43;
    cell_at(4, 2).block = 45;
    EXPECT_EQ(most_common_neighbour_floor(3, 3), 43);
    cell_at(4, 3).block = 45;
    EXPECT_EQ(most_common_neighbour_floor(3, 3), 45);
    for (int d = 1; d <= 8; ++d)
        cell_at(3 + direction_steps[d].dx, 3 + direction_steps[d].dy).block = wall_kind;
    EXPECT_EQ(most_common_neighbour_floor(3, 3), 0);
}

TEST_F(MapGrid, NeighbourCountsAndFloorNeighbour) {
    EXPECT_EQ(count_matching_neighbours(2, 2, 8, {}, {}, base_wall), 5);
    EXPECT_EQ(count_matching_neighbours(2, 2, 4, {}, {}, base_floor), 2);
    EXPECT_EQ(count_matching_neighbours(1, 1, 8, {}, {}, 0), 3); // only on-map neighbours
    EXPECT_EQ(count_matching_neighbours(5, 5, 8, {2}, {}, 0), 0);
    EXPECT_EQ(count_matching_neighbours(7, 5, 8, {1}, {2}, base_floor), 1);    // the door cell
    EXPECT_EQ(find_floor_neighbour_in_area(5, 6, 1), uint32_t(5 | (5 << 16))); // north comes first
    EXPECT_EQ(find_floor_neighbour_in_area(7, 6, 2), uint32_t(7 | (5 << 16))); // north first
    EXPECT_EQ(find_floor_neighbour_in_area(3, 3, 2), 0u);
}

TEST_F(MapGrid, FurnitureSpacingAndNeighbourCount) {
    cell_at(3, 3).furniture = fu_statue_humanoid;
    cell_at(5, 5).furniture = fu_wall_disappearing;
    EXPECT_FALSE(is_free_of_furniture_around(4, 4, fu_pillar));
    EXPECT_TRUE(is_free_of_furniture_around(4, 4, fu_chest));
    EXPECT_FALSE(is_free_of_furniture_around(4, 2, fu_totem));
    EXPECT_TRUE(is_free_of_furniture_around(5, 3, fu_totem));
    EXPECT_TRUE(is_free_of_furniture_around(9, 9, fu_totem));
    EXPECT_EQ(count_furniture_neighbours(4, 4), 1); // the disappearing wall does not count
}

TEST_F(MapGrid, FreeFloorForBeingLeavesASpotZoneForTheMainZone) {
    // The start cell lies in a spot zone; so do its neighbours, except one main-zone cell.
    for (int x = 2; x <= 5; ++x)
        for (int y = 2; y <= 11; ++y)
            cell_at(x, y).vault_zone = 7; // vz_spot_05
    cell_at(5, 5).vault_zone = vz_main;
    int fx = -1, fy = -1;
    find_free_floor_for_being(3, 3, 1, fx, fy, 0, 1);
    EXPECT_EQ(fx, 5);
    EXPECT_EQ(fy, 5);

    // Another zone is tried first, then zone 0 among the neighbours before the rings.
    for (int x = 2; x <= 5; ++x)
        for (int y = 2; y <= 11; ++y)
            cell_at(x, y).vault_zone = 24;
    cell_at(2, 2).vault_zone = 0;
    cell_at(5, 5).vault_zone = 0;
    find_free_floor_for_being(3, 3, 1, fx, fy, 0, 1);
    EXPECT_EQ(std::max(std::abs(fx - 3), std::abs(fy - 3)), 1);
    EXPECT_EQ(cell_at(fx, fy).vault_zone, 24);
    for (int d = 1; d <= 8; ++d)
        cell_at(3 + direction_steps[d].dx, 3 + direction_steps[d].dy).vault_zone = 0;
    cell_at(5, 5).vault_zone = 24;
    find_free_floor_for_being(3, 3, 1, fx, fy, 0, 1);
    EXPECT_EQ(std::max(std::abs(fx - 3), std::abs(fy - 3)), 1) << "zone 0 neighbours before zone 24 rings";

    find_free_floor_for_being(0, 3, 1, fx, fy, 0, 1);
    EXPECT_EQ(fx, 0);
    EXPECT_EQ(fy, 0);
}

TEST_F(MapGrid, FreeFloorForBeingStaysInTheAreaAndAvoidsMapEffects) {
    int fx = -1, fy = -1;
    // A 2x2 footprint next to (10, 10) inside area 2.
    find_free_floor_for_being(10, 10, 2, fx, fy, 0, 2);
    ASSERT_NE(fx, 0);
    EXPECT_EQ(cell_at(fx, fy).area, 2);
    EXPECT_TRUE(is_free_floor(fx, fy, 2, 0, 0, 0, 2));
    // Every neighbour held by a map effect: the search moves on to the rings.
    for (int d = 1; d <= 8; ++d)
        map_effect_grid(3 + direction_steps[d].dx, 3 + direction_steps[d].dy).effect = 1;
    find_free_floor_for_being(3, 3, 1, fx, fy, 0, 1);
    EXPECT_GE(std::max(std::abs(fx - 3), std::abs(fy - 3)), 2);
    EXPECT_EQ(cell_at(fx, fy).area, 1);
}

TEST_F(MapGrid, WallFrontIsShownAboveFloorAndUnexploredCells) {
    EXPECT_TRUE(is_wall_front_shown(3, 1));  // floor below
    EXPECT_TRUE(is_wall_front_shown(3, 12)); // bottom row
    EXPECT_FALSE(is_wall_front_shown(1, 5)); // wall below
    EXPECT_FALSE(is_wall_front_shown(6, 5)); // a door below
    cell_at(1, 6).explored = 0;
    EXPECT_TRUE(is_wall_front_shown(1, 5));
    EXPECT_FALSE(is_wall_front_shown(3, 3)); // a floor
}

} // namespace
} // namespace dravok
