#include "platform/image_files.h"

#include <SDL.h>
#include <png.h>

#include <cstring>
#include <new>
#include <optional>
#include <vector>

#include "platform/files.h"

namespace dravok {

namespace {

// Deflate never packs more than 1032 bytes into one, so a PNG whose rows would need a higher
// ratio than that cannot be whole.
constexpr uint64_t deflate_max_ratio = 1032;
// An RLE code pair paints at most 255 pixels in two bytes.
constexpr uint64_t rle_max_pixels_per_byte = 128;

constexpr std::size_t bmp_file_header_size = 14;
constexpr uint32_t bmp_core_header_size = 12;
constexpr uint32_t bmp_info_header_size = 40;

enum bmp_compression : uint32_t {
    bi_rgb = 0,
    bi_rle8 = 1,
    bi_rle4 = 2,
    bi_bitfields = 3,
    bi_alphabitfields = 6
};

template <class T> T read_at(std::span<const uint8_t> file, std::size_t at) {
    T v;
    std::memcpy(&v, file.data() + at, sizeof v);
    return v;
}

} // namespace

bool image_size_allowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= max_image_side && height <= max_image_side &&
           width * height <= max_image_pixels;
}

bool parse_bmp_layout(std::span<const uint8_t> file, tbmp_layout& out) {
    return parse_bmp_layout(file, file.size(), out);
}

bool parse_bmp_layout(std::span<const uint8_t> file, uint64_t file_size, tbmp_layout& out) {
    if (file.size() < bmp_file_header_size + 4 || file[0] != 'B' || file[1] != 'M') return false;
    const uint32_t offset = read_at<uint32_t>(file, 10);
    const uint32_t info = read_at<uint32_t>(file, 14);
    int64_t w = 0, h = 0;
    uint16_t planes = 0, bits = 0;
    uint32_t compression = bi_rgb;
    if (info == bmp_core_header_size) {
        if (file.size() < bmp_file_header_size + bmp_core_header_size) return false;
        w = read_at<uint16_t>(file, 18);
        h = read_at<uint16_t>(file, 20);
        planes = read_at<uint16_t>(file, 22);
        bits = read_at<uint16_t>(file, 24);
    } else {
        if (info < bmp_info_header_size || file.size() < bmp_file_header_size + bmp_info_header_size)
            return false;
        w = read_at<int32_t>(file, 18);
        h = read_at<int32_t>(file, 22);
        planes = read_at<uint16_t>(file, 26);
        bits = read_at<uint16_t>(file, 28);
        compression = read_at<uint32_t>(file, 30);
    }
    const bool bottom_up = h > 0;
    if (h < 0) h = -h;
    if (planes != 1 || !image_size_allowed(w, h)) return false;
    switch (bits) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return false;
    }
    switch (compression) {
    case bi_rgb:
        break;
    case bi_rle8:
        if (bits != 8 || !bottom_up) return false;
        break;
    case bi_rle4:
        if (bits != 4 || !bottom_up) return false;
        break;
    case bi_bitfields:
    case bi_alphabitfields:
        if (bits != 16 && bits != 32) return false;
        break;
    default:
        return false;
    }
    if (offset > file_size) return false;
    const uint64_t data = file_size - offset;
    const uint64_t stride = (uint64_t(w) * bits + 31) / 32 * 4;
    if (compression == bi_rle8 || compression == bi_rle4) {
        if (uint64_t(w) * uint64_t(h) > data * rle_max_pixels_per_byte) return false;
    } else if (stride * uint64_t(h) > data) {
        return false;
    }
    out.width = int(w);
    out.height = int(h);
    out.bottom_up = bottom_up;
    out.bits = bits;
    out.compression = compression;
    out.offset = offset;
    out.stride = std::size_t(stride);
    return true;
}

bool read_png(std::string_view path, Bitmap& out) {
    const std::optional<std::vector<uint8_t>> file = read_file(path, max_image_file_bytes);
    if (!file || file->empty()) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file->data(), file->size())) return false;
    // libpng converts every colour type and depth to 8-bit BGRA for us.
    image.format = PNG_FORMAT_BGRA;
    const uint64_t w = image.width, h = image.height;
    // Even at one bit a pixel the rows need this many bytes before compression.
    const uint64_t least_raw_bytes = h * (1 + (w + 7) / 8);
    if (!image_size_allowed(int64_t(w), int64_t(h)) || least_raw_bytes > deflate_max_ratio * file->size()) {
        png_image_free(&image);
        return false;
    }
    try {
        std::vector<uint8_t> pixels(std::size_t(w * h * 4));
        if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
            png_image_free(&image);
            return false;
        }
        Bitmap result(static_cast<int>(w), static_cast<int>(h));
        if (result.empty()) return false;
        const uint8_t* p = pixels.data();
        for (int y = 0; y < result.height(); ++y) {
            uint32_t* row = result.row(y);
            for (int x = 0; x < result.width(); ++x, p += 4) {
                int a = p[3];
                int b = p[0] * a / 255, g = p[1] * a / 255, r = p[2] * a / 255;
                row[x] = rgb(r, g, b);
            }
        }
        out = std::move(result);
    } catch (const std::bad_alloc&) {
        png_image_free(&image);
        return false;
    }
    return true;
}

bool write_png(std::string_view path, const Bitmap& bitmap) {
    if (bitmap.empty()) return false;
    std::vector<uint8_t> pixels(static_cast<std::size_t>(bitmap.width()) * bitmap.height() * 3);
    uint8_t* p = pixels.data();
    for (int y = 0; y < bitmap.height(); ++y) {
        const uint32_t* row = bitmap.row(y);
        for (int x = 0; x < bitmap.width(); ++x) {
            *p++ = static_cast<uint8_t>(red_of(row[x]));
            *p++ = static_cast<uint8_t>(green_of(row[x]));
            *p++ = static_cast<uint8_t>(blue_of(row[x]));
        }
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(bitmap.width());
    image.height = static_cast<png_uint_32>(bitmap.height());
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr)) return false;
    std::vector<uint8_t> encoded(size);
    if (!png_image_write_to_memory(&image, encoded.data(), &size, 0, pixels.data(), 0, nullptr)) return false;
    encoded.resize(size);
    return write_file(path, encoded);
}

bool read_bmp(std::string_view path, Bitmap& out) {
    const std::optional<std::vector<uint8_t>> file = read_file(path, max_image_file_bytes);
    tbmp_layout layout;
    // SDL reads only what passed our checks, from the bytes already in memory.
    if (!file || !parse_bmp_layout(*file, layout)) return false;
    SDL_Surface* loaded = SDL_LoadBMP_RW(SDL_RWFromConstMem(file->data(), int(file->size())), 1);
    if (!loaded) return false;
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(loaded);
    if (!converted) return false;
    Bitmap result(converted->w, converted->h);
    if (!result.empty()) {
        for (int y = 0; y < converted->h; ++y) {
            const uint32_t* src =
                reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(converted->pixels) +
                                                  std::size_t(y) * std::size_t(converted->pitch));
            uint32_t* dst = result.row(y);
            for (int x = 0; x < converted->w; ++x)
                dst[x] = src[x] & 0x00FFFFFF;
        }
    }
    SDL_FreeSurface(converted);
    if (result.empty()) return false;
    out = std::move(result);
    return true;
}

} // namespace dravok
