#include <gtest/gtest.h>

#include <algorithm>

#include "platform/bitmap.h"
#include "platform/fonts.h"
#include "records/layout_game.h"
#include "world/game_record.h"
#include "world/message_log.h"
#include "world/settings_record.h"
#include "world/state.h"

namespace dravok {
namespace {

// A fixed font: every character 6 pixels wide; the wrap width is 100 pixels.
class MessageLog : public ::testing::Test {
  protected:
    uint32_t& clock = game.game_clock;
    void SetUp() override {
        clear_message_log();
        settings = tsettings{};
        state = tstate{};
        clock = 1000;
        log_area_width = 108;
        settings.log_margin = 4;
        log_text_measure = [](std::string_view s) { return static_cast<int>(s.size()) * 6; };
    }
};

TEST_F(MessageLog, WrapsAtBlanksAndStampsEachLine) {
    add_message("The orc hits you hard and then runs away.");
    ASSERT_EQ(message_log.size(), 3u);
    EXPECT_EQ(message_log[0], "0000001300000$BThe orc hits you");
    EXPECT_EQ(message_log[1], "0000001300000$Bhard and then");
    EXPECT_EQ(message_log[2], "0000001300000$Bruns away.");
    EXPECT_EQ(settings.separator_time, 1045u);
}

TEST_F(MessageLog, SpeechPrefixIndentsTheWrappedLinesAndCarriesTheColour) {
    add_speech_line("Grum", "", "Hello there my good friend of old");
    std::vector<std::string> want = {"0000001300000$BGrum: $DHello", "0000001300036$Dthere my",
                                     "0000001300036$Dgood", "0000001300036$Dfriend of", "0000001300036$Dold"};
    EXPECT_EQ(message_log, want);
}

TEST_F(MessageLog, OverWideWordStandsAloneAfterAnEmptyLine) {
    add_message("abcdefghijklmnopqrstuvwxyz");
    std::vector<std::string> want = {"0000001300000", "0000001300000$B$Babcdefghijklmnopqrstuvwxyz"};
    EXPECT_EQ(message_log, want);
}

TEST_F(MessageLog, ForcedBreaksAndColourCodes) {
    add_message("$Fone\\n$Stwo three");
    std::vector<std::string> want = {"0000001300000$Fone", "0000001300000$F$Stwo three"};
    EXPECT_EQ(message_log, want);
}

TEST_F(MessageLog, AKeyCapOfSeveralNamesIsNeverBrokenAcrossLines) {
    add_message("Press [[ ARROW DOWN ]] now");
    const auto whole = std::find_if(message_log.begin(), message_log.end(), [](const std::string& line) {
        return line.find("[[ ARROW DOWN ]]") != std::string::npos;
    });
    EXPECT_NE(whole, message_log.end()) << message_log.front();
}

TEST_F(MessageLog, AFinalLineBreakAddsNoEmptyLine) {
    add_message("hello\\n");
    std::vector<std::string> want = {"0000001300000$Bhello"};
    EXPECT_EQ(message_log, want);
}

TEST_F(MessageLog, UnclosedBraceIsAnOrdinaryCharacter) {
    add_message("a {b c");
    std::vector<std::string> want = {"0000001300000$Ba {b c"};
    EXPECT_EQ(message_log, want);
}

TEST_F(MessageLog, SeparatorsStopAtOnePageOfBlankLines) {
    add_message("hello");
    for (int k = 0; k < 10; ++k)
        add_message();
    EXPECT_EQ(message_log.size(), 8u);
    EXPECT_EQ(settings.log_blank_lines, 7);
    add_message("again");
    add_message();
    EXPECT_EQ(message_log.size(), 10u);
}

TEST_F(MessageLog, PurgeKeepsFourPagesWhateverTheirAge) {
    clock = 0;
    for (int k = 0; k < 30; ++k)
        add_message("line");
    EXPECT_EQ(message_log.size(), 30u);
    clock = 400;
    add_message("new");
    EXPECT_EQ(message_log.size(), 29u); // lines 28 and 29 were expired and beyond four pages
    EXPECT_TRUE(log_line_expired(""));
    EXPECT_TRUE(log_line_expired("garbage-line"));
    EXPECT_FALSE(log_line_expired("0000000401000x"));
}

TEST_F(MessageLog, FadingStripsOnlyTheLinesOlderThanTheCommand) {
    add_message("$Fold failure");
    add_message("$Eolder xp");
    note_log_fade_line();
    add_message("$Snew success");
    fade_old_log_lines();
    std::vector<std::string> want = {"0000001300000$Snew success", "0000001300000old failure",
                                     "0000001300000older xp"};
    // Newest first: the walk starts at the oldest line and stops at the fade line.
    std::vector<std::string> got = message_log;
    std::swap(want[1], want[2]);
    EXPECT_EQ(got, want);
}

TEST_F(MessageLog, OldestFirstStartsWithAPageOfBlanksAndShowsTheLastPage) {
    settings.newest_first = 0;
    add_message("first");
    ASSERT_EQ(message_log.size(), 8u);
    EXPECT_EQ(message_log[7], "0000001300000$Bfirst");
    EXPECT_EQ(settings.log_top_line, 1);
}

TEST_F(MessageLog, APendingBlankLineGoesAboveTheNextMessage) {
    add_message("one");
    state.blank_line_pending = 1;
    add_message("two");
    std::vector<std::string> want = {"0000001300000$Btwo", "", "0000001300000$Bone"};
    EXPECT_EQ(message_log, want);
    EXPECT_EQ(state.blank_line_pending, 0);
}

TEST_F(MessageLog, MutedLogAndBlankSpeechAddNothing) {
    add_speech_line("Grum", "", "   ");
    EXPECT_TRUE(message_log.empty());
    state.log_muted = 1;
    add_message("x");
    EXPECT_TRUE(message_log.empty());
}

TEST(LogHelpers, JoinAndCodes) {
    std::string out;
    join_colour_prefix("", "$B", out);
    EXPECT_EQ(out, "$B");
    join_colour_prefix("$B", "$F", out);
    EXPECT_EQ(out, "$F");
    join_colour_prefix("$B", "word", out);
    EXPECT_EQ(out, "$Bword");
    join_colour_prefix("a", "b", out);
    EXPECT_EQ(out, "a b");
    colour_code_or_text("$S", out);
    EXPECT_EQ(out, "");
    indent_prefix(7, true, out);
    EXPECT_EQ(out, "007");
    indent_prefix(7, false, out);
    EXPECT_EQ(out, "");
    std::string wrapped;
    wrap_log_text([](std::string_view s) { return static_cast<int>(s.size()); }, "$Sa b", 100, wrapped,
                  false);
    EXPECT_EQ(wrapped, "$Sa b\r\n");
}

} // namespace
} // namespace dravok

