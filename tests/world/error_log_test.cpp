#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/temp_folder.h"
#include "world/error_log.h"

namespace dravok {
namespace {

// A fresh program folder and a clock standing at 2026-03-07 09:05:42 (local = UTC here).
class ErrorLog : public ::testing::Test {
  protected:
    void SetUp() override {
        set_program_folder(folder_.path());
        set_clock(&clock_);
        error_log_lines.clear();
        clear_quit_request();
    }
    void TearDown() override {
        set_clock(nullptr);
        set_program_folder("");
        error_log_lines.clear();
        clear_quit_request();
    }
    std::string file_text() const { return read_text_file(folder_ / "Error-log.txt").value_or("<missing>"); }
    bool file_exists() const { return dravok::file_exists(folder_ / "Error-log.txt"); }

    dravok::testing::TempFolder folder_;
    ManualClock clock_{1772874342000};
};

TEST_F(ErrorLog, DepthZeroWritesAndShowsNothing) {
    for (bool fatal : {false, true}) {
        ::testing::internal::CaptureStderr();
        error_log(0, "ignored", fatal);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        EXPECT_TRUE(error_log_lines.empty());
        EXPECT_FALSE(file_exists());
        EXPECT_FALSE(quit_requested());
    }
}

TEST_F(ErrorLog, EntryListsTheChainAndIsWrittenWhole) {
    int depth = trace_start(trace_load_game);
    depth = trace_enter(depth, trace_load_level);
    depth = trace_enter(depth, trace_create_being);
    ASSERT_EQ(depth, 3);
    error_log(depth, "Being 7 has no serial!", false);

    const std::vector<std::string> expected = {
        "",
        "  Release 15     2026-03-07 09:05     Being 7 has no serial!",
        "",
        "  World_Saves, load_game ->",
        "  World_Levels, load_level ->",
        "  World_Beings, create_being",
        "",
        "",
    };
    EXPECT_EQ(error_log_lines, expected);
    std::string file;
    for (const std::string& line : expected)
        file += line + "\r\n";
    EXPECT_EQ(file_text(), file);
    EXPECT_FALSE(quit_requested());
}

TEST_F(ErrorLog, NewerEntriesStandAboveOlderOnesAndSurviveARestart) {
    trace_start(trace_save_level);
    error_log(1, "first", false);
    clock_.set_unix_ms(1798761540000); // 2026-12-31 23:59
    error_log(1, "second", false);
    ASSERT_EQ(error_log_lines.size(), 12u);
    EXPECT_EQ(error_log_lines[1], "  Release 15     2026-12-31 23:59     second");
    EXPECT_EQ(error_log_lines[7], "  Release 15     2026-03-07 09:05     first");
    EXPECT_EQ(error_log_lines[3], "  World_Levels, save_level");

    const std::vector<std::string> before = error_log_lines;
    error_log_lines.clear();
    load_error_log();
    EXPECT_EQ(error_log_lines, before);
}

TEST_F(ErrorLog, FatalEntryShowsTheMessageOnceAndRequestsQuit) {
    trace_start(trace_load_database);
    ::testing::internal::CaptureStderr();
    error_log(1, "Missing being plan \"be_spectator\"!", true);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Dravok: Missing being plan \"be_spectator\"!\r\n\r\nShutting down!\n");
    EXPECT_TRUE(quit_requested());

    // Already quitting: logged, no second message.
    ::testing::internal::CaptureStderr();
    error_log(1, "second fatal", true);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_NE(file_text().find("second fatal"), std::string::npos);
}

TEST_F(ErrorLog, TraceKeepsOnlyAHundredEntries) {
    int depth = trace_start(trace_load_game);
    const uint16_t second = trace_entry(2);
    EXPECT_EQ(trace_enter(0, trace_save_game), 0); // a silent call records nothing
    EXPECT_EQ(trace_entry(2), second);
    for (int i = 0; i < 104; ++i)
        depth = trace_enter(depth, i % 2 ? trace_load_level : trace_save_level);
    EXPECT_EQ(depth, 105);
    EXPECT_EQ(trace_entry(100), trace_save_level); // entry 100 written by the 99th call
    EXPECT_EQ(trace_entry(101), 0);
    error_log(depth, "deep", false);
    ASSERT_EQ(error_log_lines.size(), 3u + 100u + 2u);
    EXPECT_EQ(error_log_lines[3], "  World_Saves, load_game ->");
    EXPECT_EQ(error_log_lines[102], "  World_Levels, save_level");
    EXPECT_EQ(trace_name(9999), "-");
}

TEST_F(ErrorLog, AnUnwritableFolderIsNotReported) {
    set_program_folder(folder_ / "no/such/folder");
    trace_start(trace_load_game);
    error_log(1, "lost", false);
    EXPECT_EQ(error_log_lines.size(), 6u);
    EXPECT_FALSE(quit_requested());
}

} // namespace
} // namespace dravok
