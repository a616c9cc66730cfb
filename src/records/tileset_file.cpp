// Reading, checking and writing the tile-set index; see tileset_file.h.
#include "records/tileset_file.h"

#include <cstring>

namespace dravok {

sprite_list list_of_category(int category) {
    if (category == 1) return sprite_list::terrain;
    if (category <= 8) return sprite_list::object;
    return sprite_list::icon;
}

uint32_t entry_image_count(int category, const tsprite_entry& entry) {
    if (category >= 9) return entry.count_a;
    return uint32_t(entry.count_a) * entry.count_b * entry.count_c;
}

void set_first_rectangle(ttile_header& h, int category, uint16_t rectangle) {
    if (category <= 8)
        h.first_rectangle[category - 1] = rectangle;
    else
        h.first_rectangle_9_11[category - 9] = rectangle;
}

namespace {

bool entry_on_sheet(const tsprite_entry& e) {
    return e.first_image != 0 && e.skip == 0;
}

} // namespace

bool plan_tileset_cuts(ttileset_index& index) {
    const ttile_header& h = index.header;
    const uint32_t rect_count = h.rectangles;
    std::array<uint32_t, 3> position = {0, 0, 0}; // images already in each list (after blank)
    index.cuts.clear();
    for (int c = 1; c <= tileset_category_count; ++c) {
        const int runs = sprite_variant_counts[c];
        const auto list = list_of_category(c);
        uint32_t& pos = position[static_cast<int>(list)];
        for (int v = 1; v <= runs; ++v) {
            const uint32_t offset = c <= tileset_shaded_categories ? h.variant_offset(c, v) : 0;
            uint32_t r = uint32_t(h.first_rectangle_of(c)) + offset;
            for (std::size_t e = 1; e < index.categories[c].size(); ++e) {
                const tsprite_entry& entry = index.categories[c][e];
                if (!entry_on_sheet(entry)) continue;
                // The image this entry starts with in this run must be where it is cut to.
                if (uint32_t(entry.first_image) + offset != pos + 1) return false;
                const uint32_t n = entry_image_count(c, entry);
                for (uint32_t i = 0; i < n; ++i) {
                    if (r < 1 || r > rect_count) return false;
                    index.cuts.push_back({list, static_cast<uint16_t>(r)});
                    ++r;
                    ++pos;
                }
            }
        }
    }
    return true;
}

bool parse_tileset_index(std::span<const uint8_t> bytes, const ttileset_expectation& expect,
                         ttileset_index& out) {
    return check_tileset_index(bytes, expect, out) == tindex_check::ok;
}

tindex_check check_tileset_index(std::span<const uint8_t> bytes, const ttileset_expectation& expect,
                                 ttileset_index& out) {
    out = ttileset_index{};
    if (bytes.size() < tileset_header_size) return tindex_check::damaged;
    std::memcpy(&out.header, bytes.data(), tileset_header_size);
    const ttile_header& h = out.header;
    if (h.file_size != bytes.size()) return tindex_check::damaged;
    if (tile_count(h, 1) != tileset_terrain_entries || tile_count(h, 2) != tileset_furniture_entries ||
        tile_count(h, 8) != tileset_effect_entries || tile_count(h, 11) != tileset_interface_entries)
        return tindex_check::damaged;
    if (tile_count(h, 6) != expect.being_plans || tile_count(h, 7) != expect.item_plans ||
        tile_count(h, 10) != expect.talents)
        return tindex_check::other_database;

    std::size_t need = tileset_header_size + 16u * h.rectangles;
    for (int c = 1; c <= tileset_category_count; ++c)
        need += 10u * tile_count(h, c);
    if (need > bytes.size()) return tindex_check::damaged;
    if (expect.coin_plan > tile_count(h, 9)) return tindex_check::other_database;

    std::size_t at = tileset_header_size;
    for (int c = 1; c <= tileset_category_count; ++c) {
        auto& table = out.categories[c];
        table.resize(std::size_t(tile_count(h, c)) + 1);
        std::memcpy(table.data() + 1, bytes.data() + at, 10u * tile_count(h, c));
        at += 10u * tile_count(h, c);
    }
    out.rectangles.resize(std::size_t(h.rectangles) + 1);
    std::memcpy(out.rectangles.data() + 1, bytes.data() + at, 16u * h.rectangles);
    return plan_tileset_cuts(out) ? tindex_check::ok : tindex_check::damaged;
}

bool tileset_rectangles_fit(const ttileset_index& index, int sheet_width, int sheet_height) {
    for (const tsprite_cut& cut : index.cuts) {
        const tsprite_rectangle& r = index.rectangles[cut.rectangle];
        if (r.left < 0 || r.top < 0 || r.right > sheet_width || r.bottom > sheet_height) return false;
        if (r.right <= r.left || r.bottom <= r.top) return false;
    }
    return true;
}

void assign_tileset_positions(ttileset_index& index) {
    ttile_header& h = index.header;
    std::array<uint32_t, 3> position = {0, 0, 0};
    uint32_t r = 1;
    for (int c = 1; c <= tileset_category_count; ++c) {
        auto& table = index.categories[c];
        if (table.empty()) table.resize(1);
        h.entry_counts[c - 1] = static_cast<uint16_t>(table.size() - 1);
        set_first_rectangle(h, c, static_cast<uint16_t>(r));
        uint32_t& pos = position[static_cast<int>(list_of_category(c))];
        for (int v = 1; v <= sprite_variant_counts[c]; ++v) {
            if (c <= tileset_shaded_categories)
                h.variant_offsets[c - 1][v - 1] = static_cast<uint16_t>(r - h.first_rectangle_of(c));
            for (std::size_t e = 1; e < table.size(); ++e) {
                tsprite_entry& entry = table[e];
                if (!entry_on_sheet(entry)) continue;
                if (v == 1) entry.first_image = static_cast<uint16_t>(pos + 1);
                const uint32_t n = entry_image_count(c, entry);
                pos += n;
                r += n;
            }
        }
    }
    h.rectangles = static_cast<uint16_t>(r - 1);
    h.terrain_images = static_cast<uint16_t>(position[0]);
    h.object_images = static_cast<uint16_t>(position[1]);
    h.icon_images = static_cast<uint16_t>(position[2]);
    index.rectangles.assign(r, tsprite_rectangle{});
}

std::vector<uint8_t> encode_tileset_index(const ttileset_index& index) {
    ttile_header h = index.header;
    std::size_t size = tileset_header_size;
    for (int c = 1; c <= tileset_category_count; ++c) {
        const std::size_t n = index.categories[c].empty() ? 0 : index.categories[c].size() - 1;
        h.entry_counts[c - 1] = static_cast<uint16_t>(n);
        size += 10 * n;
    }
    const std::size_t rects = index.rectangles.empty() ? 0 : index.rectangles.size() - 1;
    h.rectangles = static_cast<uint16_t>(rects);
    size += 16 * rects;
    h.file_size = static_cast<uint32_t>(size);

    std::vector<uint8_t> bytes(size);
    std::memcpy(bytes.data(), &h, tileset_header_size);
    std::size_t at = tileset_header_size;
    for (int c = 1; c <= tileset_category_count; ++c) {
        const std::size_t n = h.entry_counts[c - 1];
        if (n) std::memcpy(bytes.data() + at, &index.categories[c][1], 10 * n);
        at += 10 * n;
    }
    if (rects) std::memcpy(bytes.data() + at, &index.rectangles[1], 16 * rects);
    return bytes;
}

} // namespace dravok
