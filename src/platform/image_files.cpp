#include "platform/image_files.h"

#include <SDL.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/files.h"

namespace dravok {

namespace {

struct PngFile {
    FILE* f = nullptr;
    ~PngFile() {
        if (f) std::fclose(f);
    }
};

} // namespace

bool read_png(std::string_view path, Bitmap& out) {
    PngFile file;
    file.f = std::fopen(system_path(path).c_str(), "rb");
    if (!file.f) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_stdio(&image, file.f)) return false;
    // libpng converts every colour type and depth to 8-bit BGRA for us.
    image.format = PNG_FORMAT_BGRA;
    if (image.width == 0 || image.height == 0 || image.width > 32768 || image.height > 32768) {
        png_image_free(&image);
        return false;
    }
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    Bitmap result(static_cast<int>(image.width), static_cast<int>(image.height));
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
    SDL_Surface* loaded = SDL_LoadBMP(system_path(path).c_str());
    if (!loaded) return false;
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(loaded);
    if (!converted) return false;
    Bitmap result(converted->w, converted->h);
    if (!result.empty()) {
        for (int y = 0; y < converted->h; ++y) {
            const uint32_t* src = reinterpret_cast<const uint32_t*>(
                static_cast<const uint8_t*>(converted->pixels) + y * converted->pitch);
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
