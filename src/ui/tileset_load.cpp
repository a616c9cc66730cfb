// Cutting the tile sheet into the sprite lists; see tileset.h.
#include <algorithm>
#include <array>
#include <memory>

#include "platform/files.h"
#include "platform/image_files.h"
#include "ui/graphics.h"
#include "ui/tileset.h"
#include "world/data_files.h"
#include "world/sprite_lookup.h"

namespace dravok {
namespace {

// One pixel row of the sheet from column `left` on, read as 0xRRGGBB.
struct trow {
    const uint8_t* bytes = nullptr; // `step` bytes a pixel, blue first
    const uint32_t* decoded = nullptr;
    std::size_t step = 0;
    int left = 0;
    Colour operator[](int x) const {
        x -= left;
        if (decoded) return decoded[x] & 0x00FFFFFF;
        const uint8_t* p = bytes + std::size_t(x) * step;
        return rgb(p[2], p[1], p[0]);
    }
};

// Cuts one sheet rectangle into a size x size image, rows of `size` pixels; `row(y)` gives sheet
// row y. An exact halving averages each 2 x 2 block over its opaque pixels (white is the
// transparent key), so small tiles stay smooth; other ratios take the nearest pixel.
template <class Rows>
void cut_sprite(const Rows& row, const tsprite_rectangle& r, int size, bool keyed, std::span<uint32_t> out) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w == 2 * size && h == 2 * size) {
        for (int y = 0; y < size; ++y) {
            uint32_t* dst = out.data() + std::size_t(y) * size;
            const trow upper = row(r.top + 2 * y), lower = row(r.top + 2 * y + 1);
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
        const trow src = row(r.top + int(int64_t(y) * h / size));
        for (int x = 0; x < size; ++x)
            dst[x] = src[r.left + int(int64_t(x) * w / size)];
    }
}

// The sheet's pixels. An uncompressed 24- or 32-bit Windows bitmap stays on disk: a sprite's rows
// are read when it is first drawn (the sheet is tens of megabytes, and a session draws a small
// part of it). Any other bitmap is decoded whole by the platform's reader. Both refuse a header
// beyond the picture caps or longer than the file.
class tsheet {
  public:
    bool open(const std::string& path) {
        path_ = path;
        if (file_.open(path, max_image_file_bytes)) {
            std::vector<uint8_t> header(std::size_t(std::min<uint64_t>(file_.size(), bmp_header_bytes)));
            if (file_.read_at(0, header) && parse_bmp_layout(header, file_.size(), layout_) &&
                layout_.compression == 0 && (layout_.bits == 24 || layout_.bits == 32)) {
                width_ = layout_.width;
                height_ = layout_.height;
                return true;
            }
        }
        if (!read_bmp(path, decoded_)) return false;
        width_ = decoded_.width();
        height_ = decoded_.height();
        return true;
    }
    int width() const { return width_; }
    int height() const { return height_; }
    // Sprites are cut on first use from a sheet left on disk; a decoded sheet is cut at once.
    bool on_disk() const { return decoded_.empty(); }

    // One rectangle cut into `out`. False when the sheet on disk can no longer be read (it was
    // changed or cut short since it was opened); the first such failure ends the program with
    // the sheet's message.
    bool cut(const tsprite_rectangle& r, int size, bool keyed, std::span<uint32_t> out) {
        if (!on_disk()) {
            cut_sprite([this](int y) { return trow{nullptr, decoded_.row(y), 0, 0}; }, r, size, keyed, out);
            return true;
        }
        const std::size_t step = std::size_t(layout_.bits / 8);
        const std::size_t row_bytes = std::size_t(r.right - r.left) * step;
        rows_.resize(row_bytes * std::size_t(r.bottom - r.top));
        for (int y = r.top; y < r.bottom; ++y) {
            const int stored = layout_.bottom_up ? height_ - 1 - y : y;
            const uint64_t at = layout_.offset + uint64_t(stored) * layout_.stride + uint64_t(r.left) * step;
            if (!file_.read_at(at, std::span(rows_).subspan(std::size_t(y - r.top) * row_bytes, row_bytes))) {
                if (!failed_) fatal_corrupt_data_file(path_);
                failed_ = true;
                return false;
            }
        }
        cut_sprite(
            [&](int y) {
                return trow{rows_.data() + std::size_t(y - r.top) * row_bytes, nullptr, step, r.left};
            },
            r, size, keyed, out);
        return true;
    }

  private:
    std::string path_;
    FileReader file_;
    tbmp_layout layout_;
    Bitmap decoded_;
    std::vector<uint8_t> rows_; // the rows of the rectangle being cut
    int width_ = 0, height_ = 0;
    bool failed_ = false;
};

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
    auto sheet = std::make_shared<tsheet>();
    // A sheet that cannot be read, or that is too small for the index's rectangles (which passed
    // their own checks), makes the set unusable: the message names the sheet.
    if (!sheet->open(sheet_path) || !tileset_rectangles_fit(index, sheet->width(), sheet->height())) {
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

    // Each list's images in cut order, by image number (image 0 is the blank).
    struct tlist {
        ImageList& images;
        int size;
        bool keyed;
        std::vector<tsprite_rectangle> rectangles{tsprite_rectangle{}};
    };
    std::array<tlist, 3> lists{tlist{terrain_sprites, tile_size, false},
                               tlist{object_sprites, tile_size, true}, tlist{icon_sprites, icon_size, true}};
    const auto list_of = [&lists](sprite_list l) -> tlist& {
        return lists[l == sprite_list::terrain ? 0 : l == sprite_list::object ? 1 : 2];
    };
    for (const tsprite_cut& cut : index.cuts) {
        tlist& list = list_of(cut.list);
        const tsprite_rectangle& r = index.rectangles[cut.rectangle];
        if (sheet->on_disk()) {
            list.images.add_deferred();
            list.rectangles.push_back(r);
        } else {
            sheet->cut(r, list.size, list.keyed, list.images.add_in_place());
        }
    }
    if (sheet->on_disk())
        for (tlist& list : lists)
            list.images.set_maker([sheet, rectangles = std::move(list.rectangles), size = list.size,
                                   keyed = list.keyed](int image, std::span<uint32_t> pixels) {
                return sheet->cut(rectangles[std::size_t(image)], size, keyed, pixels);
            });
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
