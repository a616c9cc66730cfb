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
#include "world/game_lists.h"
#include "world/globals.h"
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

TEST_F(CharactersFile, DamagedFilesAreDeleted) {
    save_characters(sheet("Morwen"), true);
    const std::vector<char> good = bytes();
    std::vector<char> flipped = good;
    flipped[good.size() / 2] ^= 0x5A;
    std::vector<char> garbage(good.size(), 'x');
    const std::vector<char> truncated(good.begin(), good.begin() + long(good.size() / 3));
    for (const std::vector<char>& damaged : {flipped, garbage, truncated, std::vector<char>{}}) {
        write(damaged);
        load_characters();
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
    load_characters();
    EXPECT_EQ(past_characters.size(), 1u);
    EXPECT_FALSE(fs::exists(path()));
}

} // namespace
} // namespace dravok
