// The menus through the window's key path: the main menu as the program starts it, the settings
// and keybindings menus with their rows, the key capture kept across a restart, the load-game
// and update menus, the game menu from play, and the text-entry field on an editable row.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/clock.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/runtime.h"
#include "records/layout_being.h"
#include "records/layout_files.h"
#include "support/driver.h"
#include "support/game_start.h"
#include "ui/graphics.h"
#include "ui/key_bindings.h"
#include "ui/menu_screen.h"
#include "ui/menus.h"
#include "ui/release_check.h"
#include "ui/text_entry.h"
#include "world/beings.h"
#include "world/data_files.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/menu_model.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/state.h"

namespace dravok {
namespace {

using testing::started_game;
namespace fs = std::filesystem;

std::string selected_text() {
    const int r = selected_menu_row();
    return r >= 1 ? menu_items[r].text : "";
}

// Down until the cursor row has this text; false when it never comes.
bool move_to(started_game& game, const std::string& text) {
    for (int i = 0; i < 80 && selected_text() != text; ++i)
        game.press(key_down);
    return selected_text() == text;
}

std::string read_text(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

class Menus : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!game.ready()) FAIL() << "the build has not made Data/ yet";
        set_release_host("");
        reset_keybindings();
    }
    void TearDown() override {
        set_release_host("");
        reset_keybindings();
    }
    started_game game{::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(Menus, MainMenuOpensOnNewGameAndWalksItsRows) {
    ASSERT_TRUE(game.start());
    EXPECT_EQ(menu.id, menu_main);
    EXPECT_EQ(selected_text(), "NEW GAME");
    EXPECT_EQ(menu.title, "D R A V O K");
    // No saves: CONTINUE GAME is shown disabled and does nothing.
    game.press(key_down);
    EXPECT_EQ(selected_text(), "CONTINUE GAME");
    EXPECT_TRUE(menu_items[selected_menu_row()].disabled);
    game.press(key_enter);
    EXPECT_EQ(menu.id, menu_main);
    EXPECT_EQ(game_mode, mode_menu);
    // Separators are stepped over; the last row stays; Up and Home come back.
    game.press(key_down);
    EXPECT_EQ(selected_text(), "MANUAL");
    game.press(key_end);
    EXPECT_EQ(selected_text(), "QUIT");
    game.press(key_down);
    EXPECT_EQ(selected_text(), "QUIT");
    game.press(key_up);
    EXPECT_EQ(selected_text(), "KEYBINDINGS");
    game.press(key_home);
    EXPECT_EQ(selected_text(), "NEW GAME");
    game.press(key_up);
    EXPECT_EQ(selected_text(), "NEW GAME");
    // Tab jumps group by group and wraps to the top.
    game.press(key_tab);
    EXPECT_EQ(selected_text(), "MANUAL");
    game.press(key_tab);
    game.press(key_tab);
    EXPECT_EQ(selected_text(), "QUIT");
    game.press(key_tab);
    EXPECT_EQ(selected_text(), "NEW GAME");
    // Escape leaves the main menu as it is; NEW GAME hands over to character creation, whose
    // race menu (no past characters yet) goes back to the main menu on Escape.
    game.press(key_escape);
    EXPECT_EQ(menu.id, menu_main);
    game.screenshot("main_menu");
    game.press(key_enter);
    EXPECT_EQ(game_mode, mode_menu);
    EXPECT_EQ(menu.id, menu_race);
    game.press(key_escape);
    EXPECT_EQ(menu.id, menu_main);
    EXPECT_FALSE(quit_requested());
    // QUIT ends the program.
    game.press(key_end);
    game.press(key_enter);
    EXPECT_TRUE(quit_requested());
    EXPECT_TRUE(event_loop_ended());
}

TEST_F(Menus, SettingsRowsChangeTheLiveSettingsAndEscapeReturnsToTheRow) {
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(move_to(game, "SETTINGS"));
    game.press(key_enter);
    ASSERT_EQ(menu.id, menu_settings);
    EXPECT_EQ(selected_text(), "Check for updates on start");
    const int updates = settings.check_updates;
    game.press(key_space);
    EXPECT_NE(settings.check_updates, updates);
    EXPECT_EQ(menu_items[selected_menu_row()].state, settings.check_updates);

    ASSERT_TRUE(move_to(game, "Interface zoom"));
    EXPECT_EQ(menu_items[selected_menu_row()].value, 100);
    for (int i = 0; i < 8; ++i)
        game.press(key_right);
    EXPECT_EQ(menu_items[selected_menu_row()].value, 150);
    EXPECT_DOUBLE_EQ(settings.zoom, 1.5);
    for (int i = 0; i < 10; ++i)
        game.press(key_left);
    EXPECT_EQ(menu_items[selected_menu_row()].value, 80);
    EXPECT_NEAR(settings.zoom, 0.8, 1e-9);
    game.press(key_right);
    game.press(key_right);
    EXPECT_EQ(menu_items[selected_menu_row()].value, 100);

    game.press(key_home);
    ASSERT_TRUE(move_to(game, "View width in tiles"));
    EXPECT_EQ(menu_items[selected_menu_row()].min, 23);
    const int width = settings.view_width;
    game.press(key_left);
    EXPECT_EQ(settings.view_width, width) << "23 is the least width for 32-pixel tiles";

    // 64-pixel tiles: the tile set is reloaded and the view rows take the bounds of the big tiles.
    game.press(key_home);
    ASSERT_TRUE(move_to(game, "Tile size"));
    game.press(key_right);
    EXPECT_EQ(settings.tile_size, 64);
    EXPECT_EQ(menu_items[selected_menu_row()].value, 64);
    EXPECT_EQ(menu_items[find_menu_item_by_action(11)].min, 11);
    EXPECT_EQ(menu_items[find_menu_item_by_action(12)].min, 9);
    game.press(key_left);
    EXPECT_EQ(settings.tile_size, 32);
    EXPECT_EQ(menu_items[find_menu_item_by_action(11)].min, 23);

    ASSERT_TRUE(move_to(game, "Create obituary after death"));
    const int obituary = settings.create_obituary;
    game.press(key_enter);
    EXPECT_NE(settings.create_obituary, obituary);
    game.screenshot("settings_menu");

    game.press(key_escape);
    EXPECT_EQ(menu.id, menu_main);
    EXPECT_EQ(selected_text(), "SETTINGS");
    // The Exit row does the same.
    game.press(key_enter);
    game.press(key_end);
    EXPECT_EQ(selected_text(), "Exit");
    game.press(key_enter);
    EXPECT_EQ(menu.id, menu_main);
    EXPECT_EQ(selected_text(), "SETTINGS");
}

// Leaving the settings or the key bindings when their file cannot be written (a full disk) says
// so, naming the file, and the menus go on.
TEST_F(Menus, LeavingSettingsOrKeybindingsThatCannotBeWrittenSaysSo) {
    ASSERT_TRUE(game.start());
    for (const char* row : {"SETTINGS", "KEYBINDINGS"}) {
        SCOPED_TRACE(row);
        ASSERT_TRUE(move_to(game, row));
        game.press(key_enter);
        ::testing::internal::CaptureStderr();
        set_write_limit_for_tests(0);
        game.press(key_escape);
        set_write_limit_for_tests(std::nullopt);
        const std::string said = ::testing::internal::GetCapturedStderr();
        const std::string file =
            std::string(row) == "SETTINGS" ? "Data/Settings.txt\"!" : "Data/Keybindings.txt\"!";
        EXPECT_NE(said.find("Could not write file"), std::string::npos) << said;
        EXPECT_NE(said.find(file), std::string::npos) << said;
        EXPECT_EQ(menu.id, menu_main);
        EXPECT_FALSE(quit_requested());
    }
}

TEST_F(Menus, KeybindingsMenuCapturesKeysThatSurviveARestartAndWorkInPlay) {
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(move_to(game, "KEYBINDINGS"));
    game.press(key_enter);
    ASSERT_EQ(menu.id, menu_keybindings);
    EXPECT_EQ(menu.binding_columns, 2);
    EXPECT_EQ(menu_items[1].heading, "M O V E M E N T");
    EXPECT_EQ(selected_text(), "Move north");
    EXPECT_EQ(menu_items[selected_menu_row()].binding_texts[0], "NUMPAD_8");
    EXPECT_EQ(menu_items[selected_menu_row()].binding_texts[1], "ARROW_UP");
    // Right to column 2 and no further; Left back to 1.
    game.press(key_right);
    EXPECT_EQ(menu.binding_column, 2);
    game.press(key_right);
    EXPECT_EQ(menu.binding_column, 2);
    game.press(key_left);
    EXPECT_EQ(menu.binding_column, 1);

    // Move east: capture Shift+K into column 2.
    game.press(key_down);
    game.press(key_down);
    ASSERT_EQ(selected_text(), "Move east");
    game.press(key_right);
    game.press(key_enter);
    EXPECT_EQ(game_mode, mode_keybind);
    EXPECT_EQ(menu_items[selected_menu_row()].waiting_column, 2);
    game.screenshot("keybindings_capture");
    game.press_shift('K');
    EXPECT_EQ(game_mode, mode_menu);
    EXPECT_EQ(menu_items[selected_menu_row()].binding_texts[1], "SHIFT + K");
    EXPECT_EQ(command_for_key('K', key_shift), MOVE_E);
    // Escape while capturing keeps the binding.
    game.press(key_enter);
    game.press(key_escape);
    EXPECT_EQ(game_mode, mode_menu);
    EXPECT_EQ(command_for_key('K', key_shift), MOVE_E);
    // Delete clears column 1 of Move west (row shown as unassigned).
    ASSERT_TRUE(move_to(game, "Move west"));
    game.press(key_left);
    game.press(key_delete);
    EXPECT_EQ(menu_items[selected_menu_row()].binding_texts[0], "(unassigned)");
    EXPECT_EQ(command_for_key(100, 0), 0);
    game.screenshot("keybindings_menu");
    // Escape saves the file and returns to the main menu.
    game.press(key_escape);
    EXPECT_EQ(menu.id, menu_main);
    EXPECT_EQ(selected_text(), "KEYBINDINGS");
    const std::string saved = read_text(game.folder / "Data" / "Keybindings.txt");
    EXPECT_NE(saved.find("action........ MOVE_E\r\nbinding_1..... NUMPAD_6\r\nbinding_2..... SHIFT + K\r\n"),
              std::string::npos);

    reset_keybindings();
    ASSERT_TRUE(game.restart());
    EXPECT_EQ(command_for_key('K', key_shift), MOVE_E);
    EXPECT_EQ(keybindings[MOVE_W][0], tkeybinding{}) << "a cleared binding stays cleared";
    const auto loaded = keybindings;

    // In play, Shift+K walks east.
    testing::turn_driver driver;
    keybindings = loaded;
    const int hero = driver.add_player(5, 5);
    driver.press('K', tshift_state{true, false, false});
    EXPECT_EQ(beings[hero].x, 6);
    EXPECT_EQ(beings[hero].y, 5);
}

TEST_F(Menus, KeybindingsResetAndExitRows) {
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(move_to(game, "KEYBINDINGS"));
    game.press(key_enter);
    game.press(key_enter);
    game.press('J');
    EXPECT_EQ(command_for_key('J', 0), MOVE_N);
    game.press(key_end);
    game.press(key_up);
    EXPECT_EQ(selected_text(), "Reset to defaults");
    game.press(key_enter);
    EXPECT_EQ(keybindings, keybinding_defaults);
    EXPECT_EQ(menu.id, menu_keybindings);
    // The long menu scrolls: a page down shows later rows; End reaches Exit.
    game.press(key_home);
    game.press(key_page_down);
    EXPECT_GT(selected_menu_row(), 1);
    game.press(key_end);
    EXPECT_EQ(selected_text(), "Exit");
    EXPECT_TRUE(menu.scrollable);
    // "H" opens the help screen over the menu; Escape comes back.
    game.press('H');
    EXPECT_EQ(game_mode, mode_help);
    game.press(key_escape);
    EXPECT_EQ(game_mode, mode_menu);
    game.press(key_enter);
    EXPECT_EQ(menu.id, menu_main);
    EXPECT_TRUE(fs::exists(game.folder / "Data" / "Keybindings.txt"));
}

// A save's files as the save list checks them: a summary naming the save and carrying its
// file time. The save proper holds only the given bytes.
void write_save(const fs::path& folder, const std::string& name, const std::string& content) {
    std::ofstream(folder / "Save" / (name + ".dsg"), std::ios::binary) << content;
    tcharacter sheet{};
    sheet.name = name;
    sheet.date_made = file_time_as_datetime((folder / "Save" / (name + ".dsg")).string());
    tbyte_stream summary;
    summary.write_u32(15); // the file header: release, no record length
    summary.write_u32(0);
    summary.write_record(sheet);
    ASSERT_TRUE(write_encoded_file((folder / "Save" / (name + ".dsi")).string(), summary));
}

TEST_F(Menus, LoadGameMenuListsTheSavesAndLoadsTheChosenOne) {
    ASSERT_TRUE(game.start());
    write_save(game.folder, "Ulla", "not a save");
    const std::string stamp = format_log_stamp(
        datetime_from_value(file_time_as_datetime((game.folder / "Save" / "Ulla.dsg").string())));
    setup_menu(menu_main);
    game.press(key_down);
    ASSERT_EQ(selected_text(), "CONTINUE GAME");
    EXPECT_FALSE(menu_items[selected_menu_row()].disabled);
    game.press(key_enter);
    ASSERT_EQ(menu.id, menu_load);
    EXPECT_EQ(menu.title, "L O A D   G A M E");
    EXPECT_EQ(menu.count, 1);
    EXPECT_EQ(menu_items[1].text, stamp + "     Ulla");
    game.screenshot("load_menu");
    game.press(key_escape);
    EXPECT_EQ(menu.id, menu_main);
    EXPECT_EQ(selected_text(), "CONTINUE GAME");
    // A save that cannot be loaded ends the program.
    game.press(key_enter);
    ::testing::internal::CaptureStderr();
    game.press(key_enter);
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(quit_requested());
}

TEST_F(Menus, ReleaseCheckKnowsANewerReleaseOnlyFromANumberAbove15) {
    struct release_case {
        const char* what;
        std::string text; // "-" writes no file
        bool newer;
    };
    const std::vector<release_case> cases = {
        {"newer", "16\r\nnotes", true},
        {"same", "15\r\n", false},
        {"older", "3", false},
        {"garbage", "sixteen", false},
        {"number then text", "16 beta", false},
        {"empty", "", false},
        {"binary", std::string("\x00\x10\xff\x7f", 4), false},
        {"huge", std::string(3'000'000, '9'), false},
        {"missing", "-", false},
    };
    set_release_host("releases.example.invalid");
    set_program_folder(game.folder.string() + "/");
    const fs::path release = game.folder / "Release.txt";
    for (const release_case& c : cases) {
        state.update_available = 0;
        if (c.text != "-") std::ofstream(release, std::ios::binary) << c.text;
        std::ofstream(game.folder / "Get_Release.sh") << "#!/bin/sh\n";
        check_release_file();
        EXPECT_EQ(state.update_available, c.newer) << c.what;
        EXPECT_FALSE(fs::exists(release)) << c.what;
        EXPECT_EQ(fs::exists(game.folder / "Get_Release.sh"), c.text == "-") << c.what;
    }
    set_program_folder("");
    state = tstate{};
}

TEST_F(Menus, NewerReleaseOpensTheUpdateMenuInsteadOfTheMainMenu) {
    set_release_host("releases.example.invalid");
    for (const bool check : {false, true}) {
        started_game run(std::string("release_") + (check ? "on" : "off"));
        std::ofstream(run.folder / "Release.txt") << "16\n";
        run.on_created = [&] { settings.check_updates = check; };
        ASSERT_TRUE(run.start());
        EXPECT_EQ(menu.id, check ? menu_update : menu_main);
        // With checks off the file is neither read nor fetched.
        EXPECT_EQ(fs::exists(run.folder / "Release.txt"), !check);
        EXPECT_FALSE(fs::exists(run.folder / "Get_Release.sh"));
    }
}

TEST_F(Menus, UpdateMenuRows) {
    set_release_host("releases.example.invalid");
    std::ofstream(game.folder / "Release.txt") << "16\n";
    fs::create_directories(game.folder / "Save");
    std::ofstream(game.folder / "Save" / "Hero.dsg") << "x";
    game.on_created = [] { settings.check_updates = 1; };
    ASSERT_TRUE(game.start());
    ASSERT_EQ(menu.id, menu_update);
    EXPECT_EQ(menu.title, "U P D A T E   A V A I L A B L E");
    EXPECT_TRUE(state.saves_exist);
    game.screenshot("update_menu");
    // Escape does nothing; CANCEL goes to the main menu.
    game.press(key_escape);
    EXPECT_EQ(menu.id, menu_update);
    game.press(key_end);
    EXPECT_EQ(selected_text(), "CANCEL");
    game.press(key_enter);
    EXPECT_EQ(menu.id, menu_main);
    // The newer release stays known: the next main menu of this run offers it again.
    EXPECT_TRUE(state.update_available);

    setup_menu(menu_update);
    ASSERT_TRUE(move_to(game, "UPDATE (KEEP SETTINGS & KEYBINDINGS)"));
    game.press(key_enter);
    EXPECT_TRUE(state.update_chosen);
    EXPECT_TRUE(state.keep_settings);
    // The window closed and the update script was written for after the program's end.
    EXPECT_TRUE(event_loop_ended());
    const std::string script = read_text(game.folder / "Update.sh");
    EXPECT_NE(script.find("https://releases.example.invalid/Dravok.zip"), std::string::npos);
    EXPECT_NE(script.find("Data/Settings.txt"), std::string::npos);
    EXPECT_NE(script.find("Update_Failed.txt"), std::string::npos);
}

TEST_F(Menus, WithoutAReleaseHostTheCheckAndTheWebRowsAreOff) {
    std::ofstream(game.folder / "Release.txt") << "16\n";
    game.on_created = [] { settings.check_updates = 1; };
    ASSERT_TRUE(game.start());
    EXPECT_EQ(menu.id, menu_main);
    EXPECT_TRUE(fs::exists(game.folder / "Release.txt"));
    EXPECT_TRUE(menu_items[find_menu_item_by_action(4)].disabled) << "HOMEPAGE";
}

TEST_F(Menus, GameMenuFromPlayReachesEveryRow) {
    ASSERT_TRUE(game.start()); // the save goes into the game's own folder
    testing::turn_driver driver;
    driver.add_player(5, 5);
    driver.give_keyboard_layout();
    auto open_game_menu = [&] {
        driver.press_command(GAME_MENU);
        ASSERT_EQ(game_mode, mode_menu);
        ASSERT_EQ(menu.id, menu_game);
    };
    auto pick = [&](const std::string& text) {
        open_game_menu();
        for (int i = 0; i < 20 && selected_text() != text; ++i)
            driver.press(key_down);
        ASSERT_EQ(selected_text(), text);
        driver.press(key_enter);
    };
    open_game_menu();
    EXPECT_EQ(selected_text(), "RESUME");
    EXPECT_TRUE(menu.title.empty());
    driver.press(key_escape);
    EXPECT_EQ(game_mode, mode_main);
    pick("RESUME");
    EXPECT_EQ(game_mode, mode_main);
    pick("HELP");
    EXPECT_EQ(game_mode, mode_help);
    driver.press(key_escape);
    EXPECT_EQ(game_mode, mode_menu);
    driver.press(key_escape);
    pick("SETTINGS");
    EXPECT_EQ(menu.id, menu_settings);
    driver.press(key_escape);
    EXPECT_EQ(menu.id, menu_game);
    EXPECT_EQ(selected_text(), "SETTINGS");
    driver.press(key_escape);
    pick("KEYBINDINGS");
    EXPECT_EQ(menu.id, menu_keybindings);
    driver.press(key_escape);
    EXPECT_EQ(menu.id, menu_game);
    EXPECT_EQ(selected_text(), "KEYBINDINGS");
    driver.press(key_escape);
    pick("MANUAL");
    EXPECT_EQ(menu.id, menu_game);
    driver.press(key_escape);
    pick("SAVE GAME & QUIT");
    EXPECT_TRUE(quit_requested());
}

TEST_F(Menus, GameMenuReturnsToTheMainMenu) {
    ASSERT_TRUE(game.start());
    testing::turn_driver driver;
    driver.add_player(5, 5);
    driver.press_command(GAME_MENU);
    driver.press(key_end);
    driver.press(key_up);
    ASSERT_EQ(selected_text(), "RETURN TO MAIN MENU");
    driver.press(key_enter);
    ASSERT_EQ(game_mode, mode_dialog) << "the game in progress is not left without a question";
    driver.press(key_right);
    driver.press(key_enter);
    EXPECT_EQ(game_mode, mode_menu);
    EXPECT_EQ(menu.id, menu_main);
    EXPECT_EQ(player, 0);
}

// An editable row as the creation menus make them: the name row.
void name_menu() {
    begin_menu(menu_race);
    tmenu_item heading = blank_menu_item;
    heading.heading = "N A M E";
    add_menu_item(heading);
    tmenu_item name = blank_menu_item;
    name.text = "Ulla";
    name.action = 36;
    name.editable = 1;
    add_menu_item(name);
    menu.page_size = menu.count;
    finish_menu(0);
    set_menu_cursor(2);
    game_mode = mode_menu;
}

TEST_F(Menus, TextEntryEditsTheNameRow) {
    ASSERT_TRUE(game.start());
    name_menu();
    game.screenshot("name_menu"); // drawn as after any key: the rows know where they show
    game.press(key_enter);
    ASSERT_EQ(game_mode, mode_string);
    EXPECT_EQ(string_dialog.text, "Ulla");
    EXPECT_EQ(string_dialog.x, menu_items[2].text_x);
    EXPECT_GT(string_dialog.y, 0);
    EXPECT_EQ(string_dialog.max_length, 20);
    game.screenshot("text_entry");
    // Escape keeps the old text.
    game.press(key_escape);
    EXPECT_EQ(game_mode, mode_menu);
    EXPECT_EQ(menu_items[2].text, "Ulla");

    game.press(key_space);
    for (int i = 0; i < 4; ++i)
        game.press(key_backspace);
    game.press(key_enter); // empty: nothing
    EXPECT_EQ(game_mode, mode_string);
    game.press(key_space);
    game.press(key_enter); // blanks only: nothing
    EXPECT_EQ(game_mode, mode_string);
    game.press_shift('A');
    game.press('B');
    game.press('7');
    game.press(189); // minus
    game.press(104); // keypad 8 types nothing
    game.press(key_space);
    EXPECT_EQ(string_dialog.text, " Ab7- ");
    // Up to 20 characters.
    for (int i = 0; i < 30; ++i)
        game.press('Z');
    EXPECT_EQ(string_dialog.text.size(), 20u);
    game.press(key_backspace);
    game.press(key_enter);
    EXPECT_EQ(game_mode, mode_menu);
    EXPECT_EQ(menu_items[2].text, "Ab7- zzzzzzzzzzzzz") << "trimmed at both ends";
}

TEST_F(Menus, ScreensFitAtTheCommonWindowSizes) {
    ASSERT_TRUE(game.start());
    for (const auto& [w, h] : {std::pair{1280, 720}, std::pair{1920, 1080}, std::pair{2560, 1440}}) {
        screen_bitmap.set_size(w, h);
        const std::string size = std::to_string(w) + "x" + std::to_string(h);
        setup_menu(menu_main);
        game.screenshot("main_menu_" + size);
        // The menu lies inside the screen with its footer.
        EXPECT_GE(menu_items[1].text_y, 0);
        EXPECT_LT(menu_items[1].text_y, h);
        setup_menu(menu_settings);
        game.screenshot("settings_menu_" + size);
        EXPECT_EQ(menu.rows_drawn, menu.visible_rows);
        setup_menu(menu_keybindings);
        game.screenshot("keybindings_menu_" + size);
        const int last = menu.top + menu.rows_drawn - 1;
        EXPECT_LT(menu_items[last].text_y + settings.icon_size, h) << size;
        EXPECT_GT(menu_items[last].text_x, 0) << size;
    }
}

TEST(MenuScreen, AbilityCostShowsRefundAndPriceOrX) {
    EXPECT_EQ(ability_cost_text(4), "X  |  -1");
    EXPECT_EQ(ability_cost_text(11), "+1  |  -2");
    EXPECT_EQ(ability_cost_text(19), "+7  |  -8");
    EXPECT_EQ(ability_cost_text(20), "+8  |  X");
}

} // namespace
} // namespace dravok
