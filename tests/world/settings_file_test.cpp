// The settings file: lines parsed and formatted, every accepted and refused value on reading, a
// missing file written with the defaults, the menu's change kept across a restart, and damaged
// files that leave every field inside what it accepts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "support/game_start.h"
#include "ui/key_bindings.h"
#include "world/menu_model.h"
#include "world/settings_file.h"
#include "world/settings_record.h"

namespace dravok {
namespace {

namespace fs = std::filesystem;

class SettingsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("dravok_settings_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder / "Data");
        set_program_folder(folder.string());
        settings = tsettings{};
        settings.max_view_height_32 = 41;
        settings.max_view_height_64 = 21;
    }
    void TearDown() override {
        set_program_folder("");
        fs::remove_all(folder);
    }
    void write(const std::string& text) { std::ofstream(folder / "Data" / "Settings.txt") << text; }
    std::string read() const {
        return read_text_file((folder / "Data" / "Settings.txt").string()).value_or("");
    }
    fs::path folder;
};

TEST_F(SettingsFile, LinesParseAndFormatBothWays) {
    const struct {
        const char* line;
        const char* key;
        const char* text;
        int value;
        int flag;
    } cases[] = {
        {"tile_size............. 32", "tile_size", "32", 32, 0},
        {"fullscreen.. yes", "fullscreen", "yes", 0, 1},
        {"game_font............. -", "game_font", "", 0, 0},
        {"tiles.32.horizontal.. 30", "tiles32horizontal", "30", 30, 0},
        {"zoom.................. 12x", "zoom", "12x", 0, 0},
        {"no separator here 12", "", "", 0, 0},
        {"  title_font..........   Georgia Bold  ", "title_font", "Georgia Bold", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        tsetting_row row;
        row.value = 77;
        parse_setting_row(c.line, row);
        EXPECT_EQ(row.key, c.key);
        EXPECT_EQ(row.text, c.text);
        EXPECT_EQ(row.value, c.value);
        EXPECT_EQ(row.flag, c.flag);
    }
    std::string line;
    format_setting_row("tile_size", "", 32, line, no_setting_value);
    EXPECT_EQ(line, "tile_size............. 32");
    format_setting_row("fullscreen", "", no_setting_value, line, 1);
    EXPECT_EQ(line, "fullscreen............ Y");
    format_setting_row("fullscreen", "", no_setting_value, line, 2);
    EXPECT_EQ(line, "fullscreen............ N");
    format_setting_row("default_name", "", no_setting_value, line, no_setting_value);
    EXPECT_EQ(line, "default_name.......... -");
    format_setting_row("game_font", "Verdana", no_setting_value, line, no_setting_value);
    EXPECT_EQ(line, "game_font............. Verdana");
}

TEST_F(SettingsFile, ReadingTakesOnlyAcceptedValues) {
    write("zoom.. 79\r\n"
          "tile_size.. 48\r\n"
          "tiles_32_horizontal.. 31\r\n"
          "tiles_32_vertical.. 43\r\n" // above the screen's maximum of 41
          "tiles_64_vertical.. 21\r\n"
          "tiles.64.horizontal.. 13\r\n"
          "fullscreen.. yes\r\n"
          "push_scroll.. 1\r\n"
          "offscreen_warning.. n\r\n"
          "game_font.. -\r\n"
          "game_font_height.. 31\r\n"
          "title_font.. Georgia Bold\r\n"
          "default_name.. ../Ul*la the Bold and Brave, Second\r\n"
          "no separator 12\r\n"
          "\r\n"
          "unknown_key.. 5\r\n");
    load_settings();
    EXPECT_EQ(settings.zoom, 1.0);
    EXPECT_EQ(settings.tile_size, 32);
    EXPECT_EQ(settings.view_width_32, 31);
    EXPECT_EQ(settings.view_height_32, 17);
    EXPECT_EQ(settings.view_height_64, 21);
    EXPECT_EQ(settings.view_width_64, 11);
    EXPECT_EQ(settings.fullscreen, 1);
    EXPECT_EQ(settings.push_scroll, 0);
    EXPECT_EQ(settings.offscreen_warning, 0);
    EXPECT_EQ(settings.game_font, "Verdana") << "an empty font name falls back to the default";
    EXPECT_EQ(settings.game_font_height, 13);
    EXPECT_EQ(settings.title_font, "Georgia Bold");
    EXPECT_EQ(settings.default_name, "Ulla the Bold and Br") << "what the name field accepts, 20 at most";

    write("zoom.. 150\r\ntile_size.. 64\r\n");
    load_settings();
    EXPECT_EQ(settings.zoom, 1.5);
    EXPECT_EQ(settings.tile_size, 64);
}

TEST_F(SettingsFile, AMissingFileIsWrittenWithTheSettingsInKeyOrder) {
    default_settings();
    load_settings();
    EXPECT_EQ(read(), "check_updates......... N\r\n\r\n"
                      "tile_size............. 32\r\n\r\n"
                      "tiles_32_horizontal... 23\r\n"
                      "tiles_32_vertical..... 17\r\n\r\n"
                      "tiles_64_horizontal... 11\r\n"
                      "tiles_64_vertical..... 9\r\n\r\n"
                      "zoom.................. 100\r\n\r\n"
                      "fullscreen............ N\r\n\r\n"
                      "push_scroll........... N\r\n"
                      "offscreen_warning..... Y\r\n"
                      "auto_map_points....... Y\r\n"
                      "auto_quickslots....... Y\r\n"
                      "auto_use_key.......... Y\r\n"
                      "create_obituary....... N\r\n\r\n"
                      "game_font............. Verdana\r\n"
                      "game_font_height...... 13\r\n\r\n"
                      "title_font............ Georgia\r\n\r\n"
                      "default_name.......... -\r\n");
    // What is written reads back the same.
    settings.zoom = 1.2;
    settings.create_obituary = 1;
    settings.default_name = "Ulla";
    settings.view_height_64 = 13;
    save_settings();
    const tsettings written = settings;
    settings = tsettings{};
    settings.max_view_height_64 = 21;
    load_settings();
    EXPECT_EQ(settings.zoom, written.zoom);
    EXPECT_EQ(settings.create_obituary, 1);
    EXPECT_EQ(settings.default_name, "Ulla");
    EXPECT_EQ(settings.view_height_64, 13);
}

TEST_F(SettingsFile, DamagedFilesLeaveEveryFieldInsideWhatItAccepts) {
    uint32_t seed = 7;
    auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    const char* keys[] = {"zoom",       "tile_size",   "tiles_32_vertical", "game_font_height",
                          "fullscreen", "default_name"};
    for (int run = 0; run < 2000; ++run) {
        std::string text;
        const int lines = int(next() % 12);
        for (int l = 0; l < lines; ++l) {
            if (next() % 3 == 0) {
                text += keys[next() % 6];
                text += std::string(next() % 4, '.') + " ";
            }
            const int length = int(next() % 40);
            for (int i = 0; i < length; ++i)
                text += char(next() >> 24);
            text += "\r\n";
        }
        settings = tsettings{};
        settings.max_view_height_32 = 41;
        apply_settings_text(text);
        ASSERT_TRUE(settings.zoom >= 0.8 && settings.zoom <= 1.5);
        ASSERT_TRUE(settings.tile_size == 32 || settings.tile_size == 64);
        ASSERT_TRUE(settings.view_height_32 >= 17 && settings.view_height_32 <= 41);
        ASSERT_TRUE(settings.game_font_height >= 6 && settings.game_font_height <= 30);
        ASSERT_LE(settings.default_name.size(), 20u);
        ASSERT_FALSE(settings.game_font.empty());
    }
}

TEST(SettingsInPlay, ASettingChangedInTheMenuHoldsAfterARestart) {
    testing::started_game program("settings_in_play");
    if (!program.ready()) FAIL() << "the build has not made Data/ yet";
    ASSERT_TRUE(program.start());
    EXPECT_TRUE(fs::exists(program.folder / "Data" / "Settings.txt")) << "written at the first start";
    auto move_to = [&](const std::string& text) {
        for (int i = 0; i < 40 && menu_items[selected_menu_row()].text != text; ++i)
            program.press(key_down);
        return menu_items[selected_menu_row()].text == text;
    };
    ASSERT_TRUE(move_to("SETTINGS"));
    program.press(key_enter);
    ASSERT_TRUE(move_to("Push-scroll"));
    program.press(key_space);
    ASSERT_EQ(settings.push_scroll, 1);
    ASSERT_TRUE(move_to("Exit"));
    program.press(key_enter);
    const std::string text = read_text_file((program.folder / "Data" / "Settings.txt").string()).value_or("");
    EXPECT_NE(text.find("push_scroll........... Y"), std::string::npos);
    ASSERT_TRUE(program.restart());
    EXPECT_EQ(settings.push_scroll, 1);
}

} // namespace
} // namespace dravok
