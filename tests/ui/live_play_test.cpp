// Faults seen only in a game started the player's way: a new character made through the
// creation menus, on the first level the game made for it, played by the keys.
#include <gtest/gtest.h>

#include "ai/player_view.h"
#include "platform/bitmap.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "records/layout_item.h"
#include "records/layout_level.h"
#include "rules/being_creation.h"
#include "rules/books.h"
#include "rules/targeting.h"
#include "support/creation_keys.h"
#include "support/game_start.h"
#include "support/new_game_fixture.h"
#include "ui/frame_composition.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/lister_drawing.h"
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
#include "world/level_items.h"
#include "world/map.h"
#include "world/message_log.h"
#include "world/random.h"
#include "world/settings_record.h"

namespace dravok {
namespace {

using testing::press_command;
using testing::start_new_game;
using testing::started_game;

class LivePlay : public testing::new_game_fixture {
  protected:
    // A kobold awake on a free cell next to the character, the only creature of the level.
    int kobold_next_to_hero() {
        for (int i = 1; i < int(beings.size()); ++i)
            if (i != hero && beings[i].present) remove_being(i, 1);
        for (int d = 1; d <= 8; ++d) {
            const int x = beings[hero].x + compass_dx[d], y = beings[hero].y + compass_dy[d];
            if (!is_free_floor(x, y, 1, 1, 0, 0, 1)) continue;
            const int b = add_being_to_level(x, y, blank_being, 1, find_being_plan_by_name("be_kobold"));
            if (b == 0) continue;
            beings[b].asleep_counter = 0;
            return b;
        }
        return 0;
    }
};

bool same_pixels(const Bitmap& a, const Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF)) return false;
    return true;
}

TEST_F(LivePlay, TheLogPanelShowsTheBlowsOfAFight) {
    const int kobold = kobold_next_to_hero();
    ASSERT_NE(kobold, 0);
    const size_t lines = message_log.size();
    const int dir = get_direction(beings[hero].x, beings[hero].y, beings[kobold].x, beings[kobold].y);
    press_command(session, MOVE_N + dir - 1);
    ASSERT_GT(message_log.size(), lines) << "the blow was logged";
    // The panel the key's frame left on screen is the panel of the log as it now stands.
    const Bitmap shown(log_panel);
    draw_log_panel();
    EXPECT_TRUE(same_pixels(shown, log_panel)) << "the log panel was not redrawn: " << message_log.front();
}

TEST_F(LivePlay, TheAdjacentCreatureIsSeenAndTheSecondTargetKeyLandsOnIt) {
    const int kobold = kobold_next_to_hero();
    ASSERT_NE(kobold, 0);
    press_command(session, REST);
    bool listed = false;
    for (int i = 1; i < seen_list_length && seen_being_list[size_t(i)].index != 0; ++i)
        listed = listed || seen_being_list[size_t(i)].index == kobold;
    EXPECT_TRUE(listed) << "the player's sight lists the kobold";
    // The target mode opens on the character's own cell; the key again cycles to the kobold.
    press_command(session, TARGET_MODE);
    ASSERT_EQ(game_mode, mode_target);
    EXPECT_EQ(target_cursor_x, beings[hero].x);
    press_command(session, TARGET_MODE);
    EXPECT_EQ(target_cursor_x, beings[kobold].x);
    EXPECT_EQ(target_cursor_y, beings[kobold].y);
}

// The level item of the plan lying in the character's own area, or 0.
int item_in_hero_area(int hero, int item_plan) {
    const int area = cell_at(beings[hero].x, beings[hero].y).area;
    for (int i = 1; i < int(level_items.size()); ++i)
        if (level_items[i].serial != 0 && level_items[i].plan == item_plan &&
            cell_at(level_items[i].x, level_items[i].y).area == area)
            return i;
    return 0;
}

int row_of_item(int pane, int item) {
    const tlister_pane& p = lister.panes[size_t(pane)];
    for (int r = 1; r <= p.row_count(); ++r)
        if (!p.rows[size_t(r)].is_header() && p.rows[size_t(r)].item == item) return r;
    return 0;
}

TEST_F(LivePlay, TheCharacterStartsInTheRoomOfTheTutorialBookAndPicksItUp) {
    const int book_plan = find_item_plan_by_name("it_book_tutorial");
    ASSERT_TRUE(session.logged("There should be a book on the floor of this room."));
    const int book = item_in_hero_area(hero, book_plan);
    ASSERT_NE(book, 0) << "no book in the character's room";
    EXPECT_EQ(level_items[book].x, beings[hero].x);
    EXPECT_EQ(level_items[book].y, beings[hero].y) << "it lies where the character stands";
    press_command(session, GET);
    EXPECT_EQ(get_amount_of_items(hero, book_plan, 0, 1), 1) << "picked up with the get key";
}

