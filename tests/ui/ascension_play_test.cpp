// The two ascensions the Overgod grants, played from the main menu: the new character takes the
// portals down to the hub, walks into the Overgod (which asks and is not smashed) or talks to
// it with Ctrl and a direction, and answers; the end of play follows with its closing line, the
// pantheon changed and the panels blank.
#include <gtest/gtest.h>

#include <string>

#include "platform/bitmap.h"
#include "platform/colour.h"
#include "records/being_flags.h"
#include "records/layout_being.h"
#include "records/layout_item.h"
#include "rules/being_creation.h"
#include "rules/pantheon.h"
#include "support/creation_keys.h"
#include "support/new_game_fixture.h"
#include "support/portal_keys.h"
#include "ui/dialogs.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/lister_model.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/directions.h"
#include "world/game_modes.h"
#include "world/geometry.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/map.h"
#include "world/player.h"
#include "world/state.h"
#include "world/tables.h"

namespace dravok {
namespace {

using testing::press_command;

constexpr int hub_level = 11;

bool all_black(const Bitmap& b) {
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if ((b.pixel(x, y) & 0xFFFFFF) != 0) return false;
    return true;
}

class Ascension : public testing::new_game_fixture {
  protected:
    void SetUp() override {
        new_game_fixture::SetUp();
        if (HasFatalFailure()) return;
        for (int to : {2, 3, hub_level})
            ASSERT_TRUE(testing::take_portal_to(session, to)) << "no way to level " << to;
        hero = player; // the character's index on the hub
        for (int i = 1; i < int(beings.size()) && overgod == 0; ++i)
            if (beings[i].present && has_type_flag(beings[i], tf_overgod)) overgod = i;
        ASSERT_NE(overgod, 0) << "the Overgod waits at the hub";
    }

    // The character put beside the Overgod (the walk there is not what is tested); the direction
    // from it toward the Overgod.
    int stand_beside_overgod() {
        const tbeing& o = beings[overgod];
        for (int d = 1; d <= 8; ++d) {
            const int x = o.x - direction_steps[d].dx, y = o.y - direction_steps[d].dy;
            if (!is_free_floor(x, y, 1, 1, 0, 0, 1) || cell_at(x, y).trap != 0 ||
                cell_at(x, y).furniture != 0)
                continue;
            place_being(hero, x, y, 1);
            return d;
        }
        return 0;
    }

    // Right until the button with the text is selected, then Enter; false when there is none.
    bool answer(const std::string& text) {
        if (game_mode != mode_dialog) return false;
        for (int i = 0; i <= dialog.button_count && dialog_buttons[dialog.selected].text != text; ++i)
            session.press(key_right);
        if (dialog_buttons[dialog.selected].text != text) return false;
        session.press(key_enter);
        return true;
    }

    // The essence in the backpack used with Enter from the inventory screen.
    void use_from_inventory(int item) {
        press_command(session, INVENTORY);
        ASSERT_EQ(game_mode, mode_inventory);
        const tlister_pane& pane = lister.panes[size_t(lister.current)];
        int row = 0;
        for (int r = 1; r <= pane.row_count() && row == 0; ++r)
            if (!pane.rows[size_t(r)].is_header() && pane.rows[size_t(r)].item == item) row = r;
        ASSERT_NE(row, 0) << "the essence is listed";
        for (int i = 0; i < 60 && lister_cursor_row(lister.current) != row; ++i)
            session.press(key_down);
        session.press(key_enter);
    }

    // What every ending leaves: the spectator's mode and blank panels.
    void expect_end_of_play() {
        EXPECT_EQ(state.won, 1);
        EXPECT_EQ(game_mode, mode_spectator);
        EXPECT_TRUE(all_black(status_panel)) << "the status panel keeps no picture of the game";
        EXPECT_TRUE(all_black(side_panel));
        EXPECT_TRUE(all_black(minimap_bitmap));
    }

    int overgod = 0;
};

TEST_F(Ascension, WalkingIntoTheOvergodAsksAndTheDemigodsAnswerEndsTheGame) {
    const int d = stand_beside_overgod();
    ASSERT_NE(d, 0);
    const uint16_t health = beings[overgod].health;
    const std::size_t demigods_before = demigods.size();
    press_command(session, d);
    ASSERT_EQ(game_mode, mode_dialog) << "the passive friend asks instead of being smashed";
    EXPECT_EQ(dialog.kind, dialog_bump_friendly);
    EXPECT_EQ(dialog.partner, overgod);
    EXPECT_EQ(beings[overgod].health, health);
    EXPECT_NE(beings[overgod].present, 0);
    ASSERT_TRUE(answer("Ascend to demigodhood"));
    EXPECT_TRUE(session.logged("You have become a demigod!"));
    expect_end_of_play();
    ASSERT_EQ(demigods.size(), demigods_before + 1);
    EXPECT_EQ(demigods.back().type_flags[tf_former_player], 1);
    session.screenshot("demigod_ending");
}

TEST_F(Ascension, TheChosenGodsEssenceGivesThePlayerThatGodsThrone) {
    // The god of slot 3 was slain and left its essence, as a god's death leaves it.
    constexpr int slot = 3;
    const int god = avatars[slot].avatar_slot;
    ASSERT_NE(god, 0);
    ASSERT_NE(find_avatar_slot(god), 0);
    const std::string old_name = avatars[slot].name.str();
    const auto others = avatars;
    const int essence =
        add_item_to_being(hero, blank_item, find_item_plan_by_name("it_essence_divine"), 1, one_dice);
    ASSERT_NE(essence, 0);
    being_items[hero][essence].god_number = uint8_t(god);
    use_from_inventory(essence);
    EXPECT_TRUE(session.logged("You consume the divine essence!"));
    EXPECT_EQ(beings[hero].divine_god, god);
    ASSERT_EQ(game_mode, mode_main);

    // Ctrl and the direction talk to the Overgod.
    const int d = stand_beside_overgod();
    ASSERT_NE(d, 0);
    const tkeybinding move = keybindings[d][0];
    session.press_ctrl(move.key);
    ASSERT_EQ(game_mode, mode_dialog);
    EXPECT_EQ(dialog.partner, overgod);
    ASSERT_TRUE(answer("Ascend to godhood"));
    EXPECT_TRUE(session.logged("You have become a god!"));
    expect_end_of_play();

    // The slot of the consumed god holds the player, in memory and in the pantheon file.
    ASSERT_TRUE(load_avatars());
    const tbeing& a = avatars[slot];
    EXPECT_EQ(a.avatar_slot, god);
    EXPECT_EQ(a.type_flags[tf_former_player], 1);
    EXPECT_EQ(a.type_flags[tf_god], 1);
    EXPECT_EQ(a.plan, beings[hero].plan) << "the player's being, not the old god";
    EXPECT_NE(a.name.view(), old_name);
    for (int s = 1; s <= avatar_slot_count; ++s)
        if (s != slot) {
            EXPECT_EQ(avatars[s].plan, others[s].plan) << "slot " << s << " keeps its god";
        }
    session.screenshot("god_ending");
}

} // namespace
} // namespace dravok
