// The file codec every binary game file goes through (database, level files, save game and its
// summary, characters, pantheon): a byte run-length code, a digit XOR, three 64-bit sums stored
// masked in a 30-byte envelope; plus the file header and the size signature. Pure byte work: the
// files themselves are read and written by world/data_files. Called by the loaders and savers of
// those files and by the content tools.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "records/byte_stream.h"
#include "records/layout.h"

namespace dravok {

// The release of this build, written into every file header and the error log.
inline constexpr uint32_t game_release = 15;

// "PK", the plain length and three sums around the body.
inline constexpr std::size_t encoded_overhead = 30;

// The 32-digit key of the XOR, built from the stored key string.
extern const std::string_view file_key;

// The sums read from a file's trailer (unmasked) and the sums computed while decoding; after
// encoding, the stored set holds the encoder's own sums.
extern std::array<uint64_t, 3> stored_checksums;
extern std::array<uint64_t, 3> computed_checksums;

// Replaces the plain content by its encoded form; the position is left at the end.
void encode_stream(tbyte_stream& stream);

// Replaces an encoded content by the plain data, fills both sum sets and rewinds to 0. The sums
// are not judged here. False for a file that cannot be an encoding at all (shorter than the
// envelope, no "PK", a plain length the body cannot hold or does not decode to): the stream is
// then empty and the two sum sets differ, so the caller's sum test fails as well. The plain data
// is built in room's reserved space where it fits (a caller may prepare that memory).
bool decode_stream(tbyte_stream& stream, std::vector<uint8_t> room = {});

// The plain length an encoded content's trailer claims, for preparing room: 0 for one shorter
// than the envelope or claiming more than its body could yield. decode_stream judges the rest.
std::size_t claimed_plain_length(const tbyte_stream& stream);

// The stored sums equal the computed ones (no message: the file's reader decides).
bool checksums_equal();

// The low 32 bits XOR the ordinal's mask (ordinals 1..3), the high 32 bits unchanged.
uint64_t checksum_mask(int ordinal, uint64_t value);

void write_file_header(tbyte_stream& stream, uint32_t release, uint32_t length);
bool check_file_header(tbyte_stream& stream, uint32_t release, uint32_t length);

// The sizes of the fourteen record kinds stored raw (layout's size_signature).
void fill_size_signature(uint32_t (&out)[size_signature_count]);
bool check_size_signature(const uint32_t (&signature)[size_signature_count]);

} // namespace dravok
