// Tile-set assembly; see builder.h.
#include "builder.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <stdexcept>

#include "content_icons.h"
#include "furniture_art.h"
#include "misc_art.h"
#include "records/tileset_file.h"
#include "terrain_art.h"

namespace dravok::tilebuild {
namespace {

// Terrain and furniture: run = light + 1 (run 1 also the remembered look); others: light 1..3.
constexpr double four_runs[4] = {0.30, 0.52, 0.76, 1.0};
constexpr double three_runs[3] = {0.52, 0.76, 1.0};

uint32_t hash_colour(const std::string& s) {
    uint32_t h = 2166136261u;
    for (char c : s)
        h = (h ^ uint8_t(c)) * 16777619u;
    // Muted but saturated enough to tell apart on dark floors.
    const uint32_t palette[] = {0xb04a3a, 0x4a8ab0, 0x6aa040, 0xb08a3a,
                                0x8a5ab0, 0x3aa08a, 0xa05a7a, 0x7a7a8a};
    return palette[h % 8];
}

// Objects and icons are keyed on white: a pixel is either the sprite or pure white.
uint32_t sheet_pixel(uint32_t argb, bool keyed) {
    if (!keyed) return argb & 0xFFFFFF;
    if ((argb >> 24) < 128) return 0xFFFFFF;
    const uint32_t rgb = argb & 0xFFFFFF;
    return rgb == 0xFFFFFF ? 0xFEFEFE : rgb;
}

struct tsheet {
    static constexpr int columns = 32;
    std::vector<std::vector<uint32_t>> tiles;  // 64 x 64 sheet pixels each
    std::map<std::vector<uint32_t>, int> seen; // identical images share one place

