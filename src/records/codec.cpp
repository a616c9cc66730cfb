#include "records/codec.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace dravok {

namespace {

// The stored key string. Files are exchangeable only between builds that share it.
constexpr std::string_view key_string = "7410099396340310389253280203333993296719990415705688126";
static_assert(key_string.size() == 55);

struct tpiece {
    std::size_t start;
    std::size_t length;
};

// The file key: four pieces of the key string, 32 digits in all.
constexpr std::array<tpiece, 4> file_key_pieces = {{{3, 9}, {20, 7}, {40, 8}, {12, 8}}};

constexpr std::array<char, 32> make_file_key() {
    std::array<char, 32> key{};
    std::size_t at = 0;
    for (const tpiece& p : file_key_pieces)
        for (std::size_t i = 0; i < p.length; ++i)
            key[at++] = key_string[p.start + i];
    return key;
}
constexpr std::array<char, 32> file_key_digits = make_file_key();

// The checksum masks: pieces of 2, 2, 1 and 2 digits, their positions chosen by the ordinal.
constexpr std::array<std::array<std::size_t, 4>, 3> mask_piece_starts = {{
    {5, 31, 17, 48},
    {9, 27, 44, 1},
    {14, 36, 22, 51},
}};
constexpr std::array<std::size_t, 4> mask_piece_lengths = {2, 2, 1, 2};

constexpr uint32_t make_mask(int ordinal) {
    uint32_t mask = 0;
    for (std::size_t p = 0; p < 4; ++p)
        for (std::size_t i = 0; i < mask_piece_lengths[p]; ++i)
            mask = mask * 10 + static_cast<uint32_t>(key_string[mask_piece_starts[ordinal - 1][p] + i] - '0');
    return mask;
}
constexpr std::array<uint32_t, 3> checksum_masks = {make_mask(1), make_mask(2), make_mask(3)};

// The key digits for a body of m bytes: the decimal m followed by the file key, taken from the
// last character to the first.
std::vector<uint8_t> key_digits(std::size_t body_length) {
    std::string s = std::to_string(body_length);
    s.append(file_key_digits.data(), file_key_digits.size());
    std::vector<uint8_t> d(s.size());
    for (std::size_t i = 0; i < s.size(); ++i)
        d[i] = static_cast<uint8_t>(s[s.size() - 1 - i] - '0');
    return d;
}

// XOR with two walking indexes: f forward over all n digits for even positions, g backward
// over digits n-1..1 for odd ones. Position, f and g all return to their start together after
// n(n-1) bytes, so the key is laid out once for that period and applied block by block.
// Returns the sum of the bytes as they stand in the file (after the XOR when encoding).
uint64_t xor_body(uint8_t* body, std::size_t m, bool encoding) {
    const std::vector<uint8_t> d = key_digits(m);
    const std::size_t n = d.size();
    std::vector<uint8_t> key(n * (n - 1));
    std::size_t f = 0;
    std::size_t g = n - 1;
    for (std::size_t j = 0; j < key.size(); ++j) {
        key[j] = (j % 2 == 0) ? d[f] : d[g];
        f = (f + 1 == n) ? 0 : f + 1;
        g = (g - 1 == 0) ? n - 1 : g - 1;
    }
    uint64_t sum = 0;
    for (std::size_t start = 0; start < m; start += key.size()) {
        const std::size_t block = std::min(key.size(), m - start);
        uint8_t* p = body + start;
        uint32_t block_sum = 0; // at most 1056 bytes of 255: no overflow
        if (encoding) {
            for (std::size_t k = 0; k < block; ++k) {
                p[k] ^= key[k];
                block_sum += p[k];
            }
        } else {
            for (std::size_t k = 0; k < block; ++k) {
                block_sum += p[k];
                p[k] ^= key[k];
            }
        }
        sum += block_sum;
    }
    return sum;
}

uint64_t read_u64_at(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

void refuse(tbyte_stream& stream) {
    stream.clear();
    stored_checksums = {0, 0, 0};
    computed_checksums = {~0ull, ~0ull, ~0ull};
}

} // namespace

const std::string_view file_key(file_key_digits.data(), file_key_digits.size());

std::array<uint64_t, 3> stored_checksums{};
std::array<uint64_t, 3> computed_checksums{};

uint64_t checksum_mask(int ordinal, uint64_t value) {
    if (ordinal < 1 || ordinal > 3) return value;
    return value ^ checksum_masks[ordinal - 1];
}

void encode_stream(tbyte_stream& stream) {
    const std::vector<uint8_t> plain = stream.take();
    const std::size_t length = plain.size();
    uint64_t sum1 = 0;
    for (uint8_t b : plain)
        sum1 += b;

    // The file is built in one buffer: "PK", the body, the trailer. Runs of two make the body
    // at most half again as long as the plain data.
    std::vector<uint8_t> file(2 + length + length / 2 + 3 + 28);
    file[0] = 'P';
    file[1] = 'K';
    uint8_t* body = file.data() + 2;

    // Run-length pass: b alone, or b b k for a run of k = 2..255.
    std::size_t m = 0;
    uint64_t sum2 = 0;
    for (std::size_t i = 0; i < length;) {
        const uint8_t b = plain[i];
        std::size_t k = 1;
        while (k < 255 && i + k < length && plain[i + k] == b)
            ++k;
        if (k == 1) {
            body[m++] = b;
            sum2 += b;
        } else {
            body[m++] = b;
            body[m++] = b;
            body[m++] = static_cast<uint8_t>(k);
            sum2 += 2u * b + k;
        }
        i += k;
    }

    const uint64_t sum3 = xor_body(body, m, true);

    stored_checksums = {sum1, sum2, sum3};
    file.resize(2 + m);
    stream.assign(std::move(file));
    stream.seek(stream.size());
    stream.write_u32(static_cast<uint32_t>(length));
    for (int ordinal = 1; ordinal <= 3; ++ordinal)
        stream.write_u64(checksum_mask(ordinal, stored_checksums[ordinal - 1]));
}

std::size_t claimed_plain_length(const tbyte_stream& stream) {
    if (stream.size() < encoded_overhead) return 0;
    const std::size_t m = stream.size() - encoded_overhead;
    uint32_t v;
    std::memcpy(&v, stream.data() + 2 + m, 4);
    // A damaged trailer may claim gigabytes: no more than the body could yield is believed.
    return static_cast<uint64_t>(v) > 85ull * m ? 0 : v;
}

bool decode_stream(tbyte_stream& stream, std::vector<uint8_t> room) {
    stored_checksums = {0, 0, 0};
    computed_checksums = {0, 0, 0};
    const std::size_t size = stream.size();
    if (size < encoded_overhead) {
        refuse(stream);
        return false;
    }
    const std::size_t m = size - encoded_overhead;
    const uint8_t* file = stream.data();
    const uint32_t length = [&] {
        uint32_t v;
        std::memcpy(&v, file + 2 + m, 4);
        return v;
    }();
    for (int ordinal = 1; ordinal <= 3; ++ordinal)
        stored_checksums[ordinal - 1] = checksum_mask(ordinal, read_u64_at(file + 6 + m + 8 * (ordinal - 1)));
    // Three body bytes yield at most 255 plain bytes, so no body can hold more than 85 per byte.
    if (file[0] != 'P' || file[1] != 'K' || static_cast<uint64_t>(length) > 85ull * m) {
        refuse(stream);
        return false;
    }

    // Two spare bytes 0, 1 after the body: a final single 0 then reads as one byte.
    std::vector<uint8_t> body(m + 2);
    std::memcpy(body.data(), file + 2, m);
    body[m] = 0;
    body[m + 1] = 1;
    const uint64_t sum3 = xor_body(body.data(), m, false);

    std::vector<uint8_t> plain = std::move(room);
    plain.assign(length, 0);
    std::size_t produced = 0;
    // The plain bytes' sum is counted as they are made: the plain stream can be large.
    uint64_t sum1 = 0, sum2 = 0;
    bool overlong = false;
    for (std::size_t u = 0; u < m;) {
        const uint8_t b = body[u];
        if (body[u] != body[u + 1]) {
            if (produced < length) {
                plain[produced++] = b;
                sum1 += b;
            } else
                overlong = true;
            sum2 += b;
            ++u;
            continue;
        }
        const std::size_t count = body[u + 2];
        const std::size_t n = std::min(count, length - produced);
        if (n < count) overlong = true;
        // An empty plain buffer has no data pointer at all: nothing may be written to it. The
        // buffer starts zeroed, so a run of zeros (most of a database) needs no writing.
        if (n > 0 && b != 0) std::memset(plain.data() + produced, b, n);
        sum1 += uint64_t(b) * n;
        produced += n;
        sum2 += (count == 1) ? b : 2u * b + count;
        u += (count == 1) ? 1 : 3;
    }
    const bool whole = produced == length && !overlong;

    stream.assign(std::move(plain));
    computed_checksums = {sum1, sum2, sum3};
    if (!whole) {
        refuse(stream);
        return false;
    }
    return true;
}

bool checksums_equal() {
    return stored_checksums == computed_checksums;
}

void write_file_header(tbyte_stream& stream, uint32_t release, uint32_t length) {
    stream.write_u32(release);
    stream.write_u32(length);
}

bool check_file_header(tbyte_stream& stream, uint32_t release, uint32_t length) {
    // The whole stored word must be the release: 0x1000F is not release 15.
    const uint32_t stored_release = stream.read_u32();
    const uint32_t stored_length = stream.read_u32();
    if (stream.failed()) return false;
    return stored_release == (release & 0xFFFFu) && stored_length == length;
}

void fill_size_signature(uint32_t (&out)[size_signature_count]) {
    std::copy(std::begin(size_signature), std::end(size_signature), out);
}

bool check_size_signature(const uint32_t (&signature)[size_signature_count]) {
    return std::equal(std::begin(size_signature), std::end(size_signature), signature);
}

} // namespace dravok
