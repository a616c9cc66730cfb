// Floor symbols: their size read from the overlay names, laid round an area's centre row by
// row, refused where a cell is wall, of another area or already holds a symbol.
#include <gtest/gtest.h>

#include "generation/areas.h"
#include "generation/floor_symbols.h"
#include "generation/level_creation.h"
#include "level_fixture.h"
#include "world/level_areas.h"
#include "world/level_record.h"
#include "world/map.h"
#include "world/map_grid.h"
#include "world/tables.h"
#include "world/text_database.h"

namespace dravok {
namespace {

using namespace testing_levels;

class FloorSymbols : public ::testing::Test {
  protected:
    void SetUp() override {
        use_temporary_error_log();
        start_blank_attempt(64);
        clear_text_database();
        text_database =
            split_text_lines("@_placeholder\n@_overlay_names\nsy_sigil_1x1_01\nsy_seal_3x2_01\nb\nc\nd\ne\n"
                             "f\nsy_bad_name\nsy_big_12x2_01\nsy_zero_0x2_01\n");
        ASSERT_TRUE(build_text_sections(2));
    }
    void TearDown() override {
        clear_text_database();
        restore_error_log();
    }
    static tstuff symbol_row(int entry) {
        tstuff row{};
        row.kind = 8;
        row.object_id = static_cast<uint16_t>(entry);
        return row;
    }
};

TEST_F(FloorSymbols, TheSizeIsReadFromTheNameOfTheFirstEntry) {
    struct row {
        int entry, width, height;
    };
    for (const row r : {row{1, 1, 1}, row{2, 3, 2}, row{3, 0, 0}, row{8, 0, 0}, row{9, 0, 0}, row{10, 0, 0},
                        row{11, 0, 0}, row{0, 0, 0}}) {
        int w = -1, h = -1;
        EXPECT_EQ(floor_symbol_size(r.entry, w, h), r.width != 0) << r.entry;
        EXPECT_EQ(w, r.width) << r.entry;
        EXPECT_EQ(h, r.height) << r.entry;
    }
}

TEST_F(FloorSymbols, ASymbolIsLaidRowByRowRoundTheCentreOnceAndOnlyOnFreeFloorOfTheArea) {
    carve_area(1, 10, 10, 18, 16, area_room); // centre (14, 13)
    tstuff out{};
    ASSERT_TRUE(floor_symbol_fits(symbol_row(2), 1));
    place_floor_symbol(symbol_row(2), 1, out);
    EXPECT_EQ(out.pieces_placed, 6);
    EXPECT_EQ(areas[1].symbol, 1);
    // 3 x 2 from (13, 12): entries 2, 3, 4 on the first row, 5, 6, 7 on the second.
    EXPECT_EQ(cell_at(13, 12).floor_symbol(), 2);
    EXPECT_EQ(cell_at(15, 12).floor_symbol(), 4);
    EXPECT_EQ(cell_at(13, 13).floor_symbol(), 5);
    EXPECT_EQ(cell_at(15, 13).floor_symbol(), 7);
    EXPECT_EQ(cell_at(16, 13).floor_symbol(), 0);
    // A second symbol there finds the cells taken.
    EXPECT_FALSE(floor_symbol_fits(symbol_row(1), 1));
    tstuff again{};
    place_floor_symbol(symbol_row(1), 1, again);
    EXPECT_EQ(again.pieces_placed, 0);

    // A narrow room: the symbol would reach into the wall.
    carve_area(2, 30, 30, 33, 40, area_room);
    EXPECT_FALSE(floor_symbol_fits(symbol_row(2), 2));
    EXPECT_TRUE(floor_symbol_fits(symbol_row(1), 2));
    // A name without a size places nothing.
    EXPECT_FALSE(floor_symbol_fits(symbol_row(8), 2));
}

// The shrines of the game's content lay their seal of 2 x 2 cells on the levels made.
TEST(FloorSymbolsOnLevels, TheShrinesSealLiesOnGeneratedLevelsInOnePiece) {
    use_temporary_error_log();
    ASSERT_TRUE(load_built_database());
    int seals = 0;
    for (int i = 1; i < static_cast<int>(levels.size()); ++i)
        for (uint32_t seed = 1; seed <= 40; ++seed) {
            level = levels[i];
            map_size = level.map_size;
            random_seed = seed * 7919u;
            create_level(1);
            for (int x = 1; x < map_size; ++x)
                for (int y = 1; y < map_size; ++y) {
                    const int first = cell_at(x, y).floor_symbol();
                    int w = 0, h = 0;
                    if (first == 0 || !floor_symbol_size(first, w, h) || w != 2) continue;
                    ++seals;
                    EXPECT_EQ(cell_at(x + 1, y).floor_symbol(), first + 1);
                    EXPECT_EQ(cell_at(x, y + 1).floor_symbol(), first + 2);
                    EXPECT_EQ(cell_at(x + 1, y + 1).floor_symbol(), first + 3);
                    EXPECT_EQ(areas[cell_at(x, y).area].symbol, 1);
                }
        }
    restore_error_log();
    EXPECT_GT(seals, 0);
}

} // namespace
} // namespace dravok
