// The screens a player reads and the questions the game asks, in a game started from the main
// menu and played by the keys: the journal's page keys, the log's scroll keys, the question
// before an unsaved game is left, the reason an aim is refused, and the screens at the small
// default window and at full HD.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "records/layout_being.h"
#include "records/layout_files.h"
#include "records/layout_item.h"
#include "rules/being_creation.h"
#include "rules/being_update.h"
#include "rules/books.h"
#include "rules/effect_areas.h"
#include "rules/effects.h"
#include "rules/equipment.h"
#include "rules/targeting.h"
#include "support/creation_keys.h"
#include "support/new_game_fixture.h"
#include "ui/dialogs.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/layout.h"
#include "ui/lister_model.h"
#include "ui/menus.h"
#include "world/being.h"
#include "world/being_items.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/database.h"
#include "world/dice.h"
#include "world/directions.h"
#include "world/error_log.h"
#include "world/game_lists.h"
#include "world/game_modes.h"
#include "world/item_placement.h"
#include "world/item_record.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/menu_model.h"
#include "world/message_log.h"
#include "world/settings_record.h"
#include "world/state.h"

namespace dravok {
namespace {

using testing::key_end;
using testing::move_to;
using testing::press_command;

// The two sizes the screens are checked at: the default view, and the largest view the monitor
// takes, as the full screen shows it (SDL_VIDEODRIVER=x11 under a 1920x1080 display for full HD).
struct screen_size {
    int view_w, view_h; // 0: the largest
    const char* name;
};
constexpr screen_size small_screen{23, 17, "small"}, large_screen{0, 0, "large"};

class InterfacePlay : public testing::new_game_fixture {
  protected:
    void use_size(const screen_size& s) {
        settings.view_width_32 = s.view_w != 0 ? s.view_w : std::max(23, settings.max_view_width_32);
        settings.view_height_32 = s.view_h != 0 ? s.view_h : std::max(17, settings.max_view_height_32);
        apply_layout();
    }
    // The inventory opened with the get and inventory keys, the journal read from it.
    void read_journal() {
        const int book_plan = find_item_plan_by_name("it_book_tutorial");
        press_command(session, GET);
        ASSERT_EQ(get_amount_of_items(hero, book_plan, 0, 1), 1);
        press_command(session, INVENTORY);
        ASSERT_EQ(game_mode, mode_inventory);
        int row = 0;
        const tlister_pane& p = lister.panes[size_t(lister.current)];
        for (int r = 1; r <= p.row_count() && row == 0; ++r)
            if (!p.rows[size_t(r)].is_header() && p.rows[size_t(r)].item != 0 &&
                being_items[size_t(hero)][size_t(p.rows[size_t(r)].item)].plan == book_plan)
                row = r;
        ASSERT_NE(row, 0);
        for (int i = 0; i < 60 && lister_cursor_row(lister.current) != row; ++i)
            session.press(key_down);
        session.press(key_enter);
        ASSERT_EQ(game_mode, mode_book);
    }
    // The other creatures taken off the level; then three awake ones of the plans on free cells
    // round the character.
    std::vector<int> creatures_round_hero(const std::vector<std::string>& plans) {
        for (int i = 1; i < int(beings.size()); ++i)
            if (i != hero && beings[i].present) remove_being(i, 1);
        std::vector<int> placed;
        for (int d = 1; d <= 8 && placed.size() < plans.size(); ++d) {
            const int x = beings[hero].x + compass_dx[d], y = beings[hero].y + compass_dy[d];
            if (!is_free_floor(x, y, 1, 1, 0, 0, 1)) continue;
            const int b =
                add_being_to_level(x, y, blank_being, 1, find_being_plan_by_name(plans[placed.size()]));
            if (b == 0) continue;
            beings[b].asleep_counter = 0;
            placed.push_back(b);
        }
        return placed;
    }
};

TEST_F(InterfacePlay, TheJournalScrollsToItsLastLineAndAnyOtherKeyOpensTheInventory) {
    read_journal();
    const int page = settings.book_lines;
    ASSERT_GT(book_line_count, page) << "the journal is longer than a page";
    session.press(key_down);
    EXPECT_EQ(game_mode, mode_book) << "Down scrolls, it does not close the book";
    EXPECT_EQ(book_top_line, 2);
    session.press(key_up);
    session.press(key_up);
    EXPECT_EQ(book_top_line, 1) << "Up stops at the first line";
    session.press(key_page_down);
    EXPECT_EQ(book_top_line, std::min(1 + page, book_line_count - page + 1));
    session.press(key_end);
    EXPECT_TRUE(book_at_end);
    EXPECT_EQ(book_top_line, book_line_count - page + 1) << "the last page is a full one";
    const int last_top = book_top_line;
    session.press(key_down);
    session.press(key_page_down);
    EXPECT_EQ(book_top_line, last_top) << "nothing below the last line";
    session.press(key_page_up);
    EXPECT_EQ(book_top_line, std::max(1, last_top - page));
    session.press(key_home);
    EXPECT_EQ(book_top_line, 1);
    session.press(key_end);
    for (const screen_size& s : {small_screen, large_screen}) {
        use_size(s);
        book_top_line = std::max(1, book_line_count - settings.book_lines + 1);
        session.screenshot(std::string("interface_book_end_") + s.name);
        EXPECT_TRUE(book_at_end) << s.name;
    }
    use_size(small_screen);
    session.press('I');
    EXPECT_EQ(game_mode, mode_inventory) << "any other key goes back to the inventory";
}

TEST_F(InterfacePlay, TheLogScrollsBackToALinePushedOutAndANewMessageShowsTheNewest) {
    add_message("$BThe oldest line of this test.");
    for (int i = 0; i < 3 * settings.log_lines; ++i)
        add_message("$BA later line " + std::to_string(i) + ".");
    auto shown = [](const std::string& text) {
        for (int i = settings.log_top_line; i < settings.log_top_line + settings.log_lines; ++i)
            if (i >= 0 && i < int(message_log.size()) &&
                message_log[size_t(i)].find(text) != std::string::npos)
                return true;
        return false;
    };
    ASSERT_FALSE(shown("oldest line")) << "pushed out of the panel";
    // The newest line is at the top: the older ones come back from below.
    const int older = settings.newest_first ? LOG_DOWN : LOG_UP;
    const int newer = settings.newest_first ? LOG_UP : LOG_DOWN;
    for (int i = 0; i < 100 && !shown("oldest line"); ++i)
        press_command(session, older);
    EXPECT_TRUE(shown("oldest line"));
    session.screenshot("interface_log_scrolled");
    press_command(session, newer);
    EXPECT_FALSE(shown("oldest line")) << "one line back toward the newest";
    press_command(session, older);
    add_message("$BSomething new happens.");
    EXPECT_TRUE(shown("Something new happens.")) << "a new message brings back the newest page";
    EXPECT_EQ(settings.log_scroll, 0);
}

TEST_F(InterfacePlay, LeavingTheGameAsksFirstAndNoKeepsTheRun) {
    const int x = beings[hero].x, y = beings[hero].y;
    for (const std::string row : {"QUIT GAME", "RETURN TO MAIN MENU"}) {
        press_command(session, GAME_MENU);
        ASSERT_EQ(game_mode, mode_menu);
        ASSERT_TRUE(move_to(session, row));
        session.press(key_enter);
        ASSERT_EQ(game_mode, mode_dialog) << row << " asks first";
        EXPECT_EQ(dialog.kind, dialog_leave_game);
        EXPECT_EQ(dialog_buttons[1].text, "No");
        if (row == "QUIT GAME") {
            for (const screen_size& s : {small_screen, large_screen}) {
                use_size(s);
                session.screenshot(std::string("interface_quit_question_") + s.name);
            }
            use_size(small_screen);
        }
        session.press(key_enter); // "No", the first answer
        EXPECT_FALSE(quit_requested());
        EXPECT_FALSE(state.restart);
        ASSERT_EQ(game_mode, mode_menu);
        EXPECT_EQ(menu.id, menu_game) << "back to the game menu";
        EXPECT_EQ(testing::selected_text(), row);
        session.press(key_escape);
        EXPECT_EQ(game_mode, mode_main);
        EXPECT_TRUE(beings[hero].present);
        EXPECT_EQ(beings[hero].x, x);
        EXPECT_EQ(beings[hero].y, y);
    }
    // "Yes" to the main menu ends the run there.
    press_command(session, GAME_MENU);
    ASSERT_TRUE(move_to(session, "RETURN TO MAIN MENU"));
    session.press(key_enter);
    session.press(key_right);
    session.press(key_enter);
    EXPECT_EQ(game_mode, mode_menu);
    EXPECT_EQ(menu.id, menu_main);
}

TEST_F(InterfacePlay, AfterEquippingFromTheBackpackItStillListsEveryItemAndTabReachesBothLists) {
    const int axe = add_item_to_being(hero, blank_item, find_item_plan_by_name("it_axe_hand"), 1, one_dice);
    ASSERT_GT(axe, 0);
    press_command(session, INVENTORY);
    ASSERT_EQ(game_mode, mode_inventory);
    ASSERT_EQ(lister.panes[1].kind, list_equipment);
    ASSERT_EQ(lister.current, 2);
    auto cursor_item = [] {
        const int r = lister_cursor_row(2);
        return r >= 1 ? lister.panes[2].rows[size_t(r)].item : 0;
    };
    for (int i = 0; i < 30 && cursor_item() != axe; ++i)
        session.press(key_down);
    ASSERT_EQ(cursor_item(), axe);
    const size_t all_groups = lister.panes[2].groups.size();
    session.press(key_enter);
    ASSERT_EQ(game_mode, mode_inventory);
    EXPECT_EQ(lister_cursor_row(1), 0) << "the equipment list was not entered";
    EXPECT_EQ(lister.panes[2].groups.size(), all_groups) << "the backpack is not narrowed to one slot";
    EXPECT_GT(lister.panes[2].row_count(), 1);
    session.press(key_tab);
    EXPECT_EQ(lister.current, 1);
    session.press(key_tab);
    EXPECT_EQ(lister.current, 2);
    EXPECT_GT(lister.panes[2].row_count(), 1);
    session.press(key_escape);
}

TEST_F(InterfacePlay, SaveAndQuitIsDisabledOnALevelThatForbidsSaving) {
    level.special = 1;
    press_command(session, GAME_MENU);
    const int row = find_menu_item_by_action(27);
    ASSERT_NE(row, 0);
    EXPECT_TRUE(menu_items[size_t(row)].disabled);
    ASSERT_TRUE(move_to(session, "SAVE GAME & QUIT"));
    session.press(key_enter);
    EXPECT_FALSE(quit_requested()) << "a disabled row does nothing";
    EXPECT_EQ(game_mode, mode_menu);
    session.press(key_escape);
    level.special = 0;
}

TEST_F(InterfacePlay, RefusedActionsSayWhy) {
    // The get key on a cell with nothing on it.
    while (cell_at(beings[hero].x, beings[hero].y).loose_items != 0)
        press_command(session, GET);
    press_command(session, GET);
    EXPECT_TRUE(session.logged("There is nothing here to pick up."));
    // A hand axe in the hand, thrown at the character's own cell, then at the wall next to it.
    const int axe = add_item_to_being(hero, blank_item, find_item_plan_by_name("it_axe_hand"), 1, one_dice);
    ASSERT_GT(axe, 0);
    ASSERT_TRUE(equip_item(hero, axe, 13, 1, true));
    update_being(hero, 1);
    press_command(session, FIRE);
    ASSERT_EQ(game_mode, mode_target);
    ASSERT_EQ(target_action_kind, target_attack);
    target_cursor_x = beings[hero].x; // no creature to jump to: the cursor is on the character
    target_cursor_y = beings[hero].y;
    session.press(key_enter);
    EXPECT_EQ(game_mode, mode_target) << "the aim is refused";
    EXPECT_TRUE(session.logged("The target is out of range."));
    int d = 1;
    while (d <= 8 && !is_wall(beings[hero].x + compass_dx[d], beings[hero].y + compass_dy[d]))
        ++d;
    if (d <= 8) {
        press_command(session, MOVE_N + d - 1);
        session.press(key_enter);
        EXPECT_EQ(game_mode, mode_target);
        EXPECT_TRUE(session.logged("There is only a wall there.") ||
                    session.logged("The target is out of range."));
    }
    session.press(key_escape);
}

TEST_F(InterfacePlay, HelpAndLookModeFitTheSmallAndTheLargeScreen) {
    const std::vector<int> three = creatures_round_hero({"be_goblin", "be_jackal", "be_bat_cave"});
    ASSERT_EQ(three.size(), 3u);
    press_command(session, REST);
    for (const screen_size& s : {small_screen, large_screen}) {
        use_size(s);
        press_command(session, HELP);
        ASSERT_EQ(game_mode, mode_help);
        session.screenshot(std::string("interface_help_") + s.name);
        session.press(key_escape);
        press_command(session, TARGET_MODE);
        ASSERT_EQ(game_mode, mode_target);
        session.screenshot(std::string("interface_look_") + s.name);
        session.press(key_escape);
    }
    use_size(small_screen);
}

// A save with a name of the longest kind, and the update menu's title, on the small screen.
TEST(InterfaceScreens, LongMenuRowsAndTitlesStayOnTheScreen) {
    testing::started_game game("long_rows");
    if (!game.ready()) FAIL() << "the build has not made Data/ yet";
    ASSERT_TRUE(game.start());
    save_names = {"Aaaaaaaaaabbbbbbbbbb"};
    const std::vector<tcharacter> kept = past_characters;
    past_characters.assign(2, tcharacter{});
    past_characters[1].date_made = 46000.5; // the summary's date goes before the name
    past_characters[1].race_image = 1;      // and its portrait before both
    setup_menu(menu_load);
    game.screenshot("interface_load_long_name");
    const tmenu_item& row = menu_items[1];
    EXPECT_LE(row.text_x + side_panel.text_width(row.text), screen_bitmap.width());
    setup_menu(menu_update);
    game.screenshot("interface_update_menu");
    save_names.clear();
    past_characters = kept;
    setup_menu(menu_main);
}

} // namespace
} // namespace dravok
