// Cutting the tile sheet into the sprite lists; see tileset.h.
#include <algorithm>

#include "platform/files.h"
#include "platform/image_files.h"
#include "ui/graphics.h"
#include "ui/tileset.h"
#include "world/data_files.h"
#include "world/sprite_lookup.h"

namespace dravok {
namespace {

// The sheet's pixels. An uncompressed 24- or 32-bit Windows bitmap is read in place from the
// file's bytes (no decoded copy of a sheet of tens of megabytes); any other bitmap goes through
// the platform's reader. Both refuse a header beyond the picture caps or longer than the file.
class tsheet {
  public:
    // One pixel row, read as 0xRRGGBB.
    struct trow {
        const uint8_t* bytes = nullptr; // in the file, `step` bytes a pixel, blue first
        const uint32_t* decoded = nullptr;
        std::size_t step = 0;
        Colour operator[](int x) const {
            if (decoded) return decoded[x] & 0x00FFFFFF;
            const uint8_t* p = bytes + std::size_t(x) * step;
            return rgb(p[2], p[1], p[0]);
        }
    };

    bool open(const std::string& path) {
        if (auto bytes = read_file(path, max_image_file_bytes)) {
            file_ = std::move(*bytes);
            if (parse_bmp_layout(file_, layout_) && layout_.compression == 0 &&
                (layout_.bits == 24 || layout_.bits == 32)) {
                width_ = layout_.width;
                height_ = layout_.height;
                return true;
            }
        }
        file_.clear();
        if (!read_bmp(path, fallback_)) return false;
        width_ = fallback_.width();
        height_ = fallback_.height();
        return true;
    }
    int width() const { return width_; }
    int height() const { return height_; }
    trow row(int y) const {
        if (file_.empty()) return trow{nullptr, fallback_.row(y), 0};
        const int stored = layout_.bottom_up ? height_ - 1 - y : y;
        return trow{file_.data() + layout_.offset + std::size_t(stored) * layout_.stride, nullptr,
                    std::size_t(layout_.bits / 8)};
    }

  private:
    std::vector<uint8_t> file_;
    tbmp_layout layout_;
    Bitmap fallback_;
    int width_ = 0, height_ = 0;
};

// Cuts one sheet rectangle into a size x size image, rows of `size` pixels. An exact halving
// averages each 2 x 2 block over its opaque pixels (white is the transparent key), so small
// tiles stay smooth; other ratios take the nearest pixel.
void cut_sprite(const tsheet& sheet, const tsprite_rectangle& r, int size, bool keyed,
                std::span<uint32_t> out) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w == 2 * size && h == 2 * size) {
        for (int y = 0; y < size; ++y) {
            uint32_t* dst = out.data() + std::size_t(y) * size;
            const tsheet::trow upper = sheet.row(r.top + 2 * y), lower = sheet.row(r.top + 2 * y + 1);
            for (int x = 0; x < size; ++x) {
                const int sx = r.left + 2 * x;
                const Colour px[4] = {upper[sx], upper[sx + 1], lower[sx], lower[sx + 1]};
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
        uint32_t* dst = out.data() + std::size_t(y) * size;
        const tsheet::trow src = sheet.row(r.top + int(int64_t(y) * h / size));
        for (int x = 0; x < size; ++x)
            dst[x] = src[r.left + int(int64_t(x) * w / size)];
    }
}

} // namespace

namespace {

// The world asks for first images and light runs by category and entry.
void tell_world_sprite_figures() {
    // The world asks for first images by category and entry (the icon, talent and interface
    // categories too), and for the light runs of the shaded ones.
    for (int c = 1; c <= tileset_category_count; ++c)
        for (std::size_t e = 1; e < sprite_categories[c].size(); ++e) {
            const tsprite_entry& entry = sprite_categories[c][e];
            set_sprite_info(c, int(e), tsprite_info{entry.first_image, entry.count_a, entry.count_b});
        }
    for (int c = 1; c <= tileset_shaded_categories; ++c)
        for (int run = 1; run <= tile_variant_count; ++run)
            set_light_offset(c, run, tileset_header.variant_offset(c, run));
}

} // namespace

bool load_sprite_figures(const std::string& index_path, const ttileset_expectation& expect) {
    const auto bytes = read_file(index_path);
    ttileset_index index;
    if (!bytes || check_tileset_index(*bytes, expect, index) != tindex_check::ok) return false;
    tileset_header = index.header;
    sprite_categories = index.categories;
    tell_world_sprite_figures();
    return true;
}

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
    const tindex_check check = bytes ? check_tileset_index(*bytes, expect, index) : tindex_check::damaged;
    if (check != tindex_check::ok) {
        // A whole index that disagrees with the database points at the database.
        const bool blame_database = check == tindex_check::other_database && !expect.database_path.empty();
        fatal_corrupt_data_file(blame_database ? expect.database_path : index_path);
        return false;
    }
    tsheet sheet;
    // A sheet that cannot be read, or that is too small for the index's rectangles (which passed
    // their own checks), makes the set unusable: the message names the sheet.
    if (!sheet.open(sheet_path) || !tileset_rectangles_fit(index, sheet.width(), sheet.height())) {
        fatal_corrupt_data_file(sheet_path);
        return false;
    }
    tileset_header = index.header;
    sprite_categories = index.categories;
    tell_world_sprite_figures();

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

    for (const tsprite_cut& cut : index.cuts) {
        const tsprite_rectangle& r = index.rectangles[cut.rectangle];
        switch (cut.list) {
        case sprite_list::terrain:
            cut_sprite(sheet, r, tile_size, false, terrain_sprites.add_in_place());
            break;
        case sprite_list::object:
            cut_sprite(sheet, r, tile_size, true, object_sprites.add_in_place());
            break;
        case sprite_list::icon:
            cut_sprite(sheet, r, icon_size, true, icon_sprites.add_in_place());
            break;
        }
    }
    Bitmap icon(icon_size, icon_size);

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
