// Dialogs through the window's key path: a known trap ahead asks before the step, its answers,
// revealing lines with "More", the game-over dialog that Escape cannot close, and the dialog's
// picture in the frame.
#include <gtest/gtest.h>

#include "records/layout_being.h"
#include "records/layout_map.h"
#include "support/driver.h"
#include "support/game_start.h"
#include "ui/dialogs.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "world/beings.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/map.h"
#include "world/menu_model.h"
#include "world/message_log.h"
#include "world/state.h"

namespace dravok {
namespace {

using testing::turn_driver;

// A known trap east of the player at (5, 5).
struct trap_ahead {
    turn_driver driver;
    int hero = 0;
    trap_ahead() {
        hero = driver.add_player(5, 5);
        tcell& c = cell_at(6, 5);
        c.trap = 1;
        c.trap_difficulty = -1;
    }
};

TEST(Dialogs, KnownTrapAheadAsksAndTheFirstAnswerAborts) {
    trap_ahead t;
    t.driver.press(key_right);
    ASSERT_EQ(game_mode, mode_dialog);
    EXPECT_EQ(dialog.kind, dialog_ground_trap);
    EXPECT_EQ(dialog.button_count, 4);
    EXPECT_EQ(dialog_buttons[1].text, "Abort");
    EXPECT_EQ(dialog.question,
              "Move on the spot trying to avoid the trap, try to disable it or deliberately spring it?");
    // Enter at once gives the first button: nothing happens.
    t.driver.press(key_enter);
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_EQ(beings[t.hero].x, 5);
    // Escape closes too; Left stops at the first button and Right at the last.
    t.driver.press(key_right);
    t.driver.press(key_escape);
    EXPECT_EQ(game_mode, mode_main);
    t.driver.press(key_right);
    t.driver.press(key_left);
    EXPECT_EQ(dialog.selected, 1);
    for (int i = 0; i < 6; ++i)
        t.driver.press(key_right);
    EXPECT_EQ(dialog.selected, 4);
    t.driver.press(key_left);
    t.driver.press(key_left);
    EXPECT_EQ(dialog_buttons[dialog.selected].text, "Move forward");
    t.driver.press(key_enter);
    EXPECT_EQ(game_mode, mode_main);
    EXPECT_EQ(beings[t.hero].x, 6) << "the step is taken onto the trap";
}

TEST(Dialogs, LinesAreRevealedOneByOneBeforeTheButtons) {
    trap_ahead t;
    setup_switch_dialog(0, 3, 6, 5);
    // Three lines to read before the answer: what the drawing and the keys read of the record.
    dialog.lines[1] = "One.";
    dialog.lines[2] = "Two.";
    dialog.lines[3] = "Three.";
    dialog.lines_total = 3;
    t.driver.press(key_escape); // not before the last line
    EXPECT_EQ(game_mode, mode_dialog);
    t.driver.press(key_right); // the buttons wait too
    EXPECT_EQ(dialog.selected, 1);
    t.driver.press(key_enter);
    t.driver.press(key_enter);
    EXPECT_EQ(dialog.lines_shown, 3);
    EXPECT_EQ(game_mode, mode_dialog);
    t.driver.press(key_enter);
    EXPECT_EQ(game_mode, mode_main) << "Abort";
}

TEST(Dialogs, GameOverDialogIgnoresEscapeAndOffersTheMainMenuAndQuit) {
    testing::started_game game("game_over");
    if (!game.ready()) FAIL() << "the build has not made Data/ yet";
    ASSERT_TRUE(game.start());
    // The end of play looks on at a being of the level.
    turn_driver driver;
    driver.add_player(5, 5);
    setup_game_over_dialog();
    EXPECT_EQ(dialog.button_count, 3);
    EXPECT_TRUE(dialog.title.empty());
    game.press(key_escape);
    game.press(key_backspace);
    EXPECT_EQ(game_mode, mode_dialog);
    game.press(key_right);
    EXPECT_EQ(dialog_buttons[dialog.selected].text, "Go to main menu");
    game.press(key_enter);
    EXPECT_EQ(game_mode, mode_menu);
    EXPECT_EQ(menu.id, menu_main);

    driver.add_player(5, 5);
    setup_game_over_dialog();
    game.press(key_right);
    game.press(key_right);
    game.press(key_enter);
    EXPECT_TRUE(quit_requested());
}

TEST(Dialogs, TheMainMenuAfterAGameOverStartsWithTheLogSpeakingAgain) {
    testing::started_game game("game_over_log");
    if (!game.ready()) FAIL() << "the build has not made Data/ yet";
    ASSERT_TRUE(game.start());
    turn_driver driver;
    driver.add_player(5, 5);
    // The end of play mutes the log, letting only speech through.
    state.died = 1;
    state.log_muted = 1;
    state.speech_passes = 1;
    setup_game_over_dialog();
    game.press(key_right);
    ASSERT_EQ(dialog_buttons[dialog.selected].text, "Go to main menu");
    game.press(key_enter);
    ASSERT_EQ(game_mode, mode_menu);
    EXPECT_EQ(state.log_muted, 0);
    EXPECT_EQ(state.speech_passes, 0);
    add_message("A new game.");
    EXPECT_FALSE(message_log.empty());
}

TEST(Dialogs, DialogFrameShowsTitleButtonsAndQuestion) {
    testing::started_game game("dialog_frame");
    if (!game.ready()) FAIL() << "the build has not made Data/ yet";
    ASSERT_TRUE(game.start());
    trap_ahead t;
    t.driver.press(key_right);
    ASSERT_EQ(game_mode, mode_dialog);
    t.driver.press(key_right);
    game.screenshot("dialog");
    // The selected button is filled with its own colour in the log panel's place.
    bool selected_fill = false;
    for (int y = 0; y < log_panel.height() && !selected_fill; ++y)
        for (int x = 0; x < log_panel.width() && !selected_fill; ++x)
            selected_fill = log_panel.pixel(x, y) == 0x002E3F;
    EXPECT_TRUE(selected_fill);
    t.driver.press(key_escape);
}

} // namespace
} // namespace dravok
