// The characters file: the list of past characters written and read back, and damaged files
// deleted without reading past their end.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/byte_stream.h"
#include "records/codec.h"
#include "world/data_files.h"
#include "world/error_log.h"
#include "world/game_lists.h"
#include "world/saves.h"

namespace dravok {
namespace {

namespace fs = std::filesystem;

class CharactersFile : public ::testing::Test {
  protected:
    void SetUp() override {
        set_program_folder(folder_.path());
        fs::create_directories(fs::path(folder_.path()) / "Save");
        past_characters.assign(1, tcharacter{});
    }
    void TearDown() override {
        clear_quit_request();
        past_characters.assign(1, tcharacter{});
        set_program_folder("");
    }
    std::string path() const { return folder_.path() + "Save/Characters.dch"; }
    std::vector<char> bytes() const {
        std::ifstream f(path(), std::ios::binary);
        return std::vector<char>(std::istreambuf_iterator<char>(f), {});
    }
    void write(const std::vector<char>& b) const {
        std::ofstream f(path(), std::ios::binary | std::ios::trunc);
        f.write(b.data(), std::streamsize(b.size()));
    }
    static tcharacter sheet(const char* name) {
        tcharacter c{};
        c.name = name;
        c.race_plan = 3;
        c.date_made = 46000.5;
        return c;
    }
    dravok::testing::TempFolder folder_;
};

TEST_F(CharactersFile, TheLastPlayedAndTheStoredComeBack) {
    save_characters(sheet("Morwen"), true);
    save_characters(sheet("Tobin"), false);
    load_characters();
    ASSERT_EQ(past_characters.size(), 3u);
    EXPECT_EQ(past_characters[1].name.view(), "Tobin") << "the last played";
    EXPECT_EQ(past_characters[2].name.view(), "Morwen") << "the stored one";
}

TEST_F(CharactersFile, AFileThatCannotBeWrittenSaysSo) {
    ::testing::internal::CaptureStderr();
    set_write_limit_for_tests(0);
    save_characters(sheet("Morwen"), true);
    set_write_limit_for_tests(std::nullopt);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("Could not write file \"" + path() + "\"!"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(path()));
    EXPECT_FALSE(quit_requested()) << "the game goes on";
}

TEST_F(CharactersFile, DamagedFilesAreDeleted) {
    save_characters(sheet("Morwen"), true);
    const std::vector<char> good = bytes();
    std::vector<char> flipped = good;
    flipped[good.size() / 2] ^= 0x5A;
    std::vector<char> garbage(good.size(), 'x');
    const std::vector<char> truncated(good.begin(), good.begin() + long(good.size() / 3));
    for (const std::vector<char>& damaged : {flipped, garbage, truncated, std::vector<char>{}}) {
        write(damaged);
        ::testing::internal::CaptureStderr();
        load_characters();
        EXPECT_NE(::testing::internal::GetCapturedStderr().find("is corrupted or not compatible"),
                  std::string::npos);
        EXPECT_EQ(past_characters.size(), 1u);
        EXPECT_FALSE(fs::exists(path()));
    }
}

TEST_F(CharactersFile, ACountBeyondTheFileIsDamage) {
    tbyte_stream stream;
    write_file_header(stream, 15, 0);
    stream.write_u32(uint32_t(checksum_mask(2, 1000000)));
    stream.write_u32(uint32_t(checksum_mask(3, sizeof(tcharacter))));
    stream.write_record(sheet("Morwen"));
    ASSERT_TRUE(write_encoded_file(path(), stream));
    ::testing::internal::CaptureStderr();
    load_characters();
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("is corrupted or not compatible"),
              std::string::npos);
    EXPECT_EQ(past_characters.size(), 1u);
    EXPECT_FALSE(fs::exists(path()));
}

// The creation tables name a past character's race and gender from the type flags: a stored byte
// beyond them is damage, refused like a failed sum, never used as an index.
TEST_F(CharactersFile, ARaceOrGenderBeyondTheTypeFlagsIsDamage) {
    const struct {
        uint8_t race, gender;
        bool kept;
    } cases[] = {{255, 0, false}, {0, 255, false}, {220, 1, false}, {1, 220, false}, {219, 219, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.race) + " " + std::to_string(c.gender));
        clear_quit_request();
        past_characters.assign(1, tcharacter{});
        tcharacter stored = sheet("Morwen");
        stored.race = c.race;
        stored.gender = c.gender;
        save_characters(sheet("Tobin"), true);
        save_characters(stored, true);
        ::testing::internal::CaptureStderr();
        load_characters();
        const std::string shown = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(shown.find("Save/Characters.dch\" is corrupted or not compatible") != std::string::npos,
                  !c.kept)
            << shown;
        EXPECT_EQ(fs::exists(path()), c.kept);
        EXPECT_EQ(past_characters.size(), c.kept ? 4u : 1u);
    }
}

} // namespace
} // namespace dravok
