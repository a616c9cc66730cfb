// Cutting the tile sheet into the sprite lists; see tileset.h.
#include <algorithm>
#include <cstring>

#include "platform/files.h"
#include "platform/image_files.h"
#include "records/codec.h"
#include "ui/graphics.h"
#include "ui/tileset.h"
#include "world/data_files.h"

namespace dravok {
namespace {

// The sheet's pixels. An uncompressed 24- or 32-bit Windows bitmap is read in place from the
// file's bytes (no decoded copy of a sheet of tens of megabytes); any other bitmap goes through
// the platform's reader.
class tsheet {
  public:
    bool open(const std::string& path) {
        if (auto bytes = read_file(path)) {
            file_ = std::move(*bytes);
            if (parse_header()) return true;
        }
        file_.clear();
        if (!read_bmp(path, fallback_)) return false;
        width_ = fallback_.width();
        height_ = fallback_.height();
        return true;
    }
    int width() const { return width_; }
    int height() const { return height_; }
    Colour pixel(int x, int y) const {
        if (file_.empty()) return fallback_.pixel(x, y);
        const int row = bottom_up_ ? height_ - 1 - y : y;
        const uint8_t* p =
            file_.data() + offset_ + std::size_t(row) * stride_ + std::size_t(x) * bytes_per_pixel_;
        return rgb(p[2], p[1], p[0]);
    }

  private:
    template <class T> T read(std::size_t at) const {
        T v;
        std::memcpy(&v, file_.data() + at, sizeof v);
        return v;
    }
    bool parse_header() {
        if (file_.size() < 54 || file_[0] != 'B' || file_[1] != 'M') return false;
        const uint32_t offset = read<uint32_t>(10), info = read<uint32_t>(14);
        const int32_t w = read<int32_t>(18), h = read<int32_t>(22);
        const uint16_t planes = read<uint16_t>(26), bits = read<uint16_t>(28);
        const uint32_t compression = read<uint32_t>(30);
        if (info < 40 || planes != 1 || (bits != 24 && bits != 32) || compression != 0) return false;
        if (w <= 0 || h == 0 || w > 65536 || h > 65536 || h < -65536) return false;
        width_ = w;
        height_ = h < 0 ? -h : h;
        bottom_up_ = h > 0;
        bytes_per_pixel_ = bits / 8;
        stride_ = (std::size_t(w) * bytes_per_pixel_ + 3) / 4 * 4;
        offset_ = offset;
        // The pixel rows must lie wholly inside the file.
        return offset_ <= file_.size() && stride_ * height_ <= file_.size() - offset_;
    }

    std::vector<uint8_t> file_;
    Bitmap fallback_;
    int width_ = 0, height_ = 0;
    bool bottom_up_ = true;
    int bytes_per_pixel_ = 3;
    std::size_t stride_ = 0, offset_ = 0;
};

// Copies one sheet rectangle into a size x size bitmap. An exact halving averages each 2 x 2
// block over its opaque pixels (white is the transparent key), so small tiles stay smooth;
// other ratios take the nearest pixel.
void cut_sprite(const tsheet& sheet, const tsprite_rectangle& r, int size, bool keyed, Bitmap& out) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w == 2 * size && h == 2 * size) {
        for (int y = 0; y < size; ++y) {
            uint32_t* dst = out.row(y);
            for (int x = 0; x < size; ++x) {
                const Colour px[4] = {sheet.pixel(r.left + 2 * x, r.top + 2 * y),
                                      sheet.pixel(r.left + 2 * x + 1, r.top + 2 * y),
                                      sheet.pixel(r.left + 2 * x, r.top + 2 * y + 1),
                                      sheet.pixel(r.left + 2 * x + 1, r.top + 2 * y + 1)};
                int n = 0, sr = 0, sg = 0, sb = 0;
                for (Colour p : px) {
                    if (keyed && p == colours::white) continue;
                    ++n;
                    sr += red_of(p);
                    sg += green_of(p);
                    sb += blue_of(p);
                }
                if (n < 2) {
                    dst[x] = keyed ? colours::white
                                   : rgb(sr / std::max(n, 1), sg / std::max(n, 1), sb / std::max(n, 1));
                    continue;
                }
                Colour c = rgb(sr / n, sg / n, sb / n);
                if (keyed && c == colours::white) c = 0xFEFEFE;
                dst[x] = c;
            }
        }
        return;
    }
    for (int y = 0; y < size; ++y) {
        uint32_t* dst = out.row(y);
        const int sy = r.top + int(int64_t(y) * h / size);
        for (int x = 0; x < size; ++x)
            dst[x] = sheet.pixel(r.left + int(int64_t(x) * w / size), sy);
    }
}

} // namespace

