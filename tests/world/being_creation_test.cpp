#include <gtest/gtest.h>

#include "fixtures/small_world.h"
#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_item.h"
#include "records/layout_level.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "rules/lasting_effects.h"
#include "rules/move_checks.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/error_log.h"
#include "world/game_record.h"
#include "world/geometry.h"
#include "world/lasting_effects.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/player.h"
#include "world/random.h"
#include "world/sight_records.h"
#include "world/spawn_candidates.h"
#include "world/sprite_lookup.h"
#include "world/tables.h"

namespace dravok {
namespace {

using fixtures::goblin_plan;
using fixtures::ogre_plan;

class BeingCreation : public ::testing::Test {
  protected:
    void SetUp() override {
        set_program_folder(folder_.path()); // fatal reports write their log here
        error_log_lines.clear();
        fixtures::build_small_map();
        fixtures::make_being_plans();
        fixtures::reset_beings();
        clear_sprite_infos();
    }
    void TearDown() override {
        set_program_folder("");
        error_log_lines.clear();
        clear_quit_request();
    }
    dravok::testing::TempFolder folder_;

    // No being's mark anywhere on the map except the given being's footprint.
    static int cells_marked_by(int being) {
        int n = 0;
        for (int x = 1; x <= max_map_size; ++x)
            for (int y = 1; y <= max_map_size; ++y)
                n += cell_at(x, y).being == being ? 1 : 0;
        return n;
    }
};

TEST_F(BeingCreation, CreatesFromTheTemplate) {
    tbeing b;
    create_being(goblin_plan, 0, b);
    EXPECT_EQ(b.serial, 1);
    EXPECT_EQ(game.being_serial, 1u);
    EXPECT_EQ(b.identifier.view(), "be_goblin");
    EXPECT_EQ(b.name.view(), "goblin");
    EXPECT_EQ(b.plan, goblin_plan);
    EXPECT_EQ(b.category, tf_humanoid);
    EXPECT_EQ(b.race, tf_goblin);
    EXPECT_EQ(b.size, tf_small);
    EXPECT_EQ(b.gender, tf_male);
    EXPECT_EQ(b.level, 1);
    for (int k = 1; k <= ability_count; ++k) {
        EXPECT_GE(b.base_ability_of(k), 9);
        EXPECT_LE(b.base_ability_of(k), 12);
    }
    EXPECT_EQ(b.base_skill_of(4), 4); // a fixed formula
    EXPECT_GE(b.health_base, 6);
    EXPECT_LE(b.health_base, 12);
    EXPECT_EQ(b.stamina_base, 10);
    EXPECT_EQ(b.stimulus_chance[0], 60); // AI preset 1
    EXPECT_EQ(b.stimulus_range[4], 255);
    EXPECT_EQ(b.morale[0], 75); // morale row 3
    EXPECT_EQ(b.morale[2], 10);
    EXPECT_EQ(b.uses_items, 1);
    EXPECT_EQ(b.wants_corpses, 1); // the corpse wish
    EXPECT_EQ(being_plans[goblin_plan].created_on_level, 1);
    EXPECT_EQ(being_plans[goblin_plan].created_in_game, 1);

    tbeing ogre;
    create_being(ogre_plan, 0, ogre);
    EXPECT_EQ(ogre.gender, tf_neuter); // none set
    EXPECT_EQ(ogre.type_flags[tf_unique], 1);
    EXPECT_EQ(ogre.base_ability_of(1), 10);
}

TEST_F(BeingCreation, SameSeedSameBeing) {
    random_seed = 77;
    tbeing a, b;
    create_being(goblin_plan, 0, a);
    random_seed = 77;
    create_being(goblin_plan, 0, b);
    b.serial = a.serial;
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
}

TEST_F(BeingCreation, LimitsAndBadIndices) {
    tbeing b;
    create_being(ogre_plan, 0, b);
    EXPECT_EQ(b.serial, 1);
    create_being(ogre_plan, 0, b); // a unique template, once per game
    EXPECT_EQ(b.serial, -1);
    EXPECT_TRUE(b.name.empty());
    EXPECT_EQ(add_being_to_level(3, 3, blank_being, 0, ogre_plan), 0);

    being_plans[goblin_plan].cap = 2;
    create_being(goblin_plan, 0, b);
    create_being(goblin_plan, 0, b);
    EXPECT_EQ(b.serial, 3);
    create_being(goblin_plan, 0, b);
    EXPECT_EQ(b.serial, -1);
    EXPECT_EQ(game.being_serial, 3u);

    create_being(4, 1, b); // beyond the table: blank, reported fatally
    EXPECT_EQ(b.serial, 0);
    EXPECT_TRUE(quit_requested());
    EXPECT_NE(error_log_lines.size(), 0u);
}

TEST_F(BeingCreation, UniqueTitlesAreSetUpEvenWhenTheyRunOut) {
    // Two unique templates whose titles can only expand to one text: the set-up still ends.
    being_plans[goblin_plan].max_per_game = 1;
    being_plans[goblin_plan].title = "%none%";
    being_plans[ogre_plan].title = "%none%";
    setup_unique_names();
    EXPECT_EQ(being_plans[goblin_plan].unique_title.view(), being_plans[ogre_plan].unique_title.view());
    tbeing b;
    create_being(goblin_plan, 0, b);
    EXPECT_EQ(b.title.view(), being_plans[goblin_plan].unique_title.view());
}

TEST_F(BeingCreation, RecruitableHumanoidsStartAtFullStrength) {
    being_plans[goblin_plan].type_flags[tf_can_be_recruited] = 1;
    tbeing b;
    create_being(goblin_plan, 0, b);
    EXPECT_EQ(b.health_base, 18); // 2d4+4 at most 12, times 1.5
    EXPECT_EQ(b.stamina_base, 10);
}

TEST_F(BeingCreation, ImageVariantsAreUsedBeforeRepeating) {
    set_sprite_info(sprites_creature, goblin_plan, {100, 3, 1});
    std::vector<int> seen;
    for (int i = 0; i < 3; ++i) {
        tbeing b;
        create_being(goblin_plan, 0, b);
        seen.push_back(b.image - 100);
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
    // The list is full: the next pick avoids the last one used.
    const int last = being_plans[goblin_plan].last_variant - 1;
    tbeing b;
    create_being(goblin_plan, 0, b);
    EXPECT_NE(b.image - 100, last);

    set_sprite_info(sprites_creature, ogre_plan, {40, 1, 1});
    create_being(ogre_plan, 0, b);
    EXPECT_EQ(b.image, 40);
}

TEST_F(BeingCreation, AddingChoosesSlotsAndTheFirstActionTime) {
    const int a = add_being_to_level(3, 3, blank_being, 0, goblin_plan);
    const int b = add_being_to_level(4, 4, blank_being, 0, goblin_plan);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(beings[a].next_action_time, 115u); // the game clock + 15
    EXPECT_EQ(beings[a].present, 1);
    EXPECT_EQ(beings[a].in_use, 1);
    EXPECT_EQ(beings[a].home_x, 3);
    EXPECT_EQ(beings[a].home_area, 1);
    EXPECT_EQ(beings[a].experience_next, 1000u);
    EXPECT_EQ(beings[a].active_set, 13);
    EXPECT_EQ(beings[a].type_flags[tf_living], 1);
    EXPECT_EQ(cell_at(3, 3).being, a);

    // A returning being gets its old slot back.
    tbeing traveller = beings[a];
    remove_being(a, 0);
    beings[a].in_use = 1; // it left the level, the slot still holds it
    traveller.next_action_time = 500;
    EXPECT_EQ(add_being_to_level(5, 5, traveller, 0, 0), a);
    EXPECT_EQ(beings[a].next_action_time, 500u); // not a new being: keeps its time

    // A passive being never acts; flora is not living.
    const int c = add_being_to_level(2, 2, blank_being, 0, fixtures::shrieker_plan);
    EXPECT_EQ(beings[c].next_action_time, 0xFFFFFFFFu);
    EXPECT_EQ(beings[c].type_flags[tf_living], 0);
    EXPECT_EQ(beings[c].morale[0], 5000);

    // A full array grows by 100.
    for (int i = 1; i < int(beings.size()); ++i)
        beings[i].in_use = 1;
    const std::size_t before = beings.size();
    const int d = add_being_to_level(2, 3, blank_being, 0, goblin_plan);
    EXPECT_EQ(d, int(before));
    EXPECT_EQ(beings.size(), before + 100);
    EXPECT_EQ(being_items[d].size(), 50u);
    EXPECT_EQ(sight_matrix[1].size(), before + 100);

    EXPECT_EQ(add_being_to_level(0, 3, blank_being, 0, goblin_plan), 0);
}

TEST_F(BeingCreation, SummonedBeingsThatLeftAreForgotten) {
    const int a = add_being_to_level(3, 3, blank_being, 0, goblin_plan);
    beings[a].type_flags[tf_summoned] = 1;
    remove_being(a, 0);
    add_being_to_level(4, 4, blank_being, 0, goblin_plan);
    EXPECT_EQ(beings[a].identifier.view(), "be_goblin"); // the slot was blanked and reused
    EXPECT_EQ(beings[a].x, 4);
    // A fungus that left is forgotten too, with its items.
    const int f = add_being_to_level(5, 5, blank_being, 0, fixtures::shrieker_plan);
    being_items[f][1].plan = 3;
    remove_being(f, 0);
    being_items[f][1].plan = 3; // still listed after leaving
    add_being_to_level(6, 6, blank_being, 0, goblin_plan);
    EXPECT_EQ(beings[f].x, 6);
    EXPECT_EQ(being_items[f][1].plan, 0);
}

TEST_F(BeingCreation, PrisonCellsAndAmbushes) {
    cell_at(3, 3).vault_zone = 31; // vz_cell_1
    being_plans[goblin_plan].prison_wish[9] = 1;
    const int a = add_being_to_level(3, 3, blank_being, 0, goblin_plan);
    EXPECT_EQ(beings[a].type_flags[tf_spawned_in_cell], 1);
    EXPECT_EQ(beings[a].type_flags[tf_has_not_left_cell], 1);
    EXPECT_EQ(beings[a].wish[9], 1);
    cell_at(4, 4).vault_zone = 44; // vz_ambush_2
    const int b = add_being_to_level(4, 4, blank_being, 0, goblin_plan);
    EXPECT_EQ(beings[b].behaviour, 1);
    EXPECT_EQ(beings[b].type_flags[tf_spawned_in_cell], 0);
}

TEST_F(BeingCreation, TwoByTwoFootprintAtTheMapEdge) {
    const int ogre = add_being_to_level(10, 10, blank_being, 0, ogre_plan);
    ASSERT_NE(ogre, 0);
    EXPECT_EQ(cell_at(10, 10).footprint, 1);
    EXPECT_EQ(cell_at(11, 10).footprint, 2);
    EXPECT_EQ(cell_at(10, 11).footprint, 3);
    EXPECT_EQ(cell_at(11, 11).footprint, 4);
    EXPECT_EQ(cells_marked_by(ogre), 4);
    EXPECT_EQ(areas[2].beings, 1);

    place_being(ogre, 11, 11, 0); // up to the last row and column
    EXPECT_EQ(cell_at(12, 12).being, ogre);
    EXPECT_EQ(cell_at(12, 12).footprint, 4);
    EXPECT_EQ(cells_marked_by(ogre), 4);
    EXPECT_EQ(cell_at(10, 10).being, 0);

    // One step further would leave the map: nothing changes, and the fault is reported.
    place_being(ogre, 12, 12, 1);
    EXPECT_EQ(beings[ogre].x, 11);
    EXPECT_EQ(beings[ogre].y, 11);
    EXPECT_EQ(cells_marked_by(ogre), 4);
    EXPECT_EQ(cell_at(11, 11).footprint, 1);
    EXPECT_EQ(areas[2].beings, 1);
    EXPECT_TRUE(quit_requested());

    EXPECT_EQ(can_move_to(ogre, 12, 5, 0, false, false), target_no_floor); // (12, 5) is the east wall
    EXPECT_EQ(can_move_to(ogre, 13, 5, 0, false, false), target_off_map);
    EXPECT_EQ(can_move_to(ogre, 10, 10, 0, false, false), target_free);

    remove_being(ogre, 0);
    EXPECT_EQ(cells_marked_by(ogre), 0);
    EXPECT_EQ(areas[2].beings, 0);
    EXPECT_EQ(beings[ogre].present, 0);
    EXPECT_EQ(beings[ogre].x, 11); // a removed being keeps its position
    EXPECT_FALSE(is_being_ok(ogre) && find_being_by_serial(beings[ogre].serial) != 0);
}

TEST_F(BeingCreation, PlacingAtTheOriginOnlyClearsTheCells) {
    const int a = add_being_to_level(3, 3, blank_being, 0, goblin_plan);
    place_being(a, 0, 0, 0);
    EXPECT_EQ(cell_at(3, 3).being, 0);
    EXPECT_EQ(beings[a].x, 3);
    EXPECT_EQ(areas[1].beings, 0);
    place_being(99, 3, 3, 1); // beyond the array
    EXPECT_TRUE(quit_requested());
    EXPECT_EQ(cell_at(3, 3).being, 0);
}

TEST_F(BeingCreation, PositionTestsOnFootprints) {
    const int ogre = add_being_to_level(8, 8, blank_being, 0, ogre_plan);
    const int goblin = add_being_to_level(3, 3, blank_being, 0, goblin_plan);
    EXPECT_TRUE(is_on_xy(ogre, 0, 0, 9, 9));
    EXPECT_FALSE(is_on_xy(ogre, 0, 0, 10, 9));
    EXPECT_TRUE(is_on_xy(ogre, 3, 3, 4, 4));
    EXPECT_TRUE(is_near(ogre, 0, 10, 10));
    EXPECT_FALSE(is_near(ogre, 0, 11, 10));
    EXPECT_FALSE(is_near(goblin, 0, 3, 3)); // a cell is not next to itself
    EXPECT_TRUE(is_near(goblin, 0, 4, 4));
    EXPECT_FALSE(is_near(goblin, ogre, 0, 0));
    place_being(goblin, 7, 10, 0);
    EXPECT_TRUE(is_near(goblin, ogre, 0, 0));
    EXPECT_EQ(get_being_distance(goblin, ogre), 1);
    place_being(goblin, 3, 3, 0);
    EXPECT_EQ(get_being_distance(goblin, ogre), 7); // (3,3) to (8,8)
    EXPECT_EQ(get_being_distance(goblin, 0), 0);
    EXPECT_EQ(get_direction_between_beings(goblin, ogre), 4);
    EXPECT_EQ(get_direction_between_beings(goblin, 7), 0);
}

TEST_F(BeingCreation, CanMoveChecksInOrder) {
    const int a = add_being_to_level(3, 3, blank_being, 0, goblin_plan);
    tbeing& b = beings[a];
    EXPECT_EQ(can_move(a, 0), move_free);
    b.carried_weight = 100;
    b.carrying_limit = 10;
    EXPECT_EQ(can_move(a, 0), move_overloaded);
    b.type_flags[tf_immobile] = 1;
    EXPECT_EQ(can_move(a, 0), move_immobile); // immobile comes first
    b.type_flags[tf_immobile] = 0;
    b.carried_weight = 0;
    duration_effects.assign(2, effect_template); // a stored web in slot 1 holding the cell
    duration_effects[1].serial = 1;
    duration_effects[1].kind = 58;
    duration_effects[1].shape = 10;
    map_effect_grid(3, 3).effect = 1;
    map_effect_grid(3, 3).kind = 58; // web
    EXPECT_EQ(can_move(a, 0), move_held);
    b.status_of(st_immunity_web) = 1;
    EXPECT_EQ(can_move(a, 0), move_free);
    b.ability_of(2) = 0;
    EXPECT_EQ(can_move(a, 0), move_no_motion);
}

TEST_F(BeingCreation, CanMoveToCells) {
    const int a = add_being_to_level(5, 6, blank_being, 0, goblin_plan);
    const int other = add_being_to_level(4, 4, blank_being, 0, goblin_plan);
    EXPECT_EQ(can_move_to(a, 0, 6, 0, false, false), target_off_map);
    EXPECT_EQ(can_move_to(a, 6, 5, 0, false, false), target_no_floor);
    EXPECT_EQ(can_move_to(a, 4, 4, 0, false, false), target_occupied);
    EXPECT_EQ(can_move_to(a, 4, 4, 0, false, true), target_free);
    EXPECT_EQ(can_move_to(a, 6, 6, 0, false, false), target_door_to_open);
    beings[a].type_flags[tf_can_open_doors] = 0;
    EXPECT_EQ(can_move_to(a, 6, 6, 0, false, false), target_closed_door);
    cell_at(6, 6).furniture_state = 1; // an open door lets anyone through
    EXPECT_EQ(can_move_to(a, 6, 6, 0, false, false), target_free);
    cell_at(4, 6).furniture = fu_chest;
    EXPECT_EQ(can_move_to(a, 4, 6, 0, false, false), target_furniture);
    cell_at(4, 6).furniture = fu_text;
    EXPECT_EQ(can_move_to(a, 4, 6, 0, false, false), target_free);
    cell_at(4, 6).furniture = fu_teleporter;
    EXPECT_EQ(can_move_to(a, 4, 6, 0, false, false), target_furniture);
    beings[a].path.purpose = 11;
    beings[a].teleporter_x = 4, beings[a].teleporter_y = 6;
    EXPECT_EQ(can_move_to(a, 4, 6, 0, false, false), target_own_teleporter);

    // A lasting web on the cell blocks a being it would hold, not one immune to it, whatever
    // the cell's harmful-kind mark says.
    duration_effects.assign(2, effect_template);
    duration_effects[1].serial = 1;
    duration_effects[1].kind = 58; // web
    duration_effects[1].shape = 10;
    map_effect_grid(5, 7).effect = 1;
    map_effect_grid(5, 7).harmful = 1;
    EXPECT_EQ(can_move_to(a, 5, 7, 0, false, false), target_harmful_effect);
    EXPECT_EQ(can_move_to(a, 5, 7, 0, true, false), target_free);
    beings[a].status_of(st_immunity_web) = 1;
    EXPECT_EQ(can_move_to(a, 5, 7, 0, false, false), target_free) << "immune to webs";
    (void)other;
}

TEST_F(BeingCreation, TrapsKnownToTheMover) {
    const int a = add_being_to_level(5, 5, blank_being, 0, goblin_plan);
    tcell& c = cell_at(5, 6);
    c.trap = 1;
    item_plans.assign(2, titem_plan{});
    beings[a].home_area = 2; // a stranger here
    beings[a].area = 1;
    EXPECT_EQ(can_move_to(a, 5, 6, 0, false, false), target_free); // unknown trap nobody set
    beings[a].type_flags[tf_knows_level_traps] = 1;
    EXPECT_EQ(can_move_to(a, 5, 6, 0, false, false), target_known_trap);
    beings[a].type_flags[tf_knows_level_traps] = 0;
    item_plans[1].trap_effect.kind = 64;
    EXPECT_EQ(can_move_to(a, 5, 6, 0, false, false), target_known_trap);
    item_plans[1].trap_effect.kind = 0;
    // At home it knows the traps nobody set, but only in its home area of its home level.
    cell_at(5, 5).area = 1;
    beings[a].home_area = 1;
    beings[a].home_level = uint16_t(level.index);
    EXPECT_EQ(can_move_to(a, 5, 6, 0, false, false), target_known_trap);
    beings[a].home_level = uint16_t(level.index + 1);
    EXPECT_EQ(can_move_to(a, 5, 6, 0, false, false), target_free) << "the same area number on another level";
    beings[a].home_area = 2;
    c.trap_setter = uint16_t(beings[a].serial);
    EXPECT_EQ(can_move_to(a, 5, 6, 0, false, false), target_known_trap); // its own trap
    c.trap_setter = 999;
    EXPECT_EQ(can_move_to(a, 5, 6, 0, false, false), target_free);

    player = a; // the player's being avoids only found traps
    c.trap_setter = 0;
    beings[a].type_flags[tf_knows_level_traps] = 1;
    EXPECT_EQ(can_move_to(a, 5, 6, 0, false, false), target_free);
    c.trap_difficulty = -3;
    EXPECT_EQ(can_move_to(a, 5, 6, 0, false, false), target_known_trap);
    player = 0;
}

TEST_F(BeingCreation, DoorAbilities) {
    const int a = add_being_to_level(5, 6, blank_being, 0, goblin_plan);
    tbeing& b = beings[a];
    b.type_flags[tf_can_open_doors] = 0;
    b.type_flags[tf_can_crush_doors] = 1;
    b.ability_of(1) = 19;
    EXPECT_FALSE(can_open_closed_door(a, 6, 6, 0));
    EXPECT_FALSE(can_crush_closed_door(a, 6, 6, 0));
    b.ability_of(1) = 20;
    EXPECT_TRUE(can_open_closed_door(a, 6, 6, 0));
    EXPECT_TRUE(can_crush_closed_door(a, 6, 6, 0));
    player = a; // the player's being never crushes
    EXPECT_FALSE(can_crush_closed_door(a, 6, 6, 0));
    player = 0;

    tcell& door = cell_at(6, 6);
    door.lock = 3;
    door.key_item = 7;
    EXPECT_FALSE(can_open_closed_door(a, 6, 6, 0));  // a crusher cannot unlock
    EXPECT_FALSE(can_crush_closed_door(a, 6, 6, 0)); // nor crush a locked door
    b.type_flags[tf_can_open_doors] = 1;
    b.type_flags[tf_can_use_items] = 1;
    EXPECT_FALSE(can_open_closed_door(a, 6, 6, 0));
    being_items[a][1].plan = 7;
    being_items[a][1].serial = 5;
    EXPECT_TRUE(can_open_closed_door(a, 6, 6, 0)); // with the key
    door.lock = 0;
    door.furniture = fu_door_cell;
    EXPECT_FALSE(can_crush_closed_door(a, 6, 6, 0));

    door.furniture = fu_door;
    door.furniture_state = 1;
    b.type_flags[tf_can_close_doors] = 0;
    EXPECT_FALSE(can_close_opened_door(a, 6, 6, 0));
    b.type_flags[tf_can_close_doors] = 1;
    EXPECT_TRUE(can_close_opened_door(a, 6, 6, 0));
    door.loose_items = 2;
    b.ability_of(1) = 3;
    EXPECT_FALSE(can_close_opened_door(a, 6, 6, 0));
    b.ability_of(1) = 4;
    EXPECT_TRUE(can_close_opened_door(a, 6, 6, 0));
    door.being = 9;
    EXPECT_FALSE(can_close_opened_door(a, 6, 6, 0));

    // A being of more than one cell uses no doors.
    const int ogre = add_being_to_level(8, 8, blank_being, 0, ogre_plan);
    EXPECT_FALSE(can_open_closed_door(ogre, 6, 6, 0));
}

TEST_F(BeingCreation, SpawningCandidates) {
    being_plans[goblin_plan].spawn_groups[0] = 4;
    being_plans[ogre_plan].spawn_groups[0] = 5;
    being_plans[ogre_plan].spawn_groups[1] = 4;
    EXPECT_TRUE(is_spawnable_plan(4, goblin_plan, 3));
    EXPECT_FALSE(is_spawnable_plan(5, goblin_plan, 3));
    EXPECT_EQ(number_spawnable_plans(4, true, 3), 2);
    EXPECT_EQ(being_plans[ogre_plan].spawn_ordinal, 2);
    const int picked = pick_spawn_being_plan(2);
    ASSERT_NE(picked, 0);
    EXPECT_EQ(being_plans[picked].spawned, 1);
    being_plans[goblin_plan].spawned = 3;
    EXPECT_FALSE(is_spawnable_plan(4, goblin_plan, 3)); // the per-level limit
    being_plans[ogre_plan].created_in_game = 1;
    EXPECT_FALSE(is_spawnable_plan(4, ogre_plan, 3)); // the unique was made
    EXPECT_EQ(number_spawnable_plans(4, false, 3), 0);
    EXPECT_EQ(pick_spawn_being_plan(0), 0);
    EXPECT_EQ(number_spawnable_plans(4, true, 3), 1); // reset: the goblin is back
}

} // namespace
} // namespace dravok
