// The statistics kept across games; see statistics.h.
#include "world/statistics.h"

#include <optional>
#include <vector>

#include "platform/files.h"
#include "records/byte_stream.h"
#include "records/codec.h"

namespace dravok {

tstatistics statistics{};

namespace {

constexpr uint32_t statistics_release = 15;
constexpr std::size_t file_header_size = 8;

std::string statistics_path() {
    return program_folder() + "Data/Dravok.dst";
}

} // namespace

void load_statistics() {
    const std::string path = statistics_path();
    std::optional<std::vector<uint8_t>> file = read_file(path);
    if (!file) return;
    tbyte_stream stream(std::move(*file));
    // Only a file of exactly a header and the record is ours; anything else is rewritten later.
    if (stream.size() != file_header_size + sizeof(tstatistics) ||
        !check_file_header(stream, statistics_release, sizeof(tstatistics))) {
        delete_file(path);
        return;
    }
    stream.read_record(statistics);
}

void save_statistics() {
    tbyte_stream stream;
    write_file_header(stream, statistics_release, sizeof(tstatistics));
    stream.write_record(statistics);
    write_file(statistics_path(), std::span<const uint8_t>(stream.bytes()));
}

void count_game_end(bool won, uint32_t seconds_played) {
    if (won)
        ++statistics.wins;
    else
        ++statistics.deaths;
    statistics.seconds_played += seconds_played;
}

} // namespace dravok
