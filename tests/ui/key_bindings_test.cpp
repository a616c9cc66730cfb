// Key bindings: look-ups, texts, and the bindings file read back, damaged and missing.
#include "ui/key_bindings.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

#include "platform/files.h"

namespace dravok {
namespace {

namespace fs = std::filesystem;

class KeyBindings : public ::testing::Test {
  protected:
    void SetUp() override {
        reset_keybindings();
        dir = fs::temp_directory_path() /
              ("dravok_keys_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "Keybindings.txt").string();
    }
    void TearDown() override {
        fs::remove_all(dir);
        reset_keybindings();
    }
    std::string read_all() {
        std::ifstream f(path, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    void write_all(const std::string& text) {
        std::ofstream f(path, std::ios::binary);
        f << text;
    }
    fs::path dir;
    std::string path;
};

TEST_F(KeyBindings, TablesHoldEveryCommandAndKeyName) {
    EXPECT_EQ(std::string_view(command_names[MOVE_N]), "MOVE_N");
    EXPECT_EQ(std::string_view(command_names[QUICKSLOT_01]), "QUICKSLOT_01");
    EXPECT_EQ(std::string_view(command_names[QUICKSLOT_20]), "QUICKSLOT_20");
    EXPECT_EQ(std::string_view(command_names[MAPSHOT]), "MAPSHOT");
    EXPECT_EQ(command_labels[QUICKSLOT_20], "Quick|20");
    EXPECT_EQ(command_descriptions[QUICKSLOT_01 + 9], "Quickslot 10");
    EXPECT_EQ(command_help_texts[QUICKSLOT_01 + 9], "Use quickslot 10 or set it if the slot is empty.");
    EXPECT_NE(command_help_texts[EXPLORE].find("you\x92re"), std::string::npos);
    for (int c = 1; c <= command_count; ++c) {
        EXPECT_FALSE(std::string_view(command_names[c]).empty()) << c;
        EXPECT_EQ(command_by_name(command_names[c]), c);
        EXPECT_NE(keybinding_defaults[c][0].key, 0) << "every command has a default binding 1";
    }
    EXPECT_EQ(key_names[key_name_count], "9");
    EXPECT_EQ(key_code_from_text("ESC"), 27);
    EXPECT_EQ(key_code_from_text("ESCAPE"), 27);
    EXPECT_EQ(key_name(27), "ESC");
    EXPECT_EQ(key_code_from_text("<"), 226);
    EXPECT_EQ(key_code_from_text("  F12 "), 123);
    EXPECT_EQ(key_code_from_text("#120"), 120);
    EXPECT_EQ(key_code_from_text("$78"), 120);
    EXPECT_EQ(key_code_from_text("#256"), 0);
    EXPECT_EQ(key_code_from_text("#12x"), 0);
    EXPECT_EQ(key_code_from_text("esc"), 0);
    EXPECT_EQ(key_code_from_text(""), 0);
    // Group ranges cover 1..53 without gaps.
    int next = 1;
    for (int g = 1; g <= command_group_count; ++g) {
        EXPECT_EQ(command_group_ranges[g][0], next);
        next = command_group_ranges[g][1] + 1;
    }
    EXPECT_EQ(next, command_count + 1);
}

TEST_F(KeyBindings, LookUpsFollowBindingsAndModifiers) {
    EXPECT_EQ(command_for_key(104, 0), MOVE_N); // NUMPAD_8
    EXPECT_EQ(command_for_key(key_up, 0), MOVE_N);
    EXPECT_EQ(command_for_key(key_up, key_shift), MOVE_NE);
    EXPECT_EQ(command_for_key(116, key_ctrl), SCREENSHOT);
    EXPECT_EQ(command_for_key(116, 0), QUICKSLOT_01 + 14); // F5 alone is quickslot 15
    EXPECT_EQ(command_for_key(key_up, key_ctrl), 0);
    EXPECT_EQ(command_for_key('1', 0), QUICKSLOT_01);
    EXPECT_EQ(command_for_key('0', 0), QUICKSLOT_01 + 9);
    EXPECT_EQ(command_for_key(112, 0), QUICKSLOT_01 + 10); // F1
    EXPECT_EQ(command_for_key(0, 0), 0);
    // Any modifier for the movement look-up; cardinal only skips diagonals.
    EXPECT_EQ(movement_command_for_key(key_up, false), MOVE_N);
    EXPECT_EQ(movement_command_for_key(105, false), MOVE_NE);
    EXPECT_EQ(movement_command_for_key(105, true), 0);
    EXPECT_EQ(movement_command_for_key('G', false), 0);
    // Two commands on one key: the lower number wins.
    keybindings[YELL][1] = {key_up, 0};
    EXPECT_EQ(command_for_key(key_up, 0), MOVE_N);
    keybindings[MOVE_N][1] = {};
    EXPECT_EQ(command_for_key(key_up, 0), YELL);
}

TEST_F(KeyBindings, BindingTexts) {
    EXPECT_EQ(binding_text(key_up, key_shift, 0, false, false, 0), "SHIFT + ARROW_UP");
    EXPECT_EQ(binding_text(27, 0, 0, false, false, 0), "ESC");
    EXPECT_EQ(binding_text(0, 0, MOVE_NE, false, false, 2), "SHIFT + ARROW_UP");
    EXPECT_EQ(binding_text(0, 0, MOVE_NE, false, true, 2), "S+ARROW_UP");
    EXPECT_EQ(binding_text(0, 0, MOVE_NE, true, false, 0), "[[ NUMPAD 9 ]] or [[ SHIFT ]] + [[ ARROW UP ]]");
    EXPECT_EQ(binding_text(0, 0, SCREENSHOT, true, true, 0), "[[ C ]]+[[ F5 ]]");
    EXPECT_EQ(binding_text(0, 0, YELL, false, false, 2), "");
    EXPECT_EQ(binding_text(0, 0, YELL, true, false, 0), "[[ Y ]]");
    EXPECT_EQ(binding_text(0, 0, 99, true, false, 0), "");
}

TEST_F(KeyBindings, MissingFileIsWrittenWithDefaultsInItsFormat) {
    keybindings[YELL][0] = {'K', 0};
    load_keybindings(path);
    EXPECT_EQ(keybindings, keybinding_defaults);
    std::string text = read_all();
    const std::string head = "|===[ MOVEMENT ]";
    ASSERT_EQ(text.rfind(head, 0), 0u);
    EXPECT_EQ(text.substr(0, 82), head + std::string(80 - head.size(), '=') + "\r\n");
    EXPECT_NE(text.find("\r\n\r\n| Move northeast\r\n|\r\naction........ MOVE_NE\r\n"
                        "binding_1..... NUMPAD_9\r\nbinding_2..... SHIFT + ARROW_UP\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("action........ GAME_MENU\r\nbinding_1..... ESC\r\nbinding_2..... #0\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("|===[ TARGETING / RANGED ATTACKS ]===="), std::string::npos);
    // The file ends with the last group's two empty lines.
    EXPECT_TRUE(text.ends_with("binding_1..... CTRL + F6\r\nbinding_2..... #0\r\n\r\n\r\n\r\n"));
}

TEST_F(KeyBindings, RoundTripKeepsChangedAndClearedBindings) {
    keybindings[MOVE_N][0] = {'K', key_alt};
    keybindings[MOVE_N][1] = {};     // cleared by the player: stays cleared
    keybindings[YELL][1] = {186, 0}; // a key with no name
    keybindings[HELP][0] = {27, key_shift};
    ASSERT_TRUE(save_keybindings(path));
    auto saved = keybindings;
    reset_keybindings();
    load_keybindings(path);
    EXPECT_EQ(keybindings, saved);
    EXPECT_EQ(command_for_key(key_up, 0), 0);
    EXPECT_EQ(command_for_key(186, 0), YELL);
}

TEST_F(KeyBindings, DamagedFileLeavesBadBindingsUnboundAndOthersDefault) {
    write_all("garbage without structure\n" + std::string(1 << 20, 'x') + "\n" +
              "action........ SWAP_WEAPONS\n"
              "binding_1..... \xe9\xff\x80\n" // bytes above 127: no key name
              "\x01\x02\xff binary noise\r\n"
              "action........ MOVE_N\n"
              "binding_1..... #300\n"      // code above 255: unbound
              "binding_2..... NOT_A_KEY\n" // unknown name: unbound
              "action........ MOVE_E\n"
              "binding_1..... SHIFT + ARROW_UP\n"
              "binding_2..... #120\n"
              "action........ MOVE_S\n"
              "binding_1..... -\n" // minus: default
              "binding_2.....\n"   // empty value: default
              "action........ MOVE_W\n"
              "binding_1..... A + B\n" // not a modifier: unbound
              "binding_3..... $78\n"   // no third binding
              "binding_2..... $4B\n"
              "action........ move_n\n" // wrong case: no command
              "binding_1..... K\n"
              "binding_1..... J\n" // still no current command
              "action........ YELL\n"
              "binding_1..... ESCAPE\n"
              "binding_2..... #0\n"
              "action.................\n"
              "binding_9999999999999999999 #1\n"
              "#action........ GAME_MENU\n"
              "binding_1..... $FFFFFFFFFFFFFFFFFFFFFF\n");
    load_keybindings(path);
    auto expected = keybinding_defaults;
    expected[MOVE_N][0] = {};
    expected[MOVE_N][1] = {};
    expected[MOVE_W][0] = {};
    expected[SWAP_WEAPONS][0] = {};
    expected[MOVE_E][0] = {key_up, key_shift};
    expected[MOVE_E][1] = {120, 0};
    expected[MOVE_W][1] = {'K', 0};
    // The commented action line leaves YELL current: the last line's code out of range unbinds it.
    expected[YELL][0] = {};
    expected[YELL][1] = {};
    EXPECT_EQ(keybindings, expected);
}

TEST_F(KeyBindings, EmptyAndTruncatedFiles) {
    write_all("");
    keybindings[YELL][0] = {'K', 0};
    load_keybindings(path);
    EXPECT_EQ(keybindings, keybinding_defaults);
    write_all("action........ YELL\nbinding_1..... SHI");
    load_keybindings(path);
    auto expected = keybinding_defaults;
    expected[YELL][0] = {}; // the cut name is no key
    EXPECT_EQ(keybindings, expected);
}

TEST_F(KeyBindings, AWriteThatFailsHalfwayKeepsThePreviousFile) {
    keybindings[YELL][0] = {'K', 0};
    ASSERT_TRUE(save_keybindings(path));
    const std::string before = read_all();
    // The disk fills after half the text: the save fails and the player's file is untouched.
    reset_keybindings();
    set_write_limit_for_tests(before.size() / 2);
    EXPECT_FALSE(save_keybindings(path));
    set_write_limit_for_tests(std::nullopt);
    EXPECT_EQ(read_all(), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1)
        << "no stray part file";
    load_keybindings(path);
    EXPECT_EQ(keybindings[YELL][0].key, 'K');
}

TEST_F(KeyBindings, AnEmptyOrUnreadableFileIsWrittenAfreshWithTheDefaults) {
    const std::string defaults = [&] {
        reset_keybindings();
        save_keybindings(path);
        return read_all();
    }();
    for (const char* what : {"empty", "fifo", "folder"}) {
        SCOPED_TRACE(what);
        fs::remove_all(path);
        if (std::string(what) == "empty") {
            write_all("");
        } else if (std::string(what) == "fifo") {
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        }
        keybindings[YELL][0] = {'K', 0};
        if (std::string(what) != "folder") {
            load_keybindings(path); // a FIFO is refused at once, never waited on
            EXPECT_EQ(keybindings, keybinding_defaults);
            EXPECT_EQ(read_all(), defaults);
        } else {
            fs::create_directories(path);
            load_keybindings(path); // cannot be replaced: the defaults hold for this run
            EXPECT_EQ(keybindings, keybinding_defaults);
            EXPECT_TRUE(fs::is_directory(path));
        }
    }
}

} // namespace
} // namespace dravok
