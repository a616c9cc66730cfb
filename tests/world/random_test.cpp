#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "world/random.h"
#include "world/rounding.h"

namespace dravok {
namespace {

// The generator written out independently: seed * 134775813 + 1 modulo 2^32, the draw is the
// upper half of the 64-bit product seed * n.
uint32_t reference_draw(uint32_t& seed, uint32_t n) {
    seed = static_cast<uint32_t>(static_cast<uint64_t>(seed) * 134775813u + 1u);
    return static_cast<uint32_t>((static_cast<uint64_t>(seed) * n) >> 32);
}

TEST(Random, FollowsTheLinearCongruenceDrawForDraw) {
    random_seed = 12345;
    EXPECT_EQ(random(100), 38);
    EXPECT_EQ(random(100), 28);
    EXPECT_EQ(random(100), 7);
    EXPECT_EQ(random(100), 55);

    random_seed = 0;
    EXPECT_EQ(d1000(), 1);
    EXPECT_EQ(d1000(), 32);
    EXPECT_EQ(d1000(), 862);
    EXPECT_EQ(d1000(), 203);
    EXPECT_EQ(random_seed, 870078620u);

    uint32_t reference = 987654321u;
    random_seed = reference;
    for (uint32_t n : {1u, 2u, 6u, 20u, 100u, 1000u, 65536u, 2147483647u}) {
        for (int i = 0; i < 50; ++i) {
            const uint32_t expected = reference_draw(reference, n);
            ASSERT_EQ(static_cast<uint32_t>(random(static_cast<int32_t>(n))), expected) << "n=" << n;
            ASSERT_EQ(random_seed, reference);
        }
    }
}

TEST(Random, ZeroRangeGivesZeroAndStillAdvancesTheSeed) {
    random_seed = 1;
    EXPECT_EQ(random(0), 0);
    EXPECT_EQ(random_seed, 134775814u);
    random_seed = 77;
    const int32_t v = d100();
    EXPECT_GE(v, 1);
    EXPECT_LE(v, 100);
}

TEST(Random, SetIndexPicksOnlyNonZeroEntriesAndDrawsOnlyWhenOneExists) {
    const std::array<uint8_t, 5> none{};
    random_seed = 4242;
    EXPECT_EQ(random_set_index(none), 0);
    EXPECT_EQ(random_seed, 4242u); // no draw

    const std::array<uint8_t, 6> some{0, 7, 0, 0, 1, 0};
    std::array<int, 7> hits{};
    random_seed = 99;
    for (int i = 0; i < 2000; ++i)
        ++hits[random_set_index(some)];
    EXPECT_EQ(hits[2] + hits[5], 2000);
    EXPECT_GT(hits[2], 800);
    EXPECT_GT(hits[5], 800);

    // One draw: the choice is random(2) on the same seed.
    random_seed = 5;
    uint32_t seed = 5;
    const int expected = reference_draw(seed, 2) == 0 ? 2 : 5;
    EXPECT_EQ(random_set_index(some), expected);
    EXPECT_EQ(random_seed, seed);
}

TEST(Rounding, HalfGoesToTheEvenNeighbour) {
    struct Case {
        double value;
        int expected;
    };
    for (const Case& c : std::vector<Case>{{0.5, 0},
                                           {1.5, 2},
                                           {2.5, 2},
                                           {-0.5, 0},
                                           {-1.5, -2},
                                           {-2.5, -2},
                                           {2.4999, 2},
                                           {2.5001, 3},
                                           {0.3 * 25, 8},     // 7.5
                                           {25 / 10.0, 2},    // 25 shown as 20
                                           {995 / 10.0, 100}, // 995 shown as 1000
                                           {1150 / 100.0, 12}})
        EXPECT_EQ(round_half_even(c.value), c.expected) << c.value;
    EXPECT_EQ(round_half_even(1e300), 2147483647);
    EXPECT_EQ(round_half_even(-1e300), -2147483647 - 1);
}

} // namespace
} // namespace dravok
