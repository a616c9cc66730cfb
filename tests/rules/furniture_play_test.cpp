// Doors, locks and traps through the headless driver with the built game database: a locked
// door opened with its key by bumping it, forced without one, a hidden trap found by resting
// beside it, disabled, and sprung by a clumsy step.
#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/layout_being.h"
#include "rules/being_update.h"
#include "rules/furniture.h"
#include "support/content_turns.h"
#include "support/driver.h"
#include "support/process_state.h"
#include "ui/key_bindings.h"
#include "ui/key_entry.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/random.h"

namespace dravok {
namespace {

using dravok::testing::turn_driver;

constexpr int north = 1;
constexpr int skill_disable = 1, skill_dodge = 2, skill_search = 6;

class FurnitureInPlay : public dravok::testing::content_turns_test {
  protected:
    FurnitureInPlay() : content_turns_test(777u) {}
    static void locked_door(int x, int y, int key_plan) {
        tcell& c = cell_at(x, y);
        c.furniture = fu_door_lockable;
        c.furniture_state = 0;
        c.lock = 1;
        c.key_item = uint16_t(key_plan);
    }
    static void skill(int being, int k, int value) {
        beings[being].base_skill_of(k) = int8_t(value);
        update_being(being, 1);
    }
};

TEST_F(FurnitureInPlay, ALockedDoorOpensWithItsKeyAndIsForcedWithout) {
    turn_driver d;
    const int p = d.add_character(5, 5, "be_debug_player");
    const int key = find_item_plan_by_name("it_key_iron");
    locked_door(5, 4, key);
    d.press(key_up);
    EXPECT_EQ(game_mode, 6) << "without the key the lock asks what to do";
    EXPECT_EQ(cell_at(5, 4).furniture_state, 0);

    // The locked-furniture dialog's "force" answer.
    game_mode = mode_main;
    force_furniture(p, north, true, 1);
    EXPECT_TRUE(d.logged("You forced the lock!"));
    EXPECT_EQ(cell_at(5, 4).furniture, fu_none) << "forcing a door's lock breaks the door";

    locked_door(4, 4, key);
    add_item_to_being(p, blank_item, key, 1, one_dice);
    d.press(key_left); // to (4, 5)
    d.press(key_up);
    EXPECT_TRUE(d.logged("You open the locked door with"));
    EXPECT_EQ(cell_at(4, 4).furniture, fu_door) << "unlocked for good";
    EXPECT_EQ(cell_at(4, 4).furniture_state, 1);
    EXPECT_EQ(cell_at(4, 4).lock, 0);
}

TEST_F(FurnitureInPlay, AHiddenTrapIsFoundByRestingAndDisabled) {
    turn_driver d;
    const int p = d.add_character(5, 5, "be_debug_player");
    skill(p, skill_search, 40);
    skill(p, skill_disable, 40);
    tcell& c = cell_at(5, 4);
    c.trap = uint16_t(find_item_plan_by_name("tr_spikes"));
    c.trap_difficulty = 12;
    // The first rest looks round before the character has taken in the room.
    for (int i = 0; i < 3 && cell_at(5, 4).trap_difficulty > 0; ++i)
        d.press_command(REST);
    EXPECT_EQ(cell_at(5, 4).trap_difficulty, -12) << "found";
    EXPECT_TRUE(d.logged("You found a spike trap in the north."));

    d.press(key_up);
    EXPECT_EQ(game_mode, 6) << "bumping a known trap asks first";
    game_mode = mode_main;
    disable_trap(p, north, 1); // the trap dialog's "disable" answer
    EXPECT_TRUE(d.logged("You disabled the trap!"));
    EXPECT_EQ(cell_at(5, 4).trap, 0);
    EXPECT_GE(get_amount_of_items(p, find_item_plan_by_name("it_trapkit_spikes"), 0, 0), 1)
        << "a clean disarm yields the kit";
}

TEST_F(FurnitureInPlay, AClumsyStepSpringsAHiddenTrap) {
    turn_driver d;
    const int p = d.add_character(5, 5, "be_debug_player");
    skill(p, skill_dodge, -40);
    skill(p, skill_search, -40);
    tcell& c = cell_at(5, 4);
    c.trap = uint16_t(find_item_plan_by_name("tr_spikes"));
    c.trap_difficulty = 20;
    d.press(key_up);
    EXPECT_EQ(beings[p].y, 4);
    EXPECT_EQ(cell_at(5, 4).trap, 0) << "sprung and spent";
    EXPECT_FALSE(d.logged("avoid"));
}

TEST_F(FurnitureInPlay, AChestIsOpenedThenLooted) {
    turn_driver d;
    d.add_character(5, 5, "be_debug_player");
    tcell& c = cell_at(5, 4);
    c.furniture = fu_chest;
    c.furniture_state = 0;
    add_item_to_level(5, 4, blank_item, 1, one_dice, find_item_plan_by_name("it_dagger"));
    ASSERT_EQ(cell_at(5, 4).held_items, 1);
    d.press(key_up);
    EXPECT_TRUE(d.logged("You open the container."));
    EXPECT_FALSE(d.logged("It is empty."));
    EXPECT_NE(cell_at(5, 4).furniture_state, 0);
    EXPECT_EQ(cell_at(5, 4).contents_seen, 1);
    d.press(key_up);
    EXPECT_EQ(game_mode, 7) << "the open chest is looted in the inventory screen";
}

} // namespace
} // namespace dravok