bool load_tileset_files(const std::string& index_path, const std::string& sheet_path,
                        const ttileset_expectation& expect, int tile_size, int icon_size, int& coin_icon) {
    terrain_sprites.clear();
    object_sprites.clear();
    icon_sprites.clear();
    if (!file_exists(index_path)) {
        fatal_missing_file(index_path);
        return false;
    }
    if (!file_exists(sheet_path)) {
        fatal_missing_file(sheet_path);
        return false;
    }
    const auto bytes = read_file(index_path);
    ttileset_index index;
    if (!bytes || !parse_tileset_index(*bytes, expect, index)) {
        fatal_corrupt_data_file(index_path);
        return false;
    }
    tsheet sheet;
    // A sheet that cannot be read, or whose rectangles leave it, makes the set unusable.
    if (!sheet.open(sheet_path) || !tileset_rectangles_fit(index, sheet.width(), sheet.height())) {
        fatal_corrupt_data_file(index_path);
        return false;
    }
    tileset_header = index.header;
    sprite_categories = index.categories;

    terrain_sprites.setup(tile_size, tile_size, false);
    object_sprites.setup(tile_size, tile_size, true, colours::white);
    icon_sprites.setup(icon_size, icon_size, true, colours::white);
    terrain_sprites.reserve(index.header.terrain_images + 1);
    object_sprites.reserve(index.header.object_images + 1);
    icon_sprites.reserve(index.header.icon_images + 1);
    Bitmap blank(tile_size, tile_size);
    blank.clear(colours::black);
    terrain_sprites.add(blank);
    blank.clear(colours::white);
    object_sprites.add(blank);
    Bitmap blank_icon(icon_size, icon_size);
    blank_icon.clear(colours::white);
    icon_sprites.add(blank_icon);

    Bitmap tile(tile_size, tile_size), icon(icon_size, icon_size);
    for (const tsprite_cut& cut : index.cuts) {
        const tsprite_rectangle& r = index.rectangles[cut.rectangle];
        switch (cut.list) {
        case sprite_list::terrain:
            cut_sprite(sheet, r, tile_size, false, tile);
            terrain_sprites.add(tile);
            break;
        case sprite_list::object:
            cut_sprite(sheet, r, tile_size, true, tile);
            object_sprites.add(tile);
            break;
        case sprite_list::icon:
            cut_sprite(sheet, r, icon_size, true, icon);
            icon_sprites.add(icon);
            break;
        }
    }

    // The threat arrows: interface icons 35..42 stretched to a tile, keyed on white.
    for (int k = 1; k <= 8; ++k) {
        Bitmap& arrow = threat_marker_bitmaps[k];
        arrow.set_size(tile_size, tile_size);
        arrow.clear(colours::white);
        icon.clear(colours::white);
        const auto& interface_icons = sprite_categories[11];
        const int entry = tileset_first_arrow_entry - 1 + k;
        if (entry < int(interface_icons.size()))
            icon_sprites.draw(icon, 0, 0, interface_icons[entry].first_image);
        arrow.stretch_draw(Rect{0, 0, tile_size, tile_size}, icon);
        arrow.set_transparent(true, colours::white);
    }
    coin_icon = expect.coin_plan > 0 ? sprite_categories[9][expect.coin_plan].first_image : 0;
    return true;
}

} // namespace dravok
