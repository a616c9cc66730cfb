// Reading and writing the game's encoded files, and the two fatal file messages: the part of the
// file codec that touches the disk and the player. Called by the loaders and savers of the
// database, level files, saves, characters and pantheon, and by the tile-set loader.
#pragma once
#include <string_view>

#include "records/byte_stream.h"

namespace dravok {

// The stored sums equal the computed ones; otherwise the corrupted-file message and false.
bool checksums_match(std::string_view path);

// decode_stream with the plain data's memory readied at once: the files read at start-up
// decode to megabytes, mostly runs of zeros.
bool decode_in_prepared_room(tbyte_stream& stream);

// Reading and writing a whole encoded file. read_encoded_file loads the file and decodes it;
// "corrupt" covers a refused envelope and unequal sums alike (no message: the caller decides).
// On "ok" the stream holds the plain data at position 0.
enum class tencoded_read { ok, missing, corrupt };
tencoded_read read_encoded_file(std::string_view path, tbyte_stream& stream);
// Encodes the plain content of the stream and writes it; false when the file cannot be written.
bool write_encoded_file(std::string_view path, tbyte_stream& stream);

// Message box and quit request for a file that must exist, or that is damaged.
void fatal_missing_file(std::string_view path);
// The same for a path that holds something that cannot be read as a file (a folder, a file without
// read rights): the missing-file message when nothing is there, else "Could not read file".
void fatal_unreadable_file(std::string_view path);
void fatal_corrupt_data_file(std::string_view path);
// A message box for a file that could not be written; the game goes on.
void report_unwritten_file(std::string_view path);

} // namespace dravok
