// See damaged_images.h.
#include "support/damaged_images.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string_view>

namespace dravok::testing {
namespace {

constexpr std::size_t bmp_headers_size = 54;

template <class T> void put(std::vector<uint8_t>& b, std::size_t at, T v) {
    std::memcpy(b.data() + at, &v, sizeof v);
}

void put_be32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

void chunk(std::vector<uint8_t>& out, std::string_view type, const std::vector<uint8_t>& data) {
    put_be32(out, uint32_t(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    put_be32(out, uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
}

// The rows streamed through deflate a row at a time, so even a gigabyte of blank rows costs
// little memory.
std::vector<uint8_t> deflate_blank_rows(std::size_t row_bytes, uint32_t rows) {
    z_stream z{};
    deflateInit(&z, Z_BEST_COMPRESSION);
    const std::vector<uint8_t> row(row_bytes, 0); // filter byte 0 and blank pixels
    std::vector<uint8_t> out;
    std::vector<uint8_t> buffer(1 << 16);
    for (uint32_t r = 0; r <= rows; ++r) {
        const bool last = r == rows;
        z.next_in = const_cast<Bytef*>(row.data());
        z.avail_in = last ? 0 : uInt(row.size());
        do {
            z.next_out = buffer.data();
            z.avail_out = uInt(buffer.size());
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            out.insert(out.end(), buffer.data(), buffer.data() + (buffer.size() - z.avail_out));
        } while (z.avail_out == 0 || (last && z.avail_in > 0));
    }
    deflateEnd(&z);
    return out;
}

} // namespace

std::vector<uint8_t> bmp_file(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                              std::size_t total_size) {
    std::vector<uint8_t> b(std::max(total_size, bmp_headers_size), 0);
    b[0] = 'B';
    b[1] = 'M';
    put<uint32_t>(b, 2, uint32_t(total_size));
    put<uint32_t>(b, 10, uint32_t(bmp_headers_size));
    put<uint32_t>(b, 14, 40);
    put<int32_t>(b, 18, width);
    put<int32_t>(b, 22, height);
    put<uint16_t>(b, 26, 1);
    put<uint16_t>(b, 28, bits);
    put<uint32_t>(b, 30, compression);
    b.resize(total_size);
    return b;
}

std::vector<uint8_t> blank_png(uint32_t width, uint32_t height, uint8_t bit_depth,
                               std::size_t keep_data_bytes) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    put_be32(header, width);
    put_be32(header, height);
    header.insert(header.end(), {bit_depth, 0 /* grey */, 0, 0, 0});
    chunk(out, "IHDR", header);
    std::vector<uint8_t> data = deflate_blank_rows(1 + (std::size_t(width) * bit_depth + 7) / 8, height);
    if (keep_data_bytes > 0 && keep_data_bytes < data.size()) data.resize(keep_data_bytes);
    chunk(out, "IDAT", data);
    chunk(out, "IEND", {});
    return out;
}

} // namespace dravok::testing
