// Save games; see saves.h.
#include "world/saves.h"

#include "platform/files.h"
#include "records/byte_stream.h"
#include "records/codec.h"
#include "world/data_files.h"
#include "world/globals.h"

namespace dravok {

void save_game() {
    // not built yet: saving the game
}
bool load_game(const std::string&) {
    // not built yet: loading a saved game
    return false;
}
void build_save_list() {
    // not built yet: the list of saved games
}

namespace {

constexpr uint32_t characters_release = 15;
constexpr char characters_file[] = "Save/Characters.dch";

std::string characters_path() {
    return program_folder() + characters_file;
}

} // namespace

void save_characters(const tcharacter& sheet, bool pregenerated) {
    if (past_characters.size() < 2) past_characters.assign(2, tcharacter{});
    if (sheet.race_plan != 0) past_characters[1] = sheet;
    if (pregenerated) {
        if (sheet.index != 0 && sheet.index < past_characters.size())
            past_characters[sheet.index] = sheet;
        else
            past_characters.push_back(sheet);
    }
    const uint32_t count = uint32_t(past_characters.size() - 1);
    tbyte_stream stream;
    write_file_header(stream, characters_release, 0);
    stream.write_u32(uint32_t(checksum_mask(2, count)));
    stream.write_u32(uint32_t(checksum_mask(3, sizeof(tcharacter))));
    for (uint32_t i = 1; i <= count; ++i)
        stream.write_record(past_characters[i]);
    write_encoded_file(characters_path(), stream);
}

void load_characters() {
    past_characters.assign(1, tcharacter{});
    tbyte_stream stream;
    const tencoded_read read = read_encoded_file(characters_path(), stream);
    if (read == tencoded_read::missing) return;
    bool sound = read == tencoded_read::ok && check_file_header(stream, characters_release, 0);
    uint32_t count = 0, size = 0;
    if (sound) {
        count = uint32_t(checksum_mask(2, stream.read_u32()));
        size = uint32_t(checksum_mask(3, stream.read_u32()));
        // A count the file cannot hold is damage too, not a reason to read past its end.
        sound = !stream.failed() && size == sizeof(tcharacter) &&
                count <= stream.remaining() / sizeof(tcharacter);
    }
    if (!sound) {
        delete_file(characters_path());
        return;
    }
    past_characters.assign(count + 1, tcharacter{});
    for (uint32_t i = 1; i <= count; ++i)
        stream.read_record(past_characters[i]);
}

} // namespace dravok