namespace dravok {
namespace {

TEST(LogFont, MeasuresThroughThePlatformFont) {
    use_log_font("Tahoma", 13, false);
    int narrow = log_text_measure("iiii"), wide = log_text_measure("WWWW");
    EXPECT_GT(narrow, 0);
    EXPECT_GT(wide, narrow); // a real proportional font, not a fixed width
    EXPECT_EQ(log_text_measure(""), 0);
    clear_font_cache();
}

} // namespace
} // namespace dravok

namespace dravok {
namespace {

TEST(LogFont, WrapsOnACanvasLikeItsMeasure) {
    Bitmap canvas(200, 50);
    FontSpec font;
    font.family = "Tahoma";
    font.height = 13;
    canvas.set_font(font);
    std::string on_canvas, by_measure;
    const char* text = "$BThe quick brown fox jumps over the lazy dog again and again";
    wrap_log_text(canvas, text, 120, on_canvas, false);
    wrap_log_text([&](std::string_view s) { return canvas.text_width(s); }, text, 120, by_measure, false);
    EXPECT_EQ(on_canvas, by_measure);
    EXPECT_GT(std::count(on_canvas.begin(), on_canvas.end(), '\n'), 1); // it did wrap
    EXPECT_EQ(colour_codes_width(canvas, "a$Bb$Fc"), canvas.text_width("$B$F"));
    clear_font_cache();
}

} // namespace
} // namespace dravok
