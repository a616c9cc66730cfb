// The manual: the build writes it beside the game from the game's own texts, and the MANUAL row
// of the main menu opens it with the desktop's viewer, or says where it is when there is none.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/game_start.h"
#include "ui/key_bindings.h"
#include "ui/menus.h"
#include "world/menu_model.h"

namespace dravok {
namespace {

using testing::started_game;
namespace fs = std::filesystem;

const fs::path built_game = fs::path(DRAVOK_DATA_DIR).parent_path();

std::string read_text(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

TEST(ManualFile, TheBuildWritesItFromTheGamesOwnTexts) {
    const std::string pdf = read_text(built_game / "Dravok.pdf");
    ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u) << "no manual beside the game";
    EXPECT_GT(pdf.size(), 10000u);
    // The text the PDF was set from: the journal with its keys filled in, the help hints, the
    // key table, the races with their figures and the talents with their costs.
    const std::string source = read_text(built_game.parent_path() / "manual.ms");
    for (const char* part :
         {"you found my journal", "Walk with NUMPAD 8 or ARROW UP", "Bump into a closed door", "Game menu",
          "Dwarf", "Darkvision: ", "Motion is speed and agility", "Second wind", "Stamina cost: 6.",
          "Talents are the special things"})
        EXPECT_NE(source.find(part), std::string::npos) << part;
    for (const char* part : {"%MOVE_N%", "$d", "[[ ", "Talents:"})
        EXPECT_EQ(source.find(part), std::string::npos) << part;
}

// A stand-in for the desktop's default handler: a folder on PATH whose xdg-open writes the
// file it was asked to open.
class Manual : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!game.ready()) FAIL() << "the build has not made Data/ yet";
        reset_keybindings();
        if (const char* path = std::getenv("PATH")) old_path = path;
        viewer_folder = game.folder.string() + "_viewer";
        fs::create_directories(viewer_folder);
        opened = viewer_folder / "opened.txt";
    }
    void TearDown() override {
        setenv("PATH", old_path.c_str(), 1);
        std::error_code ec;
        fs::remove_all(viewer_folder, ec);
    }
    void install_viewer() {
        const fs::path script = viewer_folder / "xdg-open";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << opened.string()
                              << ".part\"\n/bin/mv \"" << opened.string() << ".part\" \"" << opened.string()
                              << "\"\n";
        fs::permissions(script, fs::perms::owner_all);
    }
    // MANUAL on the main menu, through the window's key path; the terminal's text meanwhile.
    std::string choose_manual() {
        ::testing::internal::CaptureStderr();
        for (int i = 0;
             i < 20 && !(selected_menu_row() >= 1 && menu_items[selected_menu_row()].text == "MANUAL"); ++i)
            game.press(key_down);
        EXPECT_EQ(menu_items[selected_menu_row()].text, "MANUAL");
        game.press(key_enter);
        return ::testing::internal::GetCapturedStderr();
    }
    std::string wait_for_opened() {
        for (int i = 0; i < 100 && !fs::exists(opened); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return read_text(opened);
    }
    started_game game{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::string old_path;
    fs::path viewer_folder, opened;
};

TEST_F(Manual, TheMenuRowOpensItWithTheViewerOrSaysWhereItIs) {
    setenv("PATH", viewer_folder.c_str(), 1);
    install_viewer();
    ASSERT_TRUE(game.start());
    const fs::path manual = game.folder / "Dravok.pdf";

    // Not shipped: the player learns where it belongs; nothing is started.
    EXPECT_NE(choose_manual().find("The manual was not found. It belongs at " + manual.string()),
              std::string::npos);
    EXPECT_EQ(menu.id, menu_main);

    // Shipped: the viewer gets the file, and the menu stays.
    fs::copy_file(built_game / "Dravok.pdf", manual);
    EXPECT_EQ(choose_manual(), "");
    EXPECT_TRUE(fs::equivalent(wait_for_opened(), manual));
    EXPECT_EQ(menu.id, menu_main);

    // No viewer on the system: the message names the file.
    fs::remove(viewer_folder / "xdg-open");
    EXPECT_NE(choose_manual().find("The manual is " + manual.string()), std::string::npos);
}

} // namespace
} // namespace dravok
