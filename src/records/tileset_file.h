// The tile-set index format: reading a ".dti" file into its header, category tables and sheet
// rectangles with every consistency check, the order in which the loader cuts the sheet into
// the three image lists, and writing an index. No drawing here: the loader (tileset.h) and
// the tile-set builder (tools/tilebuild) both use it.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "records/layout_tiles.h"

namespace dravok {

constexpr int tileset_category_count = 11;
constexpr int tileset_shaded_categories = 8; // categories 1..8 have light runs

// A sheet rectangle, right and bottom exclusive.
struct tsprite_rectangle {
    int32_t left, top, right, bottom;
};
static_assert(sizeof(tsprite_rectangle) == 16);

// Header fields by category number 1..11.
inline uint16_t tile_count(const ttile_header& h, int category) {
    return h.entry_counts[category - 1];
}
void set_first_rectangle(ttile_header& h, int category, uint16_t rectangle);

enum class sprite_list : uint8_t { terrain = 0, object = 1, icon = 2 };

// Light runs of each category 1..11 (index 0 unused).
constexpr std::array<int, 12> sprite_variant_counts = {0, 4, 4, 3, 3, 1, 3, 3, 3, 1, 1, 1};

constexpr int tileset_header_size = 216;
constexpr int tileset_terrain_entries = 90;
constexpr int tileset_furniture_entries = 60;
constexpr int tileset_effect_entries = 5;
constexpr int tileset_interface_entries = 46;
constexpr int tileset_first_arrow_entry = 35; // interface icons 35..42, north clockwise

sprite_list list_of_category(int category);

// How many images an entry holds per run: a x b x c for categories 1..8, a for 9..11.
uint32_t entry_image_count(int category, const tsprite_entry& entry);

// Counts that depend on the game database.
struct ttileset_expectation {
    int being_plans = 0;
    int item_plans = 0;
    int talents = 0;
    int coin_plan = 0;         // item plan of the coin (0 = none known)
    std::string database_path; // named when the index was made for another database
};

// One image as the loader adds it: which list, which sheet rectangle.
struct tsprite_cut {
    sprite_list list;
    uint16_t rectangle;
};

struct ttileset_index {
    ttile_header header{};
    std::array<std::vector<tsprite_entry>, 12> categories; // [c][e], e from 1
    std::vector<tsprite_rectangle> rectangles;             // from 1
    std::vector<tsprite_cut> cuts;                         // load order
};

// Reads and checks an index file. False means the file is corrupt or made for another
// database: too short, wrong size field, wrong fixed counts, tables that do not fit,
// rectangles beyond the count, first images that do not match the cut order, or a coin
// plan beyond the item icons. Nothing is read outside `bytes`.
bool parse_tileset_index(std::span<const uint8_t> bytes, const ttileset_expectation& expect,
                         ttileset_index& out);

// The same, telling a damaged index from a whole one made for another database (other numbers
// of creature templates, item templates or talents, or too few item icons for the coin).
enum class tindex_check { ok, damaged, other_database };
tindex_check check_tileset_index(std::span<const uint8_t> bytes, const ttileset_expectation& expect,
                                 ttileset_index& out);

// Every cut rectangle must lie inside the sheet and hold at least one pixel.
bool tileset_rectangles_fit(const ttileset_index& index, int sheet_width, int sheet_height);

// Builds the cut order from the tables; false when a rectangle number runs past the count or
// a first image (or a run's variant offset) disagrees with the position it is cut to.
bool plan_tileset_cuts(ttileset_index& index);

// For a builder: given tables whose present entries have a non-zero first image and their
// counts, numbers the images and rectangles in cut order (first images, first rectangles,
// variant offsets, image and rectangle counts). Rectangle coordinates are left to the caller;
// `rectangles` is sized to the count + 1.
void assign_tileset_positions(ttileset_index& index);

// Writes header, tables and rectangles; the size field is filled in.
std::vector<uint8_t> encode_tileset_index(const ttileset_index& index);

} // namespace dravok
