#include <gtest/gtest.h>

#include "records/layout.h"

namespace dravok {
namespace {

TEST(Pstring, CutsAtCapacityAndIgnoresAnOversizedStoredLength) {
    pstring<5> s{};
    s = "dungeon";
    EXPECT_EQ(s.str(), "dunge");
    s.len = 200; // a damaged record
    EXPECT_EQ(s.size(), 5u);
    s = "ok";
    EXPECT_EQ(s.str(), "ok");
    EXPECT_TRUE(s == "ok");
}

TEST(Layout, SizeSignatureHoldsTheFourteenSizesInFileOrder) {
    const uint32_t expected[size_signature_count] = {4656, 1440, 22712, 26856, 246,  36388, 4812,
                                                     916,  16,   48,    1388,  2876, 30008, 1376};
    for (int i = 0; i < size_signature_count; ++i)
        EXPECT_EQ(size_signature[i], expected[i]) << "entry " << i + 1;
}

TEST(Layout, SerialCopiesCompareAtTheirStoredWidth) {
    EXPECT_TRUE(same_serial(uint16_t{1}, 0x10001)); // only the low 16 bits survive in a u16 copy
    EXPECT_FALSE(same_serial(uint16_t{2}, 0x10001));
    EXPECT_TRUE(same_serial(uint32_t{0xFFFFFFFF}, -1));
}

TEST(Layout, OneBasedHelpersReachTheBytesTheRulesNumber) {
    // Entry 1 of each array lies at base + stride, not at the base.
    static tbeing b{};
    const auto* base = reinterpret_cast<const uint8_t*>(&b);
    auto at = [&](const void* p) { return static_cast<const uint8_t*>(p) - base; };
    EXPECT_EQ(at(&b.status_of(1)), 359);
    EXPECT_EQ(at(&b.talent_of(150)), 874);
    EXPECT_EQ(at(&b.equipment_of(1)), 25638);
    EXPECT_EQ(at(&b.chatter_time_of(1)), 29064);
    EXPECT_EQ(at(&b.attitude_of(1)), 23748);
    EXPECT_EQ(at(&b.fear_of(30)), 24560 + 28 * 30);
    EXPECT_EQ(at(&b.resistance_of(13)), 25456 + 26);
    EXPECT_EQ(at(&b.noted_item(30)), 29504 + 16 * 30);
    EXPECT_EQ(at(&b.quickslot(20)), 25772 + 40 * 20);
    EXPECT_EQ(at(&b.ascension_comment(37)), 646);
    EXPECT_EQ(at(b.low_ammo_marks()), 25756);
    EXPECT_EQ(at(&b.dying()), 613);

    static tgame g{};
    const auto* gbase = reinterpret_cast<const uint8_t*>(&g);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&g.race_encountered_of(13)) - gbase, 624);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&g.race_encountered_of(132)) - gbase, 743);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&g.chatter_cooldown_of(58)) - gbase, 388 + 4 * 58);

    static titem it{};
    const auto* ibase = reinterpret_cast<const uint8_t*>(&it);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&it.device_status_of(99)) - ibase, 932);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&it.device_status_of(113)) - ibase, 946);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&it.chatter_time_of(58)) - ibase, 2836 + 4 * 6);

    static tarea a{};
    const auto* abase = reinterpret_cast<const uint8_t*>(&a);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&a.zone(1)) - abase, 156);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&a.cell_zone_exit(38)) - abase, 396 + 28);

    static tbeing_plan p{};
    const auto* pbase = reinterpret_cast<const uint8_t*>(&p);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&p.chatter_switch_of(35)) - pbase, 21784);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&p.chatter_switch_of(50)) - pbase, 21844);

    static tvault v{};
    v.code(2, 1) = 7; // x outer: column y runs fastest
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&v)[31 + 64], 7);

    static tpath path{};
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&path.step(255)) - reinterpret_cast<const uint8_t*>(&path),
              255);
}

} // namespace
} // namespace dravok
