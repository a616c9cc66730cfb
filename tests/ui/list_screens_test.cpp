// The list screens through the key path with the built game database: picking up from the
// ground, equipping and taking off, dropping, using a potion, and buying from a shopkeeper.
#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "rules/being_creation.h"
#include "support/content_turns.h"
#include "support/driver.h"
#include "support/process_state.h"
#include "ui/key_bindings.h"
#include "ui/lister.h"
#include "ui/lister_model.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/coins.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/player.h"
#include "world/random.h"
#include "world/settings_record.h"

namespace dravok {
namespace {

using dravok::testing::turn_driver;

class ListScreens : public dravok::testing::content_turns_test {
  protected:
    ListScreens() : content_turns_test(4242u) {}
    static int plan(const char* name) { return find_item_plan_by_name(name); }
    static int carried(int being, const char* name) { return get_amount_of_items(being, plan(name), 0, 0); }
    // The row of the pane holding an item of the plan, 0 when none.
    static int row_of(int pane, const char* name) {
        const tlister_pane& p = lister.panes[pane];
        for (int r = 1; r <= p.row_count(); ++r)
            if (p.rows[r].plan == plan(name)) return r;
        return 0;
    }
    // Moves the cursor of the current pane down to the row by the down key.
    static void cursor_to(turn_driver& d, int row) {
        for (int i = 0; i < 60 && lister_cursor_row(lister.current) != row; ++i)
            d.press(key_down);
        ASSERT_EQ(lister_cursor_row(lister.current), row);
    }
};

TEST_F(ListScreens, PickUpFromTheGroundEquipTakeOffAndDropThroughTheKeys) {
    turn_driver d;
    const int p = d.add_character(5, 5, "be_debug_player");
    ASSERT_GT(p, 0);
    add_item_to_level(5, 5, blank_item, 1, one_dice, plan("it_dagger"));
    add_item_to_level(5, 5, blank_item, 1, one_dice, plan("it_potion_healing"));
    const int daggers = carried(p, "it_dagger"), potions = carried(p, "it_potion_healing");

    // Two items underfoot: the ground beside the backpack, the cursor on the ground.
    d.press_command(GET);
    ASSERT_EQ(game_mode, mode_inventory);
    EXPECT_EQ(lister.current, 2);
    EXPECT_EQ(lister.panes[2].kind, list_ground);
    cursor_to(d, row_of(2, "it_dagger"));
    const uint32_t clock = game.game_clock;
    d.press(key_enter);
    EXPECT_EQ(carried(p, "it_dagger"), daggers + 1);
    EXPECT_EQ(row_of(2, "it_dagger"), 0) << "the ground list is rebuilt without it";
    EXPECT_GT(game.game_clock, clock) << "picking up takes time";
    d.press(key_escape);
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_EQ(cell_at(5, 5).loose_items, 1);

    // The inventory: the equipment beside the backpack. Enter equips the dagger from the backpack.
    d.press_command(INVENTORY);
    ASSERT_EQ(game_mode, mode_inventory);
    ASSERT_EQ(lister.panes[1].kind, list_equipment);
    ASSERT_EQ(lister.current, 2);
    const int dagger_row = row_of(2, "it_dagger");
    ASSERT_GT(dagger_row, 0);
    const int dagger = lister.panes[2].rows[dagger_row].item;
    const int slot = lister.panes[2].rows[dagger_row].slot;
    ASSERT_GE(slot, 1) << "a dagger goes to a hand";
    cursor_to(d, dagger_row);
    d.press(key_enter);
    EXPECT_EQ(beings[p].equipment_of(slot), dagger);
    EXPECT_NE(being_items[p][dagger].slot, 0);

    // Tab to the equipment and Enter on the slot takes it off again, costing time.
    d.press(key_tab);
    EXPECT_EQ(lister.current, 1);
    cursor_to(d, slot);
    const uint32_t before = beings[p].next_action_time;
    d.press(key_enter);
    EXPECT_EQ(beings[p].equipment_of(slot), 0);
    EXPECT_EQ(being_items[p][dagger].slot, 0);
    EXPECT_GE(beings[p].next_action_time, before);

    // Delete in the backpack drops the dagger on the player's cell.
    d.press(key_tab);
    if (game_mode != mode_inventory) d.press_command(INVENTORY), d.press(key_tab);
    ASSERT_EQ(lister.current, 2);
    cursor_to(d, row_of(2, "it_dagger"));
    d.press(key_delete);
    EXPECT_EQ(carried(p, "it_dagger"), daggers);
    EXPECT_EQ(cell_at(5, 5).loose_items, 2);
    (void)potions;
}

TEST_F(ListScreens, APotionIsDrunkFromTheBackpackAndTheScreenCloses) {
    turn_driver d;
    const int p = d.add_character(5, 5, "be_debug_player");
    add_item_to_being(p, blank_item, plan("it_potion_healing"), 1, one_dice);
    const int potions = carried(p, "it_potion_healing");
    d.press_command(INVENTORY);
    ASSERT_EQ(game_mode, mode_inventory);
    cursor_to(d, row_of(2, "it_potion_healing"));
    d.press(key_enter);
    EXPECT_EQ(carried(p, "it_potion_healing"), potions - 1);
    EXPECT_EQ(game_mode, mode_main);
}

TEST_F(ListScreens, AnEmptyQuickslotKeyOpensTheChoiceAndThePickedPotionGoesIntoIt) {
    turn_driver d;
    const int p = d.add_character(5, 5, "be_debug_player");
    for (int slot = 1; slot <= quickslot_count; ++slot)
        beings[p].quickslot(slot) = tquickslot{};
    for (std::size_t i = 1; i < being_items[p].size(); ++i)
        being_items[p][i].quickslot = 0;
    const int potion = add_item_to_being(p, blank_item, plan("it_potion_healing"), 1, one_dice);
    d.press_command(QUICKSLOT_01 + 2);
    ASSERT_EQ(game_mode, mode_inventory);
    EXPECT_EQ(lister.current, 2) << "straight to the choice for quickslot 3";
    EXPECT_EQ(lister_cursor_row(1), 3);
    cursor_to(d, row_of(2, "it_potion_healing"));
    d.press(key_enter);
    EXPECT_EQ(game_mode, mode_main) << "a quickslot chosen by its key returns to the map";
    EXPECT_EQ(beings[p].quickslot(3).kind, quickslot_usable_item);
    EXPECT_EQ(beings[p].quickslot(3).index, potion);
    EXPECT_EQ(being_items[p][potion].quickslot, 3);

    // The quickslot screen empties it again with Enter on its row.
    d.press_command(QUICKSLOT);
    ASSERT_EQ(game_mode, mode_inventory);
    cursor_to(d, 3);
    d.press(key_enter);
    EXPECT_EQ(beings[p].quickslot(3).kind, 0);
    EXPECT_EQ(being_items[p][potion].quickslot, 0);

    // In the quickslot screen a quickslot's own key on an empty slot goes to the choice for it.
    d.press_command(QUICKSLOT_01 + 4);
    EXPECT_EQ(lister_cursor_row(1), 5);
    EXPECT_EQ(lister.current, 2);
    cursor_to(d, row_of(2, "it_potion_healing"));
    d.press(key_enter);
    EXPECT_EQ(beings[p].quickslot(5).index, potion);
}

TEST_F(ListScreens, BuyingFromAShopkeeperMovesTheWareAndTheCoins) {
    turn_driver d;
    const int p = d.add_character(5, 5, "be_debug_player");
    const int keeper = d.add_character(6, 5, "be_debug_player");
    player = player_character = p;
    beings[keeper].type_flags[tf_player] = 0;
    beings[keeper].commanded = 0;
    settings.coin_plan = plan("it_coin"); // as the database load sets it; the driver's set-up cleared it
    const int ware = add_item_to_being(keeper, blank_item, plan("it_bow_short"), 1, one_dice);
    ASSERT_GT(ware, 0);
    adjust_wealth(p, 5000 - being_coins(p), 1);
    const int bows = carried(p, "it_bow_short"), coins = being_coins(p), till = being_coins(keeper);
    ASSERT_EQ(coins, 5000);

    // The shop answer of the talk dialog opens the two backpacks side by side.
    reset_lister();
    initialize_inventory(p, keeper, list_backpack, list_backpack, 2, false);
    ASSERT_EQ(game_mode, mode_inventory);
    const int row = row_of(2, "it_bow_short");
    ASSERT_GT(row, 0);
    const int price = lister.panes[2].rows[row].price;
    ASSERT_GT(price, 0);
    cursor_to(d, row);
    d.press(key_enter); // selects the row
    EXPECT_EQ(carried(p, "it_bow_short"), bows);
    d.press(key_enter); // buys it
    EXPECT_EQ(carried(p, "it_bow_short"), bows + 1);
    EXPECT_EQ(being_coins(p), coins - price);
    EXPECT_EQ(being_coins(keeper), till + price);
}

} // namespace
} // namespace dravok
