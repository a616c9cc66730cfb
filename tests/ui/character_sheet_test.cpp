// The character sheet's tables: figures clamped for show but coloured by their true values,
// the markers for a missing cap or load, and the dungeon level of special levels.
#include <gtest/gtest.h>

#include "records/layout_being.h"
#include "records/layout_level.h"
#include "support/driver.h"
#include "ui/character_sheet.h"
#include "world/being.h"
#include "world/beings.h"
#include "world/level_record.h"

namespace dravok {
namespace {

using dravok::testing::turn_driver;

constexpr Colour red = 0xFF3030, green = 0x22DD22;

TEST(SheetScreen, FiguresAreClampedButColouredByTheirValue) {
    turn_driver d;
    const int p = d.add_player(3, 3);
    tbeing& b = beings[p];
    b.resistance_of(1) = 120;
    b.resistance_of(2) = -5;
    at1(b.item_resistance, 3) = -10;
    b.motion_cap = 255;
    b.motion_penalty = 4;
    level.demiplane = 1;
    sheet_view[sheet_view_being] = p;
    build_character_sheet();
    EXPECT_EQ(resistances_table.cells[1][3].text, "99");
    EXPECT_EQ(resistances_table.cells[2][3].text, "0");
    EXPECT_EQ(resistances_table.cells[2][3].font_colour, red);
    EXPECT_EQ(resistances_table.cells[3][7].text, "0");
    EXPECT_EQ(resistances_table.cells[3][7].font_colour, red);
    EXPECT_EQ(character_table.cells[12][3].text, "-") << "no motion cap";
    EXPECT_EQ(character_table.cells[13][3].text, "-4");
    EXPECT_EQ(character_table.cells[15][3].text, "C") << "a demiplane";
    // A cap equal to what the being's motion gives shows green.
    b.motion_cap = uint8_t(at1(b.base_ability, 2) + at1(b.ability_modifier, 2));
    build_character_sheet();
    EXPECT_EQ(character_table.cells[12][3].font_colour, green);
    level.demiplane = 0;
}

} // namespace
} // namespace dravok