    int place(const timage& img, bool keyed) {
        if (img.width != art_tile || img.height != art_tile) throw std::runtime_error("image not tile-sized");
        std::vector<uint32_t> px(img.argb.size());
        for (std::size_t i = 0; i < px.size(); ++i)
            px[i] = sheet_pixel(img.argb[i], keyed);
        auto [it, fresh] = seen.emplace(std::move(px), int(tiles.size()));
        if (fresh) tiles.push_back(it->first);
        return it->second;
    }
    tsprite_rectangle rect_of(int place) const {
        const int x = (place % columns) * art_tile, y = (place / columns) * art_tile;
        return {x, y, x + art_tile, y + art_tile};
    }
    // A PNG of the sheet for people to look at (pure white shows as checkered grey).
    void write_png(const std::string& path) const {
        const int w = columns * art_tile;
        const int h = std::max<int>(1, int((tiles.size() + columns - 1) / columns)) * art_tile;
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
        cairo_surface_flush(s);
        unsigned char* data = cairo_image_surface_get_data(s);
        const int stride = cairo_image_surface_get_stride(s);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                reinterpret_cast<uint32_t*>(data + y * stride)[x] =
                    ((x / 8 + y / 8) % 2) ? 0x505050 : 0x606060;
        for (std::size_t t = 0; t < tiles.size(); ++t) {
            const int tx = int(t % columns) * art_tile, ty = int(t / columns) * art_tile;
            for (int y = 0; y < art_tile; ++y)
                for (int x = 0; x < art_tile; ++x) {
                    const uint32_t p = tiles[t][std::size_t(y) * art_tile + x];
                    if (p != 0xFFFFFF) reinterpret_cast<uint32_t*>(data + (ty + y) * stride)[tx + x] = p;
                }
        }
        cairo_surface_mark_dirty(s);
        cairo_surface_write_to_png(s, path.c_str());
        cairo_surface_destroy(s);
    }
    void write_bmp(const std::string& path) const {
        const int w = columns * art_tile;
        const int rows = std::max<int>(1, int((tiles.size() + columns - 1) / columns));
        const int h = rows * art_tile;
        const uint32_t row_bytes = uint32_t(w) * 3;
        const uint32_t data = row_bytes * h;
        std::vector<uint8_t> out(54 + std::size_t(data), 0);
        auto put32 = [&](std::size_t at, uint32_t v) { std::memcpy(&out[at], &v, 4); };
        auto put16 = [&](std::size_t at, uint16_t v) { std::memcpy(&out[at], &v, 2); };
        out[0] = 'B';
        out[1] = 'M';
        put32(2, uint32_t(out.size()));
        put32(10, 54);
        put32(14, 40);
        put32(18, uint32_t(w));
        put32(22, uint32_t(h));
        put16(26, 1);
        put16(28, 24);
        put32(34, data);
        put32(38, 2835);
        put32(42, 2835);
        // Unused sheet space is white, which the keyed lists treat as transparent.
        std::fill(out.begin() + 54, out.end(), 0xFF);
        for (std::size_t t = 0; t < tiles.size(); ++t) {
            const int tx = int(t % columns) * art_tile, ty = int(t / columns) * art_tile;
            for (int y = 0; y < art_tile; ++y) {
                uint8_t* row = &out[54 + std::size_t(h - 1 - (ty + y)) * row_bytes];
                for (int x = 0; x < art_tile; ++x) {
                    const uint32_t p = tiles[t][std::size_t(y) * art_tile + x];
                    row[(tx + x) * 3 + 0] = p & 255;
                    row[(tx + x) * 3 + 1] = (p >> 8) & 255;
                    row[(tx + x) * 3 + 2] = (p >> 16) & 255;
                }
            }
        }
        std::ofstream f(path, std::ios::binary);
        f.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
        if (!f) throw std::runtime_error("cannot write " + path);
    }
};

// The bright images of every entry of one category (entry index from 1; empty = absent).
using tentry_art = std::vector<std::vector<timage>>;

// The picture a template names, or its family's default when it names none.
std::string icon_of(const tplan_art& p, const char* fallback) {
    return p.icon.empty() ? std::string(own_icon_prefix) + fallback : p.icon;
}

rgb colour_of(const tplan_art& p) {
    return rgb_hex(p.colour ? p.colour : hash_colour(p.id));
}

} // namespace

void build_tileset(const tart_input& input, const std::string& index_path, const std::string& sheet_path,
                   const std::string& preview_png) {
    ttileset_index ix;
    ix.header.tile_size = art_tile;
    std::array<tentry_art, 12> art;

    // 1 terrain: walls two images (top, front face), floors one.
    art[1].resize(tileset_terrain_entries + 1);
    for (int k = 1; k <= 40; ++k)
        art[1][k] = {wall_art(k, false), wall_art(k, true)};
    for (int k = 41; k <= 90; ++k)
        art[1][k] = {floor_art(k)};
    // 2 furniture, one variant, its states.
    art[2].resize(tileset_furniture_entries + 1);
    for (int id = 1; id <= 60; ++id)
        art[2][id] = furniture_art(id);
    // 3 floor symbols, 4 splashes (variants), 5 animations (frames), 8 effects (normal, fading).
    art[3].resize(floor_symbols + 1);
    for (int i = 1; i <= floor_symbols; ++i)
        art[3][i] = {floor_symbol_art(i)};
    art[4].resize(splash_kinds + 1);
    for (int k = 1; k <= splash_kinds; ++k)
        for (int v = 0; v < splash_variants; ++v)
            art[4][k].push_back(splash_art(k, v));
    art[5].resize(animation_rows + 1);
    for (int r = 1; r <= animation_rows; ++r)
        for (int f = 0; f < animation_frames; ++f)
            art[5][r].push_back(animation_art(r, f));
    art[8].resize(tileset_effect_entries + 1);
    for (int k = 1; k <= 5; ++k)
        art[8][k] = effect_art(k);

    // 6 creatures: one image per footprint cell, cut from one picture of the whole body. Two
    // creatures naming different icons must not look the same: the player tells them apart so.
    tcontent_icons icons(input.icon_folder);
    std::map<std::string, const tplan_art*> shown_by; // picture source -> first creature showing it
    art[6].resize(input.beings.size() + 1);
    for (std::size_t i = 0; i < input.beings.size(); ++i) {
        const tplan_art& p = input.beings[i];
        const std::string icon = icon_of(p, "humanoid");
        if (p.width < 1 || p.height < 1 || p.width > 4 || p.height > 4)
            throw std::runtime_error("being plan \"" + p.id +
                                     "\": field width/height: footprint outside 1..4");
        auto [first, fresh] = shown_by.emplace(icons.source("being plan", p.id, icon), &p);
        if (!fresh && icon_of(*first->second, "humanoid") != icon)
            throw std::runtime_error("being plan \"" + p.id + "\": field icon: \"" + icon +
                                     "\" is the same picture as \"" + icon_of(*first->second, "humanoid") +
                                     "\" of \"" + first->second->id + "\"");
        art[6][i + 1] = cut_parts(icons.render("being plan", p.id, icon, colour_of(p), p.width, p.height),
                                  p.width, p.height);
    }
    // 7 items on the map and 9 their icons: the same picture.
    art[7].resize(input.items.size() + 1);
    art[9].resize(input.items.size() + 1);
    for (std::size_t i = 0; i < input.items.size(); ++i) {
        const tplan_art& p = input.items[i];
        const timage img = icons.render("item plan", p.id, icon_of(p, "gem"), colour_of(p));
        art[7][i + 1] = {img};
        art[9][i + 1] = {img};
    }
    // 10 talents, 11 the interface.
    art[10].resize(input.talents.size() + 1);
    for (std::size_t i = 0; i < input.talents.size(); ++i) {
        const tplan_art& p = input.talents[i];
        art[10][i + 1] = {icons.render("talent", p.id, icon_of(p, "star"), colour_of(p))};
    }
    art[11].resize(tileset_interface_entries + 1);
    for (int e = 1; e <= tileset_interface_entries; ++e)
        art[11][e] = {interface_icon_art(e)};

    // The tables: a = 1 variant, b = images per variant.
    for (int c = 1; c <= tileset_category_count; ++c) {
        ix.categories[c].assign(art[c].size() < 1 ? 1 : art[c].size(), tsprite_entry{});
        for (std::size_t e = 1; e < art[c].size(); ++e) {
            const auto n = uint16_t(art[c][e].size());
            if (n == 0) continue;
            if (c >= 9)
                ix.categories[c][e] = {1, n, 1, 1, 0, 0};
            else if (c == 4 || c == 5)
                ix.categories[c][e] = {1, n, 1, 1, 0, 0}; // variants / frames
            else
                ix.categories[c][e] = {1, 1, n, 1, 0, 0};
        }
    }
    assign_tileset_positions(ix);
    if (!plan_tileset_cuts(ix))
        throw std::runtime_error("internal: the cut order does not match the numbering");

    // Sheet: every cut in order, the darker runs derived from the bright art.
    tsheet sheet;
    std::size_t cut = 0;
    for (int c = 1; c <= tileset_category_count; ++c) {
        const int runs = sprite_variant_counts[c];
        const bool keyed = c != 1;
        for (int v = 1; v <= runs; ++v) {
            const double light = runs == 4 ? four_runs[v - 1] : runs == 3 ? three_runs[v - 1] : 1.0;
            for (std::size_t e = 1; e < art[c].size(); ++e)
                for (const timage& img : art[c][e]) {
                    const int place = sheet.place(light < 1.0 ? shade(img, light) : img, keyed);
                    ix.rectangles[ix.cuts[cut++].rectangle] = sheet.rect_of(place);
                }
        }
    }
    if (cut != ix.cuts.size()) throw std::runtime_error("internal: images and cuts differ in number");
    const auto bytes = encode_tileset_index(ix);
    std::ofstream f(index_path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + index_path);
    sheet.write_bmp(sheet_path);
    if (!preview_png.empty()) sheet.write_png(preview_png);
}

} // namespace dravok::tilebuild
