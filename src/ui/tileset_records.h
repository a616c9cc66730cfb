// The two packed records of the tile-set index file: its 216-byte header and the 10-byte
// entry of a sprite category. Read by the tile-set loader, written by the tile-set builder.
#pragma once
#include <cstddef>
#include <cstdint>

namespace dravok {

constexpr int tileset_category_count = 11;
constexpr int tileset_shaded_categories = 8;  // categories 1..8 have light runs
constexpr int tileset_variant_slots = 5;

#pragma pack(push, 1)
struct ttileset_header {
    uint16_t sheet_tile_size;                    // 0
    uint16_t reserved_2;                         // 2
    uint16_t rectangles;                         // 4
    uint16_t terrain_images;                     // 6
    uint16_t object_images;                      // 8
    uint16_t icon_images;                        // 10
    uint16_t entry_counts[11];                   // 12: categories 1..11
    uint8_t reserved_34[22];                     // 34
    uint16_t first_rectangle[11];                // 56: categories 1..8, then 9..11 at 72
    uint8_t reserved_78[24];                     // 78
    uint16_t variant_offsets[8][5];              // 102: category 1..8, run 1..5
    uint8_t reserved_182[30];                    // 182
    uint32_t file_size;                          // 212

    uint16_t count(int category) const { return entry_counts[category - 1]; }
    uint16_t first_rect(int category) const { return first_rectangle[category - 1]; }
    uint16_t variant_offset(int category, int run) const { return variant_offsets[category - 1][run - 1]; }
};
static_assert(sizeof(ttileset_header) == 216);
static_assert(offsetof(ttileset_header, entry_counts) == 12);
static_assert(offsetof(ttileset_header, first_rectangle) == 56);
static_assert(offsetof(ttileset_header, reserved_78) == 78);
static_assert(offsetof(ttileset_header, variant_offsets) == 102);
static_assert(offsetof(ttileset_header, file_size) == 212);

struct tsprite_entry {
    uint16_t first_image;  // 0: image number in its list for run 1; 0 = absent
    uint16_t count_a;      // 2
    uint16_t count_b;      // 4
    uint16_t count_c;      // 6
    uint8_t skip;          // 8: images not on the sheet
    uint8_t reserved_9;    // 9
};
static_assert(sizeof(tsprite_entry) == 10);
#pragma pack(pop)

// A sheet rectangle, right and bottom exclusive.
struct tsprite_rectangle {
    int32_t left, top, right, bottom;
};
static_assert(sizeof(tsprite_rectangle) == 16);

}  // namespace dravok
