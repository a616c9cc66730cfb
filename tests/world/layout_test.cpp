#include <gtest/gtest.h>

#include "world/layout.h"

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

} // namespace
} // namespace dravok
