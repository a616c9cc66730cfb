#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "platform/files.h"
#include "records/layout_being.h"
#include "records/layout_files.h"
#include "records/layout_game.h"
#include "records/layout_item.h"
#include "records/layout_level.h"
#include "records/layout_map.h"
#include "records/layout_parts.h"
#include "records/layout_plans.h"
#include "world/being_arrays.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/furniture_counters.h"
#include "world/game_lists.h"
#include "world/game_record.h"
#include "world/item_placement.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/level_items.h"
#include "world/light_map.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/probe_effects.h"
#include "world/services.h"
#include "world/settings_record.h"
#include "world/sight_records.h"
#include "world/tables.h"
#include "world/transfer.h"
#include "world/world_lifecycle.h"

namespace dravok {
namespace {

template <class T> bool is_blank(const T& record, const T& blank) {
    return std::memcmp(&record, &blank, sizeof(T)) == 0;
}

class WorldGlobals : public ::testing::Test {
  protected:
    void SetUp() override {
        free_world();
        services = tservices{};
    }
    void TearDown() override {
        free_world();
        services = tservices{};
    }
};

TEST_F(WorldGlobals, AllocateWorldGivesTheFirstSizesWithEntryZeroUnused) {
    allocate_world();
    EXPECT_EQ(beings.size(), 350u);       // entries 1..349
    EXPECT_EQ(level_items.size(), 1000u); // entries 1..999
    EXPECT_EQ(duration_effects.size(), 100u);
    EXPECT_EQ(transfer_beings.size(), 20u);
    EXPECT_EQ(transfer_effects.size(), 100u);
    ASSERT_EQ(transfer_items.size(), 20u);
    EXPECT_EQ(transfer_items[19].size(), 50u);
    ASSERT_EQ(being_items.size(), 350u);
    // A slot's item list is made when the slot is filled.
    EXPECT_TRUE(being_items[349].empty());
    note_being_slot_used(349);
    EXPECT_EQ(being_items[349].size(), 50u);
    EXPECT_EQ(seen_cells.size(), 350u);
    ASSERT_EQ(sight_matrix.size(), 350u);
    EXPECT_EQ(sight_matrix[349].size(), 350u);
    EXPECT_EQ(first_seen_matrix[0].size(), 350u);

    // Growing keeps the matrices square; a new slot gets its item list when it is filled.
    beings[5].serial = 77;
    sight_matrix[5][6] = 1;
    grow_being_arrays(100);
    EXPECT_EQ(beings.size(), 450u);
    EXPECT_EQ(beings[5].serial, 77);
    EXPECT_EQ(sight_matrix[5][6], 1);
    EXPECT_EQ(sight_matrix[5].size(), 450u);
    EXPECT_EQ(sight_matrix[449].size(), 450u);
    EXPECT_EQ(first_seen_matrix[449].size(), 450u);
    note_being_slot_used(449);
    EXPECT_EQ(being_items[449].size(), 50u);
}

TEST_F(WorldGlobals, ResetWorldBlanksTheWorldAndOnlyTheRunTimeFieldsOfTheTables) {
    allocate_world();
    levels.resize(3);
    portals.resize(2);
    contents.resize(2);
    item_plans.resize(2);
    being_plans.resize(2);
    vaults.resize(2);

    player = 4;
    player_character = 4;
    loot_target_item = 6;
    game.game_clock = 5000; // the last game's record
    beings[3].serial = 9;
    beings[4].serial = 10; // the sight arrays below hold what beings 3 and 4 saw
    note_being_slot_used(3);
    being_items[3][7].plan = 12;
    sight_matrix[3][4] = 1;
    first_seen_matrix[4][3] = 500;
    seen_cells[3](128, 128) = 1;
    level_items[999].serial = 5;
    duration_effects[1].kind = 3;
    transfer_effects[2].kind = 4;
    areas.resize(5);
    areas[4].kind = 2;
    past_characters.resize(3);
    history.push_back("Day 1");
    recent_chatter.push_back("Hello");
    last_chatter_time = 1234;
    furniture_variant_counters[9] = 3;

    tlevel& l = levels[2];
    l.name = "Upper caves";
    l.map_size = 96;
    l.item_depth = 4;
    l.file_size = 4000;
    l.sum3 = 77;
    l.map_point(9).x = 10;
    l.visited_areas = 3;
    l.present_beings = 8;
    portals[1].destination = 3;
    portals[1].x = portals[1].y = portals[1].used = 1;
    contents[1].max_per_level = 2;
    contents[1].count_level = contents[1].count_game = 5;
    item_plans[1].identifier = "it_coin";
    item_plans[1].last_image = 7;
    item_plans[1].created_on_level = item_plans[1].created_in_game = 1;
    item_plans[1].uses = item_plans[1].counter4 = 1;
    being_plans[1].chatter_switch_of(35) = 1; // database content: kept
    being_plans[1].last_variant = 2;
    being_plans[1].used_variants[30] = 1;
    being_plans[1].created_on_level = being_plans[1].created_in_game = 1;
    being_plans[1].first_sightings = being_plans[1].player_kills = being_plans[1].kills = 1;
    vaults[1].impenetrable = 1;
    vaults[1].count_attempt = vaults[1].count_game = 2;

    reset_world();

    EXPECT_EQ(player, 0);
    for (std::size_t b = 0; b < beings.size(); ++b)
        ASSERT_TRUE(is_blank(beings[b], blank_being)) << b;
    // The item list goes with the slot's being; filling the slot again makes a blank one.
    EXPECT_TRUE(being_items[3].empty());
    note_being_slot_used(3);
    EXPECT_TRUE(is_blank(being_items[3][7], blank_item));
    EXPECT_EQ(player_character, 0);
    EXPECT_EQ(loot_target_item, 0);
    EXPECT_EQ(game.game_clock, 0u);
    EXPECT_EQ(sight_matrix[3][4], 0);
    EXPECT_EQ(first_seen_matrix[4][3], 0u);
    EXPECT_EQ(seen_cells[3](128, 128), 0);
    EXPECT_TRUE(is_blank(level_items[999], blank_item));
    EXPECT_TRUE(is_blank(duration_effects[1], effect_template));
    EXPECT_TRUE(is_blank(transfer_effects[2], effect_template));
    EXPECT_EQ(areas.size(), 1u);
    EXPECT_EQ(past_characters.size(), 1u);
    EXPECT_TRUE(history.empty());
    EXPECT_TRUE(recent_chatter.empty());
    EXPECT_EQ(last_chatter_time, 0u);
    EXPECT_EQ(furniture_variant_counters[9], 0u);

    EXPECT_EQ(l.name.str(), "Upper caves");
    EXPECT_EQ(l.map_size, 96);
    EXPECT_EQ(l.item_depth, 4);
    EXPECT_EQ(l.file_size, 0u);
    EXPECT_EQ(l.sum3, 0u);
    EXPECT_EQ(l.map_point(9).x, 0);
    EXPECT_EQ(l.visited_areas, 0);
    EXPECT_EQ(l.present_beings, 0);
    EXPECT_EQ(portals[1].destination, 3);
    EXPECT_EQ(portals[1].x + portals[1].y + portals[1].used, 0);
    EXPECT_EQ(contents[1].max_per_level, 2);
    EXPECT_EQ(contents[1].count_level + contents[1].count_game, 0);
    EXPECT_EQ(item_plans[1].identifier.str(), "it_coin");
    EXPECT_EQ(item_plans[1].last_image + item_plans[1].created_on_level + item_plans[1].created_in_game +
                  item_plans[1].uses + item_plans[1].counter4,
              0);
    EXPECT_EQ(being_plans[1].chatter_switch_of(35), 1u);
    EXPECT_EQ(being_plans[1].last_variant, 0);
    EXPECT_EQ(being_plans[1].used_variants[30], 0);
    EXPECT_EQ(being_plans[1].created_on_level + being_plans[1].created_in_game +
                  being_plans[1].first_sightings + being_plans[1].player_kills + being_plans[1].kills,
              0);
    ASSERT_EQ(plan_chatter_times.size(), being_plans.size());
    EXPECT_EQ(plan_chatter_times[1][58], 0u);
    EXPECT_EQ(vaults[1].impenetrable, 1);
    EXPECT_EQ(vaults[1].count_attempt + vaults[1].count_game, 0);
}

int hook_calls = 0;

TEST_F(WorldGlobals, ResetAndReleaseCallTheServicesOfOtherUnitsWhenInstalled) {
    allocate_world();
    reset_world(); // no service installed: nothing to call, nothing fails
    hook_calls = 0;
    services.clear_indicators = [] { hook_calls += 1; };
    services.clear_static_lights = [] { hook_calls += 10; };
    services.reset_offscreen_beings = [] { hook_calls += 100; };
    reset_world();
    EXPECT_EQ(hook_calls, 111);
    services.free_graphics = [] { hook_calls += 1000; };
    shutdown(false);
    EXPECT_EQ(hook_calls, 1122); // indicators and static lights cleared again by free_world
    EXPECT_TRUE(beings.empty());
    EXPECT_TRUE(level_items.empty());
}

TEST_F(WorldGlobals, InitGlobalsPresetsTheBlankRequestProbesPlanesDiceAndSettings) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("dravok_globals_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    set_program_folder(folder.string() + "/");
    settings.check_updates = 1;
    settings.create_obituary = 1;
    settings.tile_size = 64;
    settings.log_lines = 3;
    one_dice = tdice{};

    init_globals();

    tstuff expected_stuff{};
    expected_stuff.width = expected_stuff.height = 1;
    EXPECT_TRUE(is_blank(blank_stuff, expected_stuff));
    EXPECT_EQ(probe_effects[1].shape, 4);
    EXPECT_EQ(probe_effects[1].range, 0);
    EXPECT_EQ(probe_effects[2].shape, 5);
    EXPECT_EQ(probe_effects[2].range, 2);
    EXPECT_EQ(probe_effects[3].range, 6);
    EXPECT_EQ(probe_effects[3].range_dice.bonus, 6);
    EXPECT_EQ(light_map.planes[0](1, 1), 1);
    EXPECT_EQ(light_map.planes[1](64, 64), 2);
    EXPECT_EQ(light_map.planes[2](128, 128), 3);
    EXPECT_EQ(light_map.light(1, 1), 0);
    EXPECT_EQ(one_dice.bonus, 1);
    EXPECT_EQ(d20_dice.sides, 20);

    // Defaults, the view in use from the 32-pixel pair; the two switches it leaves alone.
    EXPECT_EQ(settings.tile_size, 32);
    EXPECT_EQ(settings.view_width, 23);
    EXPECT_EQ(settings.view_height, 17);
    EXPECT_EQ(settings.tileset_name, "Dravok");
    EXPECT_EQ(settings.check_updates, 1);
    EXPECT_EQ(settings.create_obituary, 1);
    EXPECT_EQ(settings.log_lines, 7);
    EXPECT_EQ(settings.newest_first, 1);
    EXPECT_EQ(settings.fading, 1);
    EXPECT_EQ(settings.minimap_place, 1);
    EXPECT_EQ(settings.side_panel_place, 2);
    set_program_folder("");
    std::filesystem::remove_all(folder);
}

TEST_F(WorldGlobals, MapGridsAreOneBasedAndXMajor) {
    map_cells.fill(blank_cell);
    map_cells(2, 1).block = 5;
    EXPECT_EQ(map_cells.cells[128].block, 5);
    map_cells(128, 128).explored = 1;
    EXPECT_EQ(map_cells.cells.back().explored, 1);
    map_cells.fill(blank_cell);
}

} // namespace
} // namespace dravok
