// Picture files: PNG read and write through libpng (title pictures, screenshots, map images) and
// the BMP read of the tile sheet. Called by the world's picture services and the tile-set loader.
// Paths are game text (Windows-1252) as in files.h.
#pragma once
#include <string_view>

#include "platform/bitmap.h"

namespace dravok {

// Reads a PNG of any colour type into `out` (alpha is dropped: pixels are composed over black).
// False, with `out` untouched, when the file is missing or damaged.
bool read_png(std::string_view path, Bitmap& out);
// Writes the bitmap as an 8-bit RGB PNG. False when the file cannot be written.
bool write_png(std::string_view path, const Bitmap& bitmap);
// Reads a Windows bitmap file (any depth SDL reads) into `out`. False when missing or damaged.
bool read_bmp(std::string_view path, Bitmap& out);

} // namespace dravok
