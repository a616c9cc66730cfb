// Items in play through the headless driver with the built game database: a tester character
// made from its template wears its kit, switches weapon sets, is told why it cannot shoot,
// equips a bow from a quickslot, and drinks, reads, waves and sets the content's real items.
#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/layout_being.h"
#include "records/layout_plans.h"
#include "rules/being_creation.h"
#include "rules/books.h"
#include "rules/equipment.h"
#include "support/content_turns.h"
#include "support/driver.h"
#include "support/process_state.h"
#include "ui/key_bindings.h"
#include "ui/key_entry.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/indicators.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/random.h"
#include "world/tables.h"

namespace dravok {
namespace {

using dravok::testing::turn_driver;

class ItemsInPlay : public dravok::testing::content_turns_test {
  protected:
    ItemsInPlay() : content_turns_test(4242u) {}

    // The item given to the being and put into quickslot 1 as the inventory screen would.
    static int give_to_quickslot(int being, const char* plan, uint8_t kind, uint8_t slot = 0) {
        const int item = add_item_to_being(being, blank_item, find_item_plan_by_name(plan), 1, one_dice);
        EXPECT_GT(item, 0) << plan;
        tquickslot& q = beings[being].quickslot(1);
        q.kind = kind;
        q.index = uint16_t(item);
        q.equipment_slot = slot;
        being_items[being][item].quickslot = 1;
        return item;
    }
};

TEST_F(ItemsInPlay, WeaponSetsSwitchAndAnEmptyQuiverIsExplained) {
    turn_driver d;
    const int p = d.add_character(5, 5, "be_debug_player");
    ASSERT_GT(p, 0);
    ASSERT_EQ(beings[p].active_set, 13);
    ASSERT_EQ(beings[p].weapon_set.melee[0], 1) << "the kit's martial weapon is in the first set";

    d.press_command(FIRE);
    EXPECT_TRUE(d.logged("Equip a reach weapon, a throwable weapon or a ranged weapon and ammunition to make "
                         "ranged attacks."));
    EXPECT_EQ(game_mode, mode_main);

    const uint32_t before = beings[p].next_action_time;
    d.press_command(SWAP_WEAPONS);
    EXPECT_EQ(beings[p].active_set, 15);
    EXPECT_TRUE(d.logged("Active weapon set: bare hands."));
    EXPECT_GT(beings[p].next_action_time, before) << "switching takes time";
    EXPECT_EQ(beings[p].weapon_set.bare_hands, 1);

    // A bow from a quickslot goes into the active set's main hand; without arrows it cannot shoot.
    const int bow = give_to_quickslot(p, "it_bow_short", quickslot_equipment, 15);
    d.press_command(QUICKSLOT_01);
    EXPECT_EQ(beings[p].equipment_of(15), bow);
    EXPECT_EQ(beings[p].weapon_set.launcher_without_ammo, 1);
    EXPECT_EQ(beings[p].wish_of(if_arrow), 1) << "it wants arrows now";
    d.press_command(FIRE);
    EXPECT_EQ(game_mode, mode_main) << "nothing to shoot";

    // Bolts do not fit a bow; arrows do, and the quiver takes them at once.
    add_item_to_being(p, blank_item, find_item_plan_by_name("it_bolt"), 1, one_dice);
    const int arrows = add_item_to_being(p, blank_item, find_item_plan_by_name("it_arrow"), 1, one_dice);
    d.press_command(QUICKSLOT_01); // off
    d.press_command(QUICKSLOT_01); // on again, and the quiver is checked
    EXPECT_EQ(beings[p].equipment_of(17), arrows);
    EXPECT_EQ(beings[p].weapon_set.quiver_matches_launcher, 1);
    d.press_command(FIRE);
    EXPECT_EQ(game_mode, mode_target) << "with arrows the bow aims";
}

TEST_F(ItemsInPlay, APotionIsDrunkAndAScrollWaitsForNoHostiles) {
    turn_driver d;
    const int p = d.add_character(5, 5, "be_debug_player");
    const int before = carried(p, "it_potion_healing");
    give_to_quickslot(p, "it_potion_healing", quickslot_usable_item);
    const int plan = find_item_plan_by_name("it_potion_healing");
    const uint16_t uses = item_plans[plan].uses;
    d.press_command(QUICKSLOT_01);
    EXPECT_EQ(carried(p, "it_potion_healing"), before) << "one potion drunk";
    EXPECT_EQ(item_plans[plan].uses, uses + 1);
    EXPECT_GT(beings[p].next_action_time, 0u) << "drinking is an action";

    const int scroll = give_to_quickslot(p, "it_scroll_blink", quickslot_usable_item);
    beings[p].seen_hostiles = 1; // a sleeping hostile in view is enough
    d.press_command(QUICKSLOT_01);
    EXPECT_TRUE(d.logged("You can not read scrolls when hostile beings are seen!"));
    EXPECT_EQ(being_items[p][scroll].amount, 1) << "refused: the scroll stays";
    beings[p].seen_hostiles = 0;
    d.press_command(QUICKSLOT_01);
    EXPECT_EQ(carried(p, "it_scroll_blink"), 0) << "read: the scroll is gone";
}

TEST_F(ItemsInPlay, AWandAimsAndABookOpensItsPages) {
    turn_driver d;
    const int p = d.add_character(5, 5, "be_debug_player");
    give_to_quickslot(p, "it_wand_magic_missile", quickslot_usable_item);
    d.press_command(QUICKSLOT_01);
    EXPECT_EQ(game_mode, mode_target) << "a bolt is aimed before it flies";

    game_mode = mode_main;
    give_to_quickslot(p, "it_book_tutorial", quickslot_usable_item);
    d.press_command(QUICKSLOT_01);
    EXPECT_EQ(game_mode, 12) << "the reading mode";
    EXPECT_EQ(book_identifier, "it_book_tutorial");
    EXPECT_FALSE(book_text.empty()) << "the journal's lore";
    EXPECT_GE(book_line_count, 1);
}

TEST_F(ItemsInPlay, ATrapKitNeedsNoHostilesAndNamesItsTrap) {
    turn_driver d;
    const int p = d.add_character(5, 5, "be_debug_player");
    const int kit = give_to_quickslot(p, "it_trapkit_spikes", quickslot_usable_item);
    beings[p].seen_hostiles = 1;
    d.press_command(QUICKSLOT_01);
    EXPECT_TRUE(d.logged("You can not use trap kits when hostile beings are seen!"));
    beings[p].seen_hostiles = 0;
    d.press_command(QUICKSLOT_01);
    EXPECT_EQ(being_items[p][kit].activation_effect.item_type, find_item_plan_by_name("tr_spikes"))
        << "the kit sets the spike trap";
}

TEST_F(ItemsInPlay, ItemsArePickedUpByKeyAndWantedOnesByWalkingOverThem) {
    turn_driver d;
    const int p = d.add_character(5, 5, "be_debug_player");
    add_item_to_level(5, 5, blank_item, 1, one_dice, find_item_plan_by_name("it_dagger"));
    d.press_command(GET);
    EXPECT_TRUE(d.logged("Picked up: ")) << "one item underfoot is taken at once";
    EXPECT_EQ(carried(p, "it_dagger"), 1);
    EXPECT_EQ(cell_at(5, 5).loose_items, 0);

    // A bow in the second set makes the character want arrows; it takes them as it passes.
    const int bow = add_item_to_being(p, blank_item, find_item_plan_by_name("it_bow_short"), 1, one_dice);
    equip_item(p, bow, 15, 1, true);
    add_item_to_level(5, 4, blank_item, 1, one_dice, find_item_plan_by_name("it_arrow"));
    d.press(key_up);
    EXPECT_EQ(beings[p].y, 4);
    EXPECT_TRUE(d.logged("Autopicked: ")) << "wanted arrows are picked up on the way";
    EXPECT_GE(carried(p, "it_arrow"), 1);
    bool floated = false;
    for (const tindicator& i : indicators)
        floated = floated || (i.x == 5 && i.y == 4 && i.text.find("rrow") != std::string::npos);
    EXPECT_TRUE(floated) << "the name of what was picked rises from the cell";
}

} // namespace
} // namespace dravok
