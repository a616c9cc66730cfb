// The records of the tile-set index file (.dti): its header and one sprite entry per
// template or tile of each category.
#pragma once
#include <cstddef>
#include <cstdint>

#include "records/layout_base.h"

namespace dravok {

constexpr int tile_variant_categories = 8; // categories with light variants
constexpr int tile_variant_count = 5;

#pragma pack(push, 1)

struct ttile_header {
    uint16_t tile_size; // 0, sheet tile size
    uint8_t unread2[2];
    uint16_t rectangles;                        // 4
    uint16_t terrain_images;                    // 6
    uint16_t object_images;                     // 8
    uint16_t icon_images;                       // 10
    uint16_t entry_counts[tile_category_count]; // 12, categories 1..11
    uint8_t unread34[22];
    uint16_t first_rectangle[8];      // 56, categories 1..8
    uint16_t first_rectangle_9_11[3]; // 72, categories 9..11
    uint8_t unread78[24];
    uint16_t variant_offsets[tile_variant_categories][tile_variant_count]; // 102
    uint8_t unread182[30];
    uint32_t file_size; // 212, the index file's own size

    uint16_t& entry_count(int category) { return at1(entry_counts, category); }
    uint16_t first_rectangle_of(int category) const {
        return category <= 8 ? first_rectangle[category - 1] : first_rectangle_9_11[category - 9];
    }
    // Category c (1..8), variant v (1..5) at 102 + (c-1)·10 + (v-1)·2.
    uint16_t variant_offset(int c, int v) const { return variant_offsets[c - 1][v - 1]; }
};
static_assert(sizeof(ttile_header) == 216);
static_assert(offsetof(ttile_header, rectangles) == 4 && offsetof(ttile_header, terrain_images) == 6);
static_assert(offsetof(ttile_header, object_images) == 8 && offsetof(ttile_header, icon_images) == 10);
static_assert(offsetof(ttile_header, entry_counts) == 12 && offsetof(ttile_header, first_rectangle) == 56);
static_assert(offsetof(ttile_header, first_rectangle_9_11) == 72 &&
              offsetof(ttile_header, variant_offsets) == 102);
static_assert(offsetof(ttile_header, variant_offsets) + 7 * 10 == 172); // category 8
static_assert(offsetof(ttile_header, file_size) == 212);
static_assert(offsetof(ttile_header, unread2) == 2 && offsetof(ttile_header, unread34) == 34);
static_assert(offsetof(ttile_header, unread78) == 78 && offsetof(ttile_header, unread182) == 182);

struct tsprite_entry {
    uint16_t first_image; // 0
    uint16_t count_a;     // 2
    uint16_t count_b;     // 4
    uint16_t count_c;     // 6
    uint8_t skip;         // 8
    uint8_t unread9;
};
static_assert(sizeof(tsprite_entry) == 10);
static_assert(offsetof(tsprite_entry, count_a) == 2 && offsetof(tsprite_entry, count_b) == 4);
static_assert(offsetof(tsprite_entry, count_c) == 6 && offsetof(tsprite_entry, skip) == 8);
static_assert(offsetof(tsprite_entry, unread9) == 9);

#pragma pack(pop)

} // namespace dravok