// Whether the area holds a key cap: a frame, narrower than a line, whose top and bottom edges
// and both sides are one colour.
bool has_key_cap(const Bitmap& b, const Rect& area) {
    constexpr int min_width = 12, max_width = 150, min_height = 8, max_height = 40;
    const auto at = [&b](int x, int y) { return b.pixel(x, y) & 0xFFFFFF; };
    for (int y = area.top; y + min_height < area.bottom; ++y)
        for (int x = area.left; x + min_width < area.right; ++x) {
            const Colour c = at(x, y);
            int w = 1;
            while (x + w < area.right && at(x + w, y) == c)
                ++w;
            if (c == 0 || w < min_width || w > max_width) {
                x += w - 1;
                continue;
            }
            for (int h = 1; h <= max_height && y + h < area.bottom; ++h) {
                if (at(x, y + h) != c || at(x + w - 1, y + h) != c) break;
                bool bottom = h >= min_height;
                for (int k = 0; k < w && bottom; ++k)
                    bottom = at(x + k, y + h) == c;
                if (bottom) return true;
            }
            x += w - 1;
        }
    return false;
}

TEST_F(LivePlay, TheInventoryShowsTheFiguresOfTheWeaponSetHand) {
    const int weapon = beings[hero].equipment_of(beings[hero].active_set);
    ASSERT_GT(weapon, 0) << "the new character holds a weapon";
    press_command(session, INVENTORY);
    ASSERT_EQ(game_mode, mode_inventory);
    int pane = 0;
    for (int c = 1; c < int(lister.panes.size()) && pane == 0; ++c)
        if (lister.panes[size_t(c)].kind == list_equipment) pane = c;
    ASSERT_NE(pane, 0);
    const int row = row_of_item(pane, weapon);
    ASSERT_NE(row, 0);
    titem item;
    ASSERT_TRUE(lister_row_item(pane, row, item));
    const std::string text = item_details_text(item);
    EXPECT_NE(text.find("Melee attack skill: "), std::string::npos) << text;
    EXPECT_NE(text.find("Melee damage: "), std::string::npos) << text;
    // The same item on the ground is no hand of a set.
    item.serial = 0;
    EXPECT_EQ(item_details_text(item).find("Melee attack skill"), std::string::npos);
}

TEST_F(LivePlay, TheTutorialBookDrawsItsKeysAsKeyCaps) {
    const int book_plan = find_item_plan_by_name("it_book_tutorial");
    press_command(session, GET);
    ASSERT_EQ(get_amount_of_items(hero, book_plan, 0, 1), 1);
    press_command(session, INVENTORY);
    ASSERT_EQ(game_mode, mode_inventory);
    int book = 0;
    for (int i = 1; i < int(being_items[size_t(hero)].size()) && book == 0; ++i)
        if (being_items[size_t(hero)][size_t(i)].plan == book_plan) book = i;
    const int row = row_of_item(lister.current, book);
    ASSERT_NE(row, 0);
    for (int i = 0; i < 60 && lister_cursor_row(lister.current) != row; ++i)
        session.press(key_down);
    session.press(key_enter);
    ASSERT_EQ(game_mode, mode_book);
    ASSERT_NE(book_text.find("[["), std::string::npos) << "the book names keys";
    session.screenshot("tutorial_book");
    // The page inside the book's frame, title bar and scroll bar.
    const int left = (screen_bitmap.width() - settings.book_width) / 2 + settings.log_margin;
    const int top =
        (screen_bitmap.height() - settings.book_height) / 2 + settings.icon_size + settings.log_margin;
    const Rect page{left, top,
                    left + settings.book_width - 2 * settings.log_margin - settings.scrollbar_width,
                    top + settings.book_height - settings.icon_size - 2 * settings.log_margin};
    EXPECT_TRUE(has_key_cap(screen_bitmap, page)) << "the keys are drawn as caps";
    // Rows never touch, caps included: each row's band holds a black pixel row across the page.
    for (int row_top = page.top; row_top + settings.book_row_height <= page.bottom;
         row_top += settings.book_row_height) {
        bool gap = false;
        for (int y = row_top; y < row_top + settings.book_row_height && !gap; ++y) {
            gap = true;
            for (int x = page.left; x < page.right && gap; ++x)
                gap = (screen_bitmap.pixel(x, y) & 0xFFFFFF) == 0;
        }
        EXPECT_TRUE(gap) << "the row at y " << row_top << " touches the next";
    }
}

TEST_F(LivePlay, EnterOnALevelLootRowWalksTheCharacterToTheItem) {
    // Something lying in sight away from the character: a dagger three cells off in its room.
    int x = 0, y = 0;
    for (int d = 1; d <= 8 && x == 0; ++d) {
        const int tx = beings[hero].x + 3 * compass_dx[d], ty = beings[hero].y + 3 * compass_dy[d];
        if (is_free_floor(tx, ty, 1, 1, 0, 0, 1) && cell_at(tx, ty).furniture == 0) x = tx, y = ty;
    }
    ASSERT_NE(x, 0);
    const int dagger = add_item_to_level(x, y, blank_item, 1, one_dice, find_item_plan_by_name("it_dagger"));
    ASSERT_NE(dagger, 0);
    press_command(session, REST); // the character looks round and sees it
    press_command(session, LOOT_LEVEL);
    ASSERT_EQ(game_mode, mode_inventory);
    const int row = row_of_item(lister.current, dagger);
    ASSERT_NE(row, 0) << "the dagger is listed";
    for (int i = 0; i < 60 && lister_cursor_row(lister.current) != row; ++i)
        session.press(key_down);
    session.press(key_enter);
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_EQ(beings[hero].x, x);
    EXPECT_EQ(beings[hero].y, y) << "the character walked to the dagger";
}

} // namespace
} // namespace dravok
