#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/desktop.h"
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

// A message that could not be shown in a box is kept in the log, each of its lines; the message
// of a fatal entry is not logged a second time.
TEST_F(ErrorLog, AMessageThatCouldNotBeShownIsKeptInTheLog) {
    set_unshown_message_handler(log_unshown_message);
    ::testing::internal::CaptureStderr();
    show_message("Data file \"x\" is corrupted!\r\n\r\nShutting down.");
    error_log(trace_start(trace_load_game), "Level 3 has no file!", true);
    ::testing::internal::GetCapturedStderr();
    set_unshown_message_handler({});
    const std::vector<std::string> expected = {
        "",
        "  Release 15     2026-03-07 09:05     Level 3 has no file!",
        "",
        "  World_Saves, load_game",
        "",
        "",
        "",
        "  Release 15     2026-03-07 09:05     Data file \"x\" is corrupted!",
        "  Shutting down.",
        "",
        "",
    };
    EXPECT_EQ(error_log_lines, expected);
    EXPECT_NE(file_text().find("corrupted!\r\n  Shutting down.\r\n"), std::string::npos);
}

// A long log: only its newest megabyte is read at start-up, in whole lines, and a new entry is
// written above the whole of it, the older rest copied through unchanged.
TEST_F(ErrorLog, OfALongLogOnlyTheNewestPartIsReadAndTheRestIsKept) {
    std::string old;
    for (int i = 0; old.size() < 3u << 20; ++i)
        old += "  line " + std::to_string(i) + " of an old entry\r\n";
    ASSERT_TRUE(write_file(folder_ / "Error-log.txt", old));
    load_error_log();
    EXPECT_GT(error_log_lines.size(), 1000u);
    EXPECT_LT(error_log_lines.size(), 60000u) << "a megabyte of lines, not three";
    EXPECT_EQ(error_log_lines.front(), "  line 0 of an old entry");
    EXPECT_EQ(error_log_lines.back().find("  line "), 0u) << "whole lines only";
    error_log(trace_start(trace_load_game), "first", false);
    error_log(trace_start(trace_load_game), "second", false);
    const std::string now = file_text();
    EXPECT_EQ(now.find("\r\n  Release 15     2026-03-07 09:05     second\r\n"), 0u);
    ASSERT_GT(now.size(), old.size());
    EXPECT_EQ(now.substr(now.size() - old.size()), old);
    EXPECT_GT(now.find("first"), now.find("second"));
    EXPECT_LT(now.find("first"), 400u);
    std::filesystem::remove(folder_ / "Error-log.txt");
    load_error_log();
}

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
