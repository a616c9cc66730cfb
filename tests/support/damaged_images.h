// Picture files made byte by byte for the damaged-file tests: Windows bitmap headers with any
// sides, depth and length, and PNG files of blank rows with any sides (a valid 32767 x 32767
// one-bit PNG is only about 130 KB).
#pragma once
#include <cstdint>
#include <vector>

namespace dravok::testing {

// A bitmap file header and info header (no palette) followed by zeros up to `total_size` bytes.
std::vector<uint8_t> bmp_file(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                              std::size_t total_size);

// A grey PNG of blank rows; `keep_data_bytes` cuts the compressed data short (0 = keep it all).
std::vector<uint8_t> blank_png(uint32_t width, uint32_t height, uint8_t bit_depth,
                               std::size_t keep_data_bytes = 0);

} // namespace dravok::testing
