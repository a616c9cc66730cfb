// Picture files: PNG read and write through libpng (title pictures, screenshots, map images) and
// the BMP read of the tile sheet. Called by the world's picture services and the tile-set loader.
// Paths are game text (Windows-1252) as in files.h.
//
// Every read checks a picture's sides against the caps below and against the file's size before
// anything is allocated, so a damaged or hostile header can never ask for gigabytes.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/bitmap.h"

namespace dravok {

// The largest picture the game reads: far beyond any sheet or title picture it ships (the tile
// sheet is about 8 million pixels), small enough that one decoded copy stays near 128 MB.
inline constexpr int64_t max_image_side = 16384;
inline constexpr int64_t max_image_pixels = int64_t(1) << 25;

// No picture file within the caps needs more bytes than this (32-bit pixels and some room).
inline constexpr std::size_t max_image_file_bytes =
    std::size_t(max_image_pixels) * 4 + (std::size_t(1) << 20);

// Both sides positive and within the caps.
bool image_size_allowed(int64_t width, int64_t height);

// Reads a PNG of any colour type into `out` (alpha is dropped: pixels are composed over black).
// False, with `out` untouched, when the file is missing, not a regular file, damaged or too large.
bool read_png(std::string_view path, Bitmap& out);
// Writes the bitmap as an 8-bit RGB PNG. False when the file cannot be written.
bool write_png(std::string_view path, const Bitmap& bitmap);
// Reads a Windows bitmap file (any depth and compression SDL reads) into `out`. False when
// missing, not a regular file, damaged or too large.
bool read_bmp(std::string_view path, Bitmap& out);

// The pixel rows of a Windows bitmap as its header describes them, checked against the file.
struct tbmp_layout {
    int width = 0, height = 0; // height positive; `bottom_up` tells the row order
    bool bottom_up = true;
    int bits = 0;
    uint32_t compression = 0;
    std::size_t offset = 0; // of the first pixel row in the file
    std::size_t stride = 0; // bytes per row, for uncompressed files
};
// False when the header is damaged, the picture is beyond the caps, or the file is too short to
// hold the pixels the header promises.
bool parse_bmp_layout(std::span<const uint8_t> file, tbmp_layout& out);
// The same from the file's first bytes (`bmp_header_bytes` of them, or all of a shorter file)
// and its size, for a file whose pixels are read later a row at a time.
inline constexpr std::size_t bmp_header_bytes = 64;
bool parse_bmp_layout(std::span<const uint8_t> header, uint64_t file_size, tbmp_layout& out);

} // namespace dravok
