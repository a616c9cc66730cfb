#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/temp_folder.h"
#include "records/codec.h"
#include "support/memory_cap.h"
#include "world/data_files.h"
#include "world/error_log.h"

namespace dravok {
namespace {

using bytes = std::vector<uint8_t>;

bytes encoded(const bytes& plain) {
    tbyte_stream s(plain);
    s.seek(plain.size());
    encode_stream(s);
    EXPECT_EQ(s.position(), s.size());
    return s.bytes();
}

// The XOR written out from its rule: digits of the body length followed by the key, read from
// the last character; even bytes walk forward over all digits, odd bytes backward over n-1..1.
bytes reference_xor(bytes body) {
    const std::string s = std::to_string(body.size()) + std::string(file_key);
    const std::size_t n = s.size();
    auto digit = [&](std::size_t i) { return static_cast<uint8_t>(s[n - 1 - i] - '0'); };
    for (std::size_t j = 0; j < body.size(); ++j) {
        const std::size_t f = j % n;
        const std::size_t g = n - 1 - (j % (n - 1));
        body[j] ^= (j % 2 == 0) ? digit(f) : digit(g);
    }
    return body;
}

bytes body_of(const bytes& file) {
    return bytes(file.begin() + 2, file.end() - 28);
}

uint64_t trailer_word(const bytes& file, int ordinal) {
    uint64_t v;
    std::memcpy(&v, file.data() + file.size() - 24 + 8 * (ordinal - 1), 8);
    return checksum_mask(ordinal, v);
}

struct Decoded {
    bool ok;
    bytes plain;
};
Decoded decoded(const bytes& file) {
    tbyte_stream s(file);
    const bool ok = decode_stream(s);
    EXPECT_EQ(s.position(), 0u);
    return {ok, s.bytes()};
}

class Codec : public ::testing::Test {
  protected:
    void SetUp() override { clear_quit_request(); }
    void TearDown() override { clear_quit_request(); }
};

TEST_F(Codec, KeyAndMasksHaveTheirFixedForm) {
    EXPECT_EQ(file_key.size(), 32u);
    for (char c : file_key)
        EXPECT_TRUE(c >= '0' && c <= '9');
    for (int ordinal = 1; ordinal <= 3; ++ordinal) {
        const uint64_t v = 0x123456789ABCDEF0ull;
        const uint64_t masked = checksum_mask(ordinal, v);
        EXPECT_EQ(masked >> 32, v >> 32);
        EXPECT_LT((masked ^ v), 10000000u); // a 7-digit mask on the low word
        EXPECT_EQ(checksum_mask(ordinal, masked), v);
    }
    EXPECT_NE(checksum_mask(1, 0), checksum_mask(2, 0));
}

TEST_F(Codec, EmptyStreamIsTheBareEnvelope) {
    const bytes file = encoded({});
    ASSERT_EQ(file.size(), 30u);
    EXPECT_EQ(file[0], 'P');
    EXPECT_EQ(file[1], 'K');
    EXPECT_EQ(file[2] | file[3] | file[4] | file[5], 0); // L = 0
    for (int ordinal = 1; ordinal <= 3; ++ordinal)
        EXPECT_EQ(trailer_word(file, ordinal), 0u);
    const Decoded d = decoded(file);
    EXPECT_TRUE(d.ok);
    EXPECT_TRUE(d.plain.empty());
    EXPECT_TRUE(checksums_match("empty"));
    EXPECT_FALSE(quit_requested());
}

TEST_F(Codec, RunLengthCodeOfRunsAndSingles) {
    struct Case {
        bytes plain;
        bytes body_before_xor;
        uint64_t sum2;
    };
    const uint8_t b = 0xC3;
    const std::vector<Case> cases = {
        {bytes(300, b), {b, b, 255, b, b, 45}, (2u * b + 255) + (2u * b + 45)},
        {bytes(256, b), {b, b, 255, b}, (2u * b + 255) + b},
        {bytes(255, b), {b, b, 255}, 2u * b + 255},
        {{b, b}, {b, b, 2}, 2u * b + 2},
        {{b}, {b}, b},
        {{1, 2, 2, 3, 0}, {1, 2, 2, 2, 3, 0}, 1u + (4 + 2) + 3 + 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.plain.size());
        const bytes file = encoded(c.plain);
        EXPECT_EQ(body_of(file), reference_xor(c.body_before_xor));
        uint64_t sum1 = 0, sum3 = 0;
        for (uint8_t x : c.plain)
            sum1 += x;
        for (uint8_t x : body_of(file))
            sum3 += x;
        EXPECT_EQ(stored_checksums[0], sum1);
        EXPECT_EQ(stored_checksums[1], c.sum2);
        EXPECT_EQ(stored_checksums[2], sum3);
        EXPECT_EQ(trailer_word(file, 2), c.sum2);
        uint32_t length;
        std::memcpy(&length, file.data() + file.size() - 28, 4);
        EXPECT_EQ(length, c.plain.size());

        const Decoded d = decoded(file);
        EXPECT_TRUE(d.ok);
        EXPECT_EQ(d.plain, c.plain);
        EXPECT_EQ(computed_checksums, stored_checksums);
    }
}

TEST_F(Codec, RoundTripsRandomDataAndTrailingZeros) {
    std::mt19937 rng(1234);
    std::vector<bytes> inputs = {{0}, {5, 0}, {0, 0}, {7, 7, 0}, {0, 1}, {1, 0, 0, 0}};
    for (std::size_t size : {1u, 2u, 3u, 29u, 30u, 31u, 1000u, 65537u}) {
        bytes noise(size);
        for (auto& x : noise)
            x = static_cast<uint8_t>(rng());
        inputs.push_back(noise);
        bytes runs; // long and short runs of few values
        while (runs.size() < size)
            runs.insert(runs.end(), 1 + rng() % 600, static_cast<uint8_t>(rng() % 3));
        runs.resize(size);
        inputs.push_back(runs);
    }
    for (const bytes& plain : inputs) {
        const Decoded d = decoded(encoded(plain));
        ASSERT_TRUE(d.ok) << plain.size();
        ASSERT_EQ(d.plain, plain);
        ASSERT_EQ(computed_checksums, stored_checksums);
        ASSERT_TRUE(checksums_match("round trip"));
    }
}

// Room prepared from the claimed length: believed only as far as the body could yield it, and
// old bytes in the room never show through the plain data's runs of zeros.
TEST_F(Codec, PreparedRoomHoldsExactlyThePlainData) {
    bytes plain(5000, 0);
    plain[17] = 3;
    plain.insert(plain.end(), {4, 4, 4, 0, 9});
    const bytes file = encoded(plain);
    EXPECT_EQ(claimed_plain_length(tbyte_stream(file)), plain.size());
    EXPECT_EQ(claimed_plain_length(tbyte_stream(bytes(29, 0xEE))), 0u);
    bytes absurd = file;
    const uint32_t huge = 0xFFFFFFFFu;
    std::memcpy(absurd.data() + absurd.size() - 28, &huge, 4);
    EXPECT_EQ(claimed_plain_length(tbyte_stream(absurd)), 0u);

    bytes room(plain.size() + 100, 0xAB);
    tbyte_stream s(file);
    ASSERT_TRUE(decode_stream(s, std::move(room)));
    EXPECT_EQ(s.bytes(), plain);
    EXPECT_EQ(s.position(), 0u);
    EXPECT_EQ(computed_checksums, stored_checksums);
}

TEST_F(Codec, AFlippedBodyByteFailsTheSumsWithTheCorruptMessage) {
    bytes plain(5000);
    for (std::size_t i = 0; i < plain.size(); ++i)
        plain[i] = static_cast<uint8_t>(i * 7 / 13);
    const bytes file = encoded(plain);
    for (std::size_t at : {std::size_t{2}, std::size_t{3}, file.size() / 2, file.size() - 31}) {
        bytes damaged = file;
        damaged[at] ^= 0x10;
        clear_quit_request();
        tbyte_stream s(damaged);
        decode_stream(s); // may or may not decode to the right length; the sums must tell
        EXPECT_NE(computed_checksums[2], stored_checksums[2]) << at;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(checksums_match("Data/Dravok.dbs"));
        EXPECT_EQ(
            ::testing::internal::GetCapturedStderr(),
            "Dravok: Data file \"Data/Dravok.dbs\" is corrupted or not compatible with this game version!"
            "\r\n\r\nShutting down.\n");
        EXPECT_TRUE(quit_requested());
    }
}

TEST_F(Codec, DamagedEnvelopesAreRefusedWithoutACrash) {
    const bytes good = encoded(bytes(100, 9));
    auto with_length = [&](uint32_t length) {
        bytes f = good;
        std::memcpy(f.data() + f.size() - 28, &length, 4);
        return f;
    };
    bytes no_pk = good;
    no_pk[0] = 'Q';
    const std::vector<std::pair<const char*, bytes>> cases = {
        {"0 bytes", {}},
        {"29 bytes", bytes(29, 0xEE)},
        {"absurd length", with_length(0xFFFFFFFFu)},
        {"one byte too long", with_length(101)},
        {"one byte too short", with_length(99)},
        {"no PK", no_pk},
    };
    // An absurd length must be refused before anything is sized by it: under a small memory cap.
    const bytes absurd = with_length(0xFFFFFFFFu);
    const testing::tcapped_run run = testing::run_with_memory_cap(64 * testing::mebibyte, [&] {
        tbyte_stream s(absurd);
        return decode_stream(s) ? 1 : 0;
    });
    EXPECT_TRUE(run.finished) << "the stored length was trusted";
    EXPECT_EQ(run.result, 0);
    for (const auto& [name, file] : cases) {
        SCOPED_TRACE(name);
        tbyte_stream s(file);
        EXPECT_FALSE(decode_stream(s));
        EXPECT_EQ(s.size(), 0u);
        EXPECT_NE(computed_checksums, stored_checksums);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(checksums_match(name));
        ::testing::internal::GetCapturedStderr();
    }
    // Garbage of every small length and some large ones: decoded or refused, never a crash.
    std::mt19937 rng(99);
    for (int i = 0; i < 3000; ++i) {
        bytes garbage(i < 200 ? i : rng() % 5000);
        for (auto& x : garbage)
            x = static_cast<uint8_t>(rng());
        if (garbage.size() >= 2 && i % 2 == 0) garbage[0] = 'P', garbage[1] = 'K';
        tbyte_stream s(garbage);
        const bool ok = decode_stream(s);
        if (ok) {
            ASSERT_LE(s.size(), 255u * garbage.size());
        }
    }
}

TEST_F(Codec, AStoredLengthOfZeroIsAnsweredAsDamage) {
    // The length field reads 0 under a body of runs: "PK" and zeros, and a real encoding whose
    // length was zeroed (as cuts of a database at unlucky places give). Nothing is decoded into
    // the empty plain buffer, and the sums refuse the file.
    const bytes good = encoded(bytes(300, 7));
    bytes zeroed = good;
    std::memset(zeroed.data() + zeroed.size() - 28, 0, 4);
    bytes pk_zeros(100, 0);
    pk_zeros[0] = 'P';
    pk_zeros[1] = 'K';
    testing::TempFolder tmp;
    for (const auto& [name, file] : {std::pair{"PK and zeros", pk_zeros},
                                     {"length zeroed", zeroed},
                                     {"bare PK and zeros", bytes{'P', 'K'}}}) {
        SCOPED_TRACE(name);
        bytes whole = file;
        if (whole.size() < encoded_overhead) whole.resize(encoded_overhead, 0);
        tbyte_stream s(whole);
        decode_stream(s);
        EXPECT_EQ(s.size(), 0u);
        EXPECT_FALSE(checksums_equal());
        ASSERT_TRUE(write_file(tmp / "file", std::string(whole.begin(), whole.end())));
        tbyte_stream read_back;
        EXPECT_EQ(read_encoded_file(tmp / "file", read_back), tencoded_read::corrupt);
    }
}

TEST_F(Codec, FileHeaderAndSizeSignature) {
    tbyte_stream s;
    write_file_header(s, game_release, 576);
    s.rewind();
    EXPECT_TRUE(check_file_header(s, 15, 576));
    s.rewind();
    EXPECT_FALSE(check_file_header(s, 15, 577));

    tbyte_stream wide;
    write_file_header(wide, 65551, 0); // low 16 bits are 15, the word is not
    wide.rewind();
    EXPECT_FALSE(check_file_header(wide, 15, 0));

    tbyte_stream short_header(bytes{15, 0, 0, 0, 0});
    EXPECT_FALSE(check_file_header(short_header, 15, 0));
    EXPECT_TRUE(short_header.failed());

    uint32_t sig[size_signature_count];
    fill_size_signature(sig);
    const uint32_t expected[size_signature_count] = {4656, 1440, 22712, 26856, 246,  36388, 4812,
                                                     916,  16,   48,    1388,  2876, 30008, 1376};
    EXPECT_TRUE(std::equal(std::begin(sig), std::end(sig), std::begin(expected)));
    EXPECT_TRUE(check_size_signature(sig));
    sig[8] = 17;
    EXPECT_FALSE(check_size_signature(sig));
}

TEST_F(Codec, MissingFileMessageRequestsQuit) {
    ::testing::internal::CaptureStderr();
    fatal_missing_file("Data/Dravok.dbs");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Dravok: Missing file \"Data/Dravok.dbs\"! Shutting down.\n");
    EXPECT_TRUE(quit_requested());
}

TEST_F(Codec, WholeFilesAreReadAsOkMissingOrCorrupt) {
    dravok::testing::TempFolder folder;
    tbyte_stream s;
    write_file_header(s, game_release, 0);
    s.write_text("characters");
    ASSERT_TRUE(write_encoded_file(folder / "Characters.dch", s));

    tbyte_stream in;
    ASSERT_EQ(read_encoded_file(folder / "Characters.dch", in), tencoded_read::ok);
    EXPECT_TRUE(check_file_header(in, 15, 0));
    EXPECT_EQ(in.remaining(), 10u);
    EXPECT_EQ(read_encoded_file(folder / "none.dch", in), tencoded_read::missing);

    std::vector<uint8_t> file = read_file(folder / "Characters.dch").value();
    file[4] ^= 1;
    ASSERT_TRUE(write_file(folder / "Characters.dch", std::span<const uint8_t>(file)));
    EXPECT_EQ(read_encoded_file(folder / "Characters.dch", in), tencoded_read::corrupt);
    EXPECT_EQ(in.size(), 0u);
    ASSERT_TRUE(write_file(folder / "Characters.dch", std::string_view("PK")));
    EXPECT_EQ(read_encoded_file(folder / "Characters.dch", in), tencoded_read::corrupt);
    EXPECT_FALSE(quit_requested()); // no message: the caller decides
}

TEST(ByteStream, ReadsAreBoundedAndCountsAreCheckedBeforeUse) {
    tbyte_stream s(bytes{1, 2, 3, 4, 5, 6});
    EXPECT_EQ(s.read_u32(), 0x04030201u);
    EXPECT_FALSE(s.failed());
    EXPECT_TRUE(s.fits(1, 2));
    EXPECT_FALSE(s.fits(2, 2));
    EXPECT_FALSE(s.fits(0xFFFFFFFFFFFFFFFFull, 8));
    EXPECT_EQ(s.read_u32(), 0u); // only two bytes left: zero, failed, at the end
    EXPECT_TRUE(s.failed());
    EXPECT_TRUE(s.at_end());
    uint8_t record[3] = {9, 9, 9};
    EXPECT_FALSE(s.read_record(record));
    EXPECT_EQ(record[0] | record[1] | record[2], 0);

    tbyte_stream w;
    w.write_u16(0xBEEF);
    w.write_u8(7);
    w.seek(0);
    w.write_u8(0xAA); // overwrites in place
    EXPECT_EQ(w.bytes(), (bytes{0xAA, 0xBE, 7}));
}

} // namespace
} // namespace dravok
