// The book and help screens: which lines of a book are drawn and when its end is reached, the
// help keyboard drawn from the game's layout, and the help mode's way back without a layout.
#include <gtest/gtest.h>

#include "rules/books.h"
#include "rules/item_use.h"
#include "support/driver.h"
#include "support/game_start.h"
#include "ui/draw.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/layout.h"
#include "ui/menus.h"
#include "world/game_modes.h"
#include "world/menu_model.h"
#include "world/settings_record.h"
#include "world/text_database.h"

namespace dravok {
namespace {

std::string numbered_lines(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i)
        text += "Line " + std::to_string(i) + "\r\n";
    return text;
}

TEST(BookScreen, EndIsReachedOnlyWhenTheLastLineIsDrawn) {
    testing::started_game game("book");
    if (!game.ready()) FAIL() << "the build has not made Data/ yet";
    ASSERT_TRUE(game.start());
    testing::turn_driver driver; // a being to look through; the driver resets the settings
    driver.add_player(5, 5);
    apply_layout();
    const int page = settings.book_lines;
    ASSERT_GT(page, 3);
    struct book_case {
        int lines, top;
        bool at_end;
    };
    for (const book_case c : {book_case{page, 1, true}, book_case{page + 1, 1, false},
                              book_case{page + 1, 2, true}, book_case{3, 1, true}}) {
        book_name = "A worn diary";
        book_text = numbered_lines(c.lines);
        book_line_count = c.lines;
        book_top_line = c.top;
        game_mode = mode_book;
        draw_screen();
        EXPECT_EQ(book_at_end, c.at_end) << c.lines << " lines from " << c.top;
    }
    book_text = numbered_lines(page + 5);
    book_line_count = page + 5;
    book_top_line = 3;
    game.screenshot("book");
    game_mode = mode_main;
}

TEST(HelpScreen, KeyboardFromTheLayoutAndBackWithEscape) {
    testing::started_game game("help");
    if (!game.ready()) FAIL() << "the build has not made Data/ yet";
    ASSERT_TRUE(game.start());
    // From the keybindings menu, "H".
    setup_menu(menu_keybindings);
    game.press('H');
    ASSERT_EQ(game_mode, mode_help);
    game.screenshot("help");
    // Keys drawn: the F1 cap (quickslot 11) has the bound face colour somewhere on the screen.
    bool bound_face = false;
    for (int y = 0; y < screen_bitmap.height() && !bound_face; y += 2)
        for (int x = 0; x < screen_bitmap.width() && !bound_face; x += 2)
            bound_face = screen_bitmap.pixel(x, y) == 0x333344;
    EXPECT_TRUE(bound_face);
    game.press('C');
    EXPECT_EQ(help_key, 'C');
    game.screenshot("help_key");
    game.press('C');
    EXPECT_EQ(help_key, 0);
    game.press(key_escape);
    EXPECT_EQ(game_mode, mode_menu);
    EXPECT_EQ(menu.id, menu_keybindings);
}

TEST(HelpScreen, WithoutALayoutTheHelpReturnsWhereItWasOpened) {
    testing::turn_driver driver;
    driver.add_player(5, 5);
    clear_text_database();
    driver.press_command(HELP);
    EXPECT_EQ(game_mode, mode_main);
}

} // namespace
} // namespace dravok
