// Windows-1252 text, the file services, the clock and the desktop services.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/text_encoding.h"
#include "temp_folder.h"

namespace dravok {
namespace {

namespace fs = std::filesystem;

TEST(PlatformText, Windows1252ToUtf8AndBack) {
    EXPECT_EQ(cp1252_to_utf8("plain"), "plain");
    EXPECT_EQ(cp1252_to_utf8("\xE9"), "\xC3\xA9");     // é
    EXPECT_EQ(cp1252_to_utf8("\x80"), "\xE2\x82\xAC"); // €
    EXPECT_EQ(cp1252_to_utf8("\x92"), "\xE2\x80\x99"); // ’ of the help texts
    EXPECT_EQ(cp1252_to_utf8("\x81"), "\xC2\x81");     // undefined: the C1 control
    EXPECT_EQ(cp1252_to_utf8(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(cp1252_to_utf8("\xFF"), "\xC3\xBF");

    // Every byte survives the round trip.
    std::string all;
    for (int i = 1; i < 256; ++i)
        all += static_cast<char>(i);
    EXPECT_EQ(utf8_to_cp1252(cp1252_to_utf8(all)), all);

    EXPECT_EQ(utf8_to_cp1252("\xE2\x82\xAC"), "\x80");
    EXPECT_EQ(utf8_to_cp1252("\xE4\xB8\xAD"), "?");       // not in the code page
    EXPECT_EQ(utf8_to_cp1252("ok\xC3"), "ok?");           // cut short
    EXPECT_EQ(utf8_to_cp1252("\xFFx"), "?x");             // not UTF-8
    EXPECT_EQ(utf8_to_cp1252("\xF0\x9F\x98\x80!"), "?!"); // outside the BMP
}

TEST(PlatformFiles, ListingWithWildcards) {
    testing::TempFolder tmp;
    for (const char* name : {"a.dsg", "b.dsg", "c.DSG", "d.dsi", "Level_01.dlv", ".hidden.dsg"})
        ASSERT_TRUE(write_file(tmp / name, "x"));
    ASSERT_TRUE(create_folder(tmp / "sub.dsg"));

    EXPECT_EQ(list_folder(tmp.path(), "*.dsg"), (std::vector<std::string>{".hidden.dsg", "a.dsg", "b.dsg"}));
    EXPECT_EQ(find_files(tmp / "Level_??.dlv"), (std::vector<std::string>{"Level_01.dlv"}));
    EXPECT_EQ(list_folder(tmp.path(), "*.dsg", ListKind::folders), (std::vector<std::string>{"sub.dsg"}));
    EXPECT_EQ(list_folder(tmp.path(), "*", ListKind::both).size(), 7u);
    EXPECT_TRUE(list_folder(tmp / "missing", "*").empty());
}

TEST(PlatformFiles, FoldersReadWriteDeleteAndTimes) {
    testing::TempFolder tmp;
    EXPECT_FALSE(folder_exists(tmp / "Save"));
    EXPECT_TRUE(create_folder(tmp / "Save/"));
    EXPECT_TRUE(create_folder(tmp / "Save")); // already there
    EXPECT_FALSE(create_folder(tmp / "x/y")); // parent missing
    EXPECT_TRUE(create_folders(tmp / "x/y/z"));

    const std::vector<uint8_t> bytes{0, 1, 2, 255, 0};
    const std::string file = tmp / "Save/game.dsg";
    ASSERT_TRUE(write_file(file, bytes));
    EXPECT_TRUE(file_exists(file));
    EXPECT_FALSE(file_exists(tmp / "Save"));
    EXPECT_EQ(read_file(file), bytes);
    EXPECT_EQ(file_size(file), 5);
    EXPECT_FALSE(read_file(tmp / "none").has_value());
    EXPECT_FALSE(write_file(tmp / "none/f", "x"));
    EXPECT_TRUE(list_folder(tmp / "Save", "*.part").empty()); // no temporary left behind

    // A file name with a Windows-1252 letter is stored as UTF-8 on disk and listed back.
    ASSERT_TRUE(write_file(tmp / "Save/Jos\xE9.dsg", "x"));
    struct stat st;
    EXPECT_EQ(::stat((tmp / "Save/Jos\xC3\xA9.dsg").c_str(), &st), 0);
    EXPECT_EQ(list_folder(tmp / "Save", "Jos*"), (std::vector<std::string>{"Jos\xE9.dsg"}));

    // Modification times: the day value matches the clock's day, and a later write differs.
    double t1 = file_time_as_datetime(file);
    EXPECT_NEAR(t1, datetime_value(local_now()), 1.0 / 24);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(write_file(file, "again"));
    EXPECT_NE(file_time_as_datetime(file), t1);
    EXPECT_EQ(file_time_as_datetime(file), file_time_as_datetime(file));
    EXPECT_EQ(file_time_as_datetime(tmp / "none"), 0.0);

    // A read-only file is deleted too; a missing one counts as deleted.
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    EXPECT_TRUE(delete_file(file));
    EXPECT_FALSE(file_exists(file));
    EXPECT_TRUE(delete_file(file));
    EXPECT_FALSE(delete_file(tmp / "x"));   // a folder is not a file
    EXPECT_FALSE(delete_folder(tmp / "x")); // not empty
    EXPECT_TRUE(delete_folder(tmp / "x/y/z"));
}

// The temporary name of a write holds something else: a regular file left by a killed write is
// replaced; a FIFO (with or without a reader), a link or a folder fails the write at once, and
// nothing is written through the link.
TEST(PlatformFiles, AWriteRefusesAnythingButAFileAtItsTemporaryName) {
    testing::TempFolder tmp;
    const std::string file = tmp / "Level.dlv", part = file + ".part", outside = tmp / "outside";
    ASSERT_TRUE(write_file(outside, "untouched"));
    const std::vector<uint8_t> bytes{1, 2, 3};

    ASSERT_TRUE(write_file(part, "left by a killed write"));
    EXPECT_TRUE(write_file(file, bytes));
    EXPECT_EQ(read_file(file), bytes);

    const struct {
        const char* what;
        std::function<void()> make;
    } cases[] = {
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(part.c_str(), 0644), 0); }},
        {"a FIFO with a reader", [&] { ASSERT_EQ(::mkfifo(part.c_str(), 0644), 0); }},
        {"a link to a file", [&] { ASSERT_EQ(::symlink(outside.c_str(), part.c_str()), 0); }},
        {"a link to nowhere", [&] { ASSERT_EQ(::symlink((tmp / "new").c_str(), part.c_str()), 0); }},
        {"a folder", [&] { ASSERT_EQ(::mkdir(part.c_str(), 0755), 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.make();
        const int reader = std::string(c.what).find("reader") != std::string::npos
                               ? ::open(part.c_str(), O_RDONLY | O_NONBLOCK)
                               : -1;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(write_file(file, "other"));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        if (reader >= 0) ::close(reader);
        EXPECT_EQ(read_file(file), bytes) << "the file stays as it was";
        EXPECT_EQ(read_text_file(outside), "untouched");
        EXPECT_FALSE(fs::exists(tmp / "new"));
        fs::remove(part);
    }
}

TEST(PlatformFiles, ProgramFolderCanBePointedElsewhere) {
    set_program_folder(""); // other suites' fixtures may have pointed it at their folders
    std::string real = program_folder();
    ASSERT_FALSE(real.empty());
    EXPECT_EQ(real.back(), '/');
    set_program_folder("/tmp/elsewhere");
    EXPECT_EQ(program_folder(), "/tmp/elsewhere/");
    set_program_folder("");
    EXPECT_EQ(program_folder(), real);
}

TEST(PlatformClock, ManualClockDrivesTicksDatesAndTheSeed) {
    // 2024-02-29 23:59:59.500 UTC, local time two hours ahead.
    const int64_t start = 1709251199500;
    ManualClock clock(start, 120);
    set_clock(&clock);
    EXPECT_EQ(tick_ms(), 0u);
    EXPECT_EQ(ms_since_midnight_utc(), 86399500u);
    EXPECT_EQ(local_now(), (DateTime{2024, 3, 1, 1, 59, 59, 500}));
    clock.advance(600);
    EXPECT_EQ(tick_ms(), 600u);
    EXPECT_EQ(ms_since_midnight_utc(), 100u); // past midnight
    EXPECT_EQ(format_file_stamp(local_now()), "2024_03_01_020000");
    EXPECT_EQ(format_log_stamp(local_now()), "2024-03-01 02:00");
    set_clock(nullptr);
    EXPECT_NE(&current_clock(), &clock);
}

TEST(PlatformClock, DayCountValues) {
    EXPECT_EQ(datetime_value(DateTime{1899, 12, 30}), 0.0);
    EXPECT_EQ(datetime_value(DateTime{2000, 1, 1}), 36526.0);
    EXPECT_DOUBLE_EQ(datetime_value(DateTime{2000, 1, 1, 18, 0, 0, 0}), 36526.75);
    EXPECT_DOUBLE_EQ(datetime_value(DateTime{1899, 12, 29, 6, 0, 0, 0}), -1.25);
    for (DateTime t : {DateTime{2024, 2, 29, 13, 45, 7, 250}, DateTime{1899, 12, 29, 6, 0, 0, 0},
                       DateTime{2100, 12, 31, 23, 59, 59, 999}})
        EXPECT_EQ(datetime_from_value(datetime_value(t)), t);
}

TEST(PlatformDesktop, HeadlessMessagesGoToStandardError) {
    ::testing::internal::CaptureStderr();
    show_message("Missing file \"Data/Dravok.dbs\"! Shutting down.\xE9");
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Missing file \"Data/Dravok.dbs\"! Shutting down.\xC3\xA9"), std::string::npos);
    ::testing::internal::CaptureStdout();
    write_to_terminal("\x80 5", false);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "\xE2\x82\xAC 5\n");
}

TEST(PlatformDesktop, ClipboardKeepsWindows1252Text) {
    ASSERT_TRUE(set_clipboard_text("Book \x80 caf\xE9"));
    EXPECT_EQ(clipboard_text(), "Book \x80 caf\xE9");
}

TEST(PlatformDesktop, ScriptsRunDetachedInTheirFolder) {
    testing::TempFolder tmp;
    ASSERT_TRUE(write_file(tmp / "Get_Release.sh", "echo 16 > Release.txt\n"));
    ASSERT_TRUE(run_script(tmp / "Get_Release.sh"));
    // The script runs on its own; wait for its whole result (the file exists before it is written).
    for (int i = 0; i < 1000 && read_text_file(tmp / "Release.txt") != "16\n"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(read_text_file(tmp / "Release.txt"), "16\n");
    EXPECT_FALSE(start_detached({}));
}

} // namespace
} // namespace dravok
