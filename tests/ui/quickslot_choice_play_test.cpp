// The choice for an empty quickslot in a game started from the main menu: its key opens the
// list of what may go in, whose equipment part holds the worn items in no quickslot yet, slot
// by slot, and an item picked there leaves that part.
#include <gtest/gtest.h>

#include <vector>

#include "support/creation_keys.h"
#include "support/game_start.h"
#include "ui/key_bindings.h"
#include "ui/lister_model.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/game_modes.h"
#include "world/item_record.h"
#include "world/player.h"

namespace dravok {
namespace {

using testing::press_command;
using testing::start_new_game;
using testing::started_game;

// The items of the choice pane's equipment part, top to bottom.
std::vector<int> equipment_offered() {
    std::vector<int> items;
    const tlister_pane& p = lister.panes[2];
    for (int r = 1; r <= p.row_count(); ++r)
        if (!p.rows[r].is_header() && p.rows[r].row_kind == quickslot_equipment)
            items.push_back(p.rows[r].item);
    return items;
}

// The worn items in no quickslot, slot by slot.
std::vector<int> worn_and_unslotted() {
    std::vector<int> items;
    for (int s = 1; s <= equipment_slot_count; ++s) {
        const int item = beings[player].equipment_of(s);
        if (item >= 1 && being_items[player][item].quickslot == 0) items.push_back(item);
    }
    return items;
}

// The first quickslot that is empty, 0 when none is.
int empty_quickslot() {
    for (int slot = 1; slot <= quickslot_count; ++slot)
        if (beings[player].quickslot(slot).kind == 0) return slot;
    return 0;
}

TEST(QuickslotChoiceInPlay, TheChoiceOffersTheWornItemsInNoQuickslotAndOneChosenLeavesIt) {
    started_game game{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    if (!game.ready()) FAIL() << "the build has not made Data/ yet";
    reset_keybindings();
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(start_new_game(game));
    const std::vector<int> worn = worn_and_unslotted();
    ASSERT_GE(worn.size(), 2u) << "the new character wears armour and a weapon";
    int slotted_worn = 0; // the lantern goes into a quickslot of its own at the start
    for (int s = 1; s <= equipment_slot_count; ++s) {
        const int item = beings[player].equipment_of(s);
        slotted_worn += item >= 1 && being_items[player][item].quickslot != 0;
    }
    ASSERT_GE(slotted_worn, 1);

    const int first = empty_quickslot();
    ASSERT_NE(first, 0);
    press_command(game, QUICKSLOT_01 + first - 1);
    ASSERT_EQ(game_mode, mode_inventory);
    ASSERT_EQ(lister.current, 2) << "straight to the choice";
    EXPECT_EQ(equipment_offered(), worn) << "worn items in none, slot by slot";
    // The cursor starts on the first item row: the first worn item goes into the slot.
    ASSERT_EQ(lister.panes[2].rows[lister_cursor_row(2)].item, worn.front());
    game.press(key_enter);
    ASSERT_EQ(game_mode, mode_main);
    EXPECT_EQ(being_items[player][worn.front()].quickslot, first);

    const int second = empty_quickslot();
    ASSERT_NE(second, 0);
    press_command(game, QUICKSLOT_01 + second - 1);
    ASSERT_EQ(game_mode, mode_inventory);
    EXPECT_EQ(equipment_offered(), std::vector<int>(worn.begin() + 1, worn.end()))
        << "the chosen one is gone";
}

} // namespace
} // namespace dravok
