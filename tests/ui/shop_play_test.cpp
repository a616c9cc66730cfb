// The list screens in a started game: a shop's chest opened by walking into it trades with its
// keeper (greeting, buying, goodbye, compare mode), the quickslots filled, cleared with Ctrl+C
// and given a talent through the keys, and a book on the ground read with Ctrl+Enter.
#include <gtest/gtest.h>

#include <string>

#include "platform/keys.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_map.h"
#include "records/layout_plans.h"
#include "records/map_vocab.h"
#include "rules/being_creation.h"
#include "rules/books.h"
#include "rules/followers.h"
#include "support/driver.h"
#include "support/game_start.h"
#include "ui/key_bindings.h"
#include "ui/layout.h"
#include "ui/lister_model.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/coins.h"
#include "world/dice.h"
#include "world/game_modes.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/map.h"
#include "world/settings_record.h"
#include "world/tables.h"

namespace dravok {
namespace {

using testing::started_game;
using testing::turn_driver;

int plan(const char* name) {
    return find_item_plan_by_name(name);
}
int carried(int being, const char* name) {
    return get_amount_of_items(being, plan(name), 0, 0);
}
// The row of the pane holding an item of the plan, 0 when none.
int row_of(int pane, int item_plan) {
    const tlister_pane& p = lister.panes[pane];
    for (int r = 1; r <= p.row_count(); ++r)
        if (!p.rows[r].is_header() && p.rows[r].plan == item_plan) return r;
    return 0;
}
int talent_named(const std::string& identifier) {
    for (int t = 1; t < int(talents.size()); ++t)
        if (talents[t].identifier.str() == identifier) return t;
    return 0;
}

class ShopPlay : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!game.ready()) FAIL() << "the build has not made Data/ yet";
        ASSERT_TRUE(game.start());
    }
    // Moves the cursor of the current pane to the row with the down key.
    void cursor_to(int row) {
        for (int i = 0; i < 60 && lister_cursor_row(lister.current) != row; ++i)
            game.press(key_down);
        ASSERT_EQ(lister_cursor_row(lister.current), row);
    }
    void press_command(int command) {
        const tkeybinding b = keybindings[command][0];
        game.press(b.key,
                   tshift_state{b.modifier == key_shift, b.modifier == key_ctrl, b.modifier == key_alt});
    }
    started_game game{::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(ShopPlay, AShopChestTradesWithItsKeeperWhoGreetsAndSaysGoodbye) {
    turn_driver d;
    const int hero = d.add_character(5, 5, "be_debug_player");
    settings.coin_plan = plan("it_coin"); // as the database load sets it; the driver's set-up cleared it
    // The keeper's chest east of the hero, a bow in it; the keeper stands in the same room.
    tcell& chest = cell_at(6, 5);
    chest.furniture = fu_chest_shop;
    chest.furniture_state = 1;
    ASSERT_GT(add_item_to_level(6, 5, blank_item, 1, one_dice, plan("it_bow_short")), 0);
    ASSERT_GT(add_item_to_level(6, 5, blank_item, 1, one_dice, plan("it_sword_long")), 0);
    ASSERT_EQ(chest.held_items, 2);
    const int keeper =
        add_being_to_level(8, 7, blank_being, 1, find_being_plan_by_name("be_shopkeeper_general"));
    ASSERT_GT(keeper, 0);
    beings[keeper].next_action_time = 1000000;
    press_command(REST); // the hero looks about: the keeper is seen minding the shop
    ASSERT_EQ(find_shopkeeper(6, 5, 0), keeper);
    adjust_wealth(hero, 5000 - being_coins(hero), 1);
    const int bows = carried(hero, "it_bow_short"), till = being_coins(keeper);

    // Walking into the chest opens the wares beside the backpack, the keeper as the partner; the
    // wares are not picked up in passing.
    game.press(key_right);
    ASSERT_EQ(game_mode, mode_inventory);
    EXPECT_EQ(lister.partner, keeper);
    ASSERT_EQ(lister.current, 2);
    EXPECT_TRUE(lister.panes[2].container);
    EXPECT_TRUE(lister.panes[2].shop);
    EXPECT_EQ(carried(hero, "it_bow_short"), bows);
    const int row = row_of(2, plan("it_bow_short"));
    ASSERT_GT(row, 0);
    const int price = lister.panes[2].rows[row].price;
    ASSERT_GT(price, 0);
    game.screenshot("shop_chest");

    // Enter selects, a second Enter buys: the bow leaves the chest, the coins go to the keeper.
    cursor_to(row);
    game.press(key_enter);
    game.press(key_enter);
    EXPECT_EQ(carried(hero, "it_bow_short"), bows + 1);
    EXPECT_EQ(chest.held_items, 1);
    EXPECT_EQ(being_coins(hero), 5000 - price);
    EXPECT_EQ(being_coins(keeper), till + price);

    // F11 switches compare mode; the sword left in the chest is set against the worn weapons.
    game.press(vk::fn(11));
    EXPECT_TRUE(lister.compare);
    cursor_to(row_of(2, plan("it_sword_long")));
    game.screenshot("shop_compare");
    game.press(vk::fn(11));
    EXPECT_FALSE(lister.compare);

    // Leaving the shop: the keeper's goodbye is in the log.
    game.press(key_escape);
    EXPECT_EQ(game_mode, mode_main);
    const bool goodbye = d.logged("Come back soon!") || d.logged("Safe travels") ||
                         d.logged("Mind the stairs on the way out.");
    EXPECT_TRUE(goodbye);
}

TEST_F(ShopPlay, QuickslotsAreFilledClearedWithCtrlCAndGivenATalentByKey) {
    turn_driver d;
    const int hero = d.add_character(5, 5, "be_debug_player");
    const int wind = talent_named("t_second_wind");
    ASSERT_GT(wind, 0);
    beings[hero].talent_of(wind) = 1;
    const int potion = add_item_to_being(hero, blank_item, plan("it_potion_healing"), 1, one_dice);
    ASSERT_GT(potion, 0);

    // The inventory closed: the figures are updated and the empty quickslots filled, talents from
    // slot 1, the lantern from 11, usable items from 12.
    press_command(INVENTORY);
    game.press(key_escape);
    ASSERT_EQ(game_mode, mode_main);
    const tbeing& b = beings[hero];
    EXPECT_EQ(b.quickslots[0].kind, quickslot_talent);
    EXPECT_EQ(b.quickslots[0].index, wind);
    EXPECT_EQ(b.quickslots[0].talent_name.str(), talents[wind].name.str());
    // The kit's lantern.
    const int lantern = b.quickslots[10].index;
    EXPECT_EQ(b.quickslots[10].kind, quickslot_equipment);
    ASSERT_GT(lantern, 0);
    EXPECT_TRUE(has_item_flag(being_items[hero][lantern], if_lantern));
    EXPECT_EQ(being_items[hero][lantern].quickslot, 11);
    int potion_slot = 0;
    for (int k = 1; k <= quickslot_count; ++k)
        if (b.quickslots[k - 1].kind == quickslot_usable_item && b.quickslots[k - 1].index == potion)
            potion_slot = k;
    EXPECT_GE(potion_slot, 12);
    EXPECT_EQ(being_items[hero][potion].quickslot, potion_slot);

    // Ctrl+C on the quickslot screen empties every slot and clears the items' marks; the screen
    // stays open, and its choice lists the talent under its own header.
    settings.auto_quickslots = 0;
    press_command(QUICKSLOT);
    ASSERT_EQ(game_mode, mode_inventory);
    game.press_ctrl('C');
    EXPECT_EQ(game_mode, mode_inventory);
    for (int k = 1; k <= quickslot_count; ++k)
        EXPECT_EQ(b.quickslots[k - 1].kind, 0) << k;
    EXPECT_EQ(being_items[hero][potion].quickslot, 0);
    EXPECT_EQ(being_items[hero][lantern].quickslot, 0);
    const tlister_pane& choice = lister.panes[2];
    int talent_row = 0;
    bool header = false;
    for (int r = 1; r <= choice.row_count(); ++r) {
        header = header || choice.rows[r].header == "Talents";
        if (choice.rows[r].row_kind == quickslot_talent && choice.rows[r].item == wind) talent_row = r;
    }
    EXPECT_TRUE(header);
    ASSERT_GT(talent_row, 0);

    // Enter on the empty third slot goes to the choice; Enter on the talent puts it there.
    ASSERT_EQ(lister.current, 1);
    cursor_to(3);
    game.press(key_enter);
    ASSERT_EQ(lister.current, 2);
    game.screenshot("quickslot_choice");
    cursor_to(talent_row);
    game.press(key_enter);
    EXPECT_EQ(b.quickslots[2].kind, quickslot_talent);
    EXPECT_EQ(b.quickslots[2].index, wind);
    EXPECT_EQ(b.quickslots[2].talent_name.str(), talents[wind].name.str());
    EXPECT_EQ(lister.current, 1);
    EXPECT_FALSE(lister.panes[2].picking) << "the choice no longer asks for a slot";
    // The quickslots answer to their own keys: no row of theirs takes a letter.
    game.screenshot("quickslot_talent");
    for (const tlister_item& r : lister.panes[1].rows)
        EXPECT_EQ(r.hotkey, 0);
    game.press(key_escape);
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_EQ(b.quickslots[0].kind, 0) << "nothing refilled with the setting off";
}

TEST_F(ShopPlay, CtrlEnterReadsABookLyingOnTheGround) {
    turn_driver d;
    d.add_character(5, 5, "be_debug_player");
    ASSERT_GT(add_item_to_level(5, 5, blank_item, 1, one_dice, plan("it_book_tutorial")), 0);
    ASSERT_GT(add_item_to_level(5, 5, blank_item, 1, one_dice, plan("it_dagger")), 0);
    press_command(GET);
    ASSERT_EQ(game_mode, mode_inventory);
    ASSERT_EQ(lister.current, 2);
    // Not a book: nothing happens.
    cursor_to(row_of(2, plan("it_dagger")));
    game.press_ctrl(key_enter);
    EXPECT_EQ(game_mode, mode_inventory);
    cursor_to(row_of(2, plan("it_book_tutorial")));
    apply_layout(); // the book's page, from the settings the driver set back to their defaults
    game.press_ctrl(key_enter);
    EXPECT_EQ(game_mode, mode_book);
    EXPECT_EQ(book_identifier, "it_book_tutorial");
    // The text is broken into the page's lines: none is wider than the page.
    EXPECT_GT(book_line_count, 3);
    EXPECT_EQ(book_text.find("\\n"), std::string::npos);
    game.screenshot("ground_book");
    EXPECT_EQ(cell_at(5, 5).loose_items, 2) << "read where it lies";
}

} // namespace
} // namespace dravok
