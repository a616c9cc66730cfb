#include <gtest/gtest.h>

#include <algorithm>

#include "platform/files.h"
#include "world/error_log.h"
#include "world/text_database.h"
#include "world/text_expand.h"

namespace dravok {
namespace {

void load_text(const std::string& payload, int sections) {
    clear_text_database();
    text_database = split_text_lines(payload);
    ASSERT_TRUE(build_text_sections(sections));
    build_shuffle_bags();
}

TEST(TextDatabase, SectionIndexSkipsSectionZeroAndRemovesSectionLines) {
    load_text("@first\r\n@second\r\none\ntwo\rthree\n@tags\nlo_a\nre_b\n", 3);
    EXPECT_EQ(find_text_section("first"), 0);
    EXPECT_EQ(find_text_section("SECOND"), 1);
    EXPECT_EQ(text_sections[1].count, 3);
    EXPECT_EQ(text_sections[1].first_line, 0);
    EXPECT_EQ(text_database.size(), 5u);
    EXPECT_EQ(section_text("second", 2), "three");
    ASSERT_EQ(text_tags.size(), 3u);
    EXPECT_EQ(text_tags[0], "");
    EXPECT_EQ(text_tags[2], "re_b");
    EXPECT_EQ(draw_from_section(0, "nothing"), -1);
}

TEST(TextDatabase, RefusesLinesBeforeTheFirstSectionAndTooManySections) {
    clear_text_database();
    text_database = split_text_lines("\n@_placeholder\n@a\nx\n");
    EXPECT_FALSE(build_text_sections(2));
    text_database = split_text_lines("@_placeholder\n@a\n@b\n");
    EXPECT_FALSE(build_text_sections(2));
}

TEST(TextDatabase, BagsDrawEveryEntryOnceThenRefill) {
    load_text("@_placeholder\n@s\na\nb\nc\n", 2);
    int s = find_text_section("s");
    std::vector<int> seen;
    for (int k = 0; k < 3; ++k)
        seen.push_back(draw_from_section(s));
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(text_sections[s].left, 3); // refilled at once
    int fourth = draw_from_section(s);
    EXPECT_GE(fourth, 0);
    EXPECT_EQ(text_sections[s].left, 2);
}

TEST(TextDatabase, IdleChatterIsNotRefilledButStillDrawnUniformly) {
    load_text("@_placeholder\n@be_x_idle_chatter\na\nb\n", 2);
    int s = find_text_section("be_x_idle_chatter");
    std::string one = section_text("be_x_idle_chatter"), two = section_text("be_x_idle_chatter");
    EXPECT_NE(one, two);
    EXPECT_EQ(text_sections[s].left, 0);
    EXPECT_EQ(draw_from_section(s), 0);
    for (int k = 0; k < 10; ++k) {
        std::string t = section_text("be_x_idle_chatter");
        EXPECT_TRUE(t == "a" || t == "b");
    }
}

TEST(TextDatabase, BlocksDropTrailingBlanksAndTheFinalBreak) {
    load_text("@_placeholder\n@a\n\n  \nfirst\n\nsecond\\n\n\n\\n\n@b\nx\ny\n@c\n\n\\n\n", 4);
    std::string out;
    get_section_block(0, "a", out);
    EXPECT_EQ(out, "first\\n\\nsecond");
    get_section_block(0, "b", out);
    EXPECT_EQ(out, "x\\ny\\n");
    get_section_block(0, "c", out);
    EXPECT_EQ(out, "");
}

TEST(TextDatabase, SectionReferences) {
    load_text("@_placeholder\n@m_start\nbor\n@m_end\nak\n", 3);
    std::string out;
    expand_section_references("%m_start%%m_end|0%", out);
    EXPECT_EQ(out, "Borak");
    expand_section_references("x %nowhere% y", out);
    EXPECT_EQ(out, "X  ILLEGAL_ID  y");
    expand_section_references("%m_end:notanumber%", out);
    EXPECT_EQ(out, "Ak");
}

TEST(TextDatabase, SelfReferencingSectionStopsAtTheCap) {
    set_program_folder(::testing::TempDir()); // the cap writes an error-log entry
    load_text("@_placeholder\n@loop\n%loop%x\n", 2);
    std::string out;
    expand_section_references("%loop%", out);
    EXPECT_LE(out.size(), 4096u + 8u);
    EXPECT_EQ(out.substr(0, 4), "%loo");
}

TEST(TextDatabase, ChatterSectionsFollowSwitchesAndTheFlag) {
    load_text("@_placeholder\n@be_orc_death\nUrgh!\n@be_orc_roars\nRaaa!\n", 3);
    std::vector<tchatter_source> plans(3);
    plans[1].identifier = "be_orc";
    plans[1].has_oneliners = true;
    plans[1].enabled[10] = true;
    plans[2] = plans[1];
    plans[2].has_oneliners = false;
    build_chatter_sections(plans);
    EXPECT_EQ(chatter_sections[1][10], find_text_section("be_orc_death"));
    EXPECT_EQ(chatter_sections[1][6], 0); // roars not enabled
    EXPECT_EQ(chatter_sections[2][10], 0);
}

} // namespace
} // namespace dravok
