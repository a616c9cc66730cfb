#include "world/data_files.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/memory.h"
#include "records/codec.h"
#include "world/error_log.h"

namespace dravok {

bool checksums_match(std::string_view path) {
    if (checksums_equal()) return true;
    fatal_corrupt_data_file(path);
    return false;
}

bool decode_in_prepared_room(tbyte_stream& stream) {
    std::vector<uint8_t> room;
    room.reserve(claimed_plain_length(stream));
    prepare_to_fill(room.data(), room.capacity());
    return decode_stream(stream, std::move(room));
}

tencoded_read read_encoded_file(std::string_view path, tbyte_stream& stream) {
    stream.clear();
    std::optional<std::vector<uint8_t>> file = read_file(path);
    if (!file) return tencoded_read::missing;
    stream.assign(std::move(*file));
    if (!decode_in_prepared_room(stream) || !checksums_equal()) {
        stream.clear();
        return tencoded_read::corrupt;
    }
    return tencoded_read::ok;
}

bool write_encoded_file(std::string_view path, tbyte_stream& stream) {
    encode_stream(stream);
    return write_file(path, std::span<const uint8_t>(stream.bytes()));
}

void fatal_missing_file(std::string_view path) {
    std::string text = "Missing file \"";
    text += path;
    text += "\"! Shutting down.";
    show_fatal_message(text);
}

void fatal_unreadable_file(std::string_view path) {
    if (!entry_exists(path)) {
        fatal_missing_file(path);
        return;
    }
    std::string text = "Could not read file \"";
    text += path;
    text += "\"! Shutting down.";
    show_fatal_message(text);
}

void report_unwritten_file(std::string_view path) {
    std::string text = "Could not write file \"";
    text += path;
    text += "\"!";
    show_message(text);
}

void fatal_corrupt_data_file(std::string_view path) {
    std::string text = "Data file \"";
    text += path;
    text += "\" is corrupted or not compatible with this game version!\r\n\r\nShutting down.";
    show_fatal_message(text);
}

} // namespace dravok
