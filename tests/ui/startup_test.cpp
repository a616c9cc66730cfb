// The start-up path, headless: creation handler, title, the one-shot start-up timer running
// the module initialisation into the main menu; and the ends with their messages when a
// folder cannot be made or the database or the tile set is missing or damaged.
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/clock.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/runtime.h"
#include "platform/timers.h"
#include "platform/window.h"
#include "records/byte_stream.h"
#include "records/codec.h"
#include "ui/draw.h"
#include "ui/game_window.h"
#include "ui/graphics.h"
#include "world/error_log.h"
#include "world/globals.h"

namespace dravok {
namespace {

namespace fs = std::filesystem;

class Startup : public ::testing::Test {
  public:
    fs::path dir;
    ManualClock clock;

    void SetUp() override {
        dir = fs::temp_directory_path() / ("dravok_startup_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "Data");
        set_program_folder(dir.string() + "/");
        if (!fs::exists(built("Dravok.dbs")) || !fs::exists(built("Dravok.dti")))
            GTEST_SKIP() << "the build has not made Data/ yet";
        set_clock(&clock);
        clear_quit_request();
        state = tstate{};
        ASSERT_TRUE(init_platform_video());
    }
    void TearDown() override {
        destroy_all_timers();
        game_window.close();
        free_graphics();
        free_world();
        set_clock(nullptr);
        set_program_folder("");
        clear_quit_request();
        state = tstate{};
        fs::remove_all(dir);
    }
    std::string data(const char* name) const { return (dir / "Data" / name).string(); }

    // The game's own data as the build made it.
    static fs::path built(const char* name) { return fs::path(DRAVOK_DATA_DIR) / name; }
    void write_database() {
        fs::copy_file(built("Dravok.dbs"), data("Dravok.dbs"), fs::copy_options::overwrite_existing);
    }
    void write_tileset() {
        fs::copy_file(built("Dravok.dti"), data("Dravok.dti"), fs::copy_options::overwrite_existing);
        fs::copy_file(built("Dravok.dts"), data("Dravok.dts"), fs::copy_options::overwrite_existing);
    }
    // Creation, first display, then 20 ms later the start-up timer. Returns what was said.
    std::string start() {
        ::testing::internal::CaptureStderr();
        EXPECT_TRUE(create_game_window());
        if (form_create()) {
            form_show();
            clock.advance(25);
            run_due_timers();
        }
        return ::testing::internal::GetCapturedStderr();
    }
};

TEST_F(Startup, ReachesTheMainMenuThroughTheStartupTimer) {
    write_database();
    write_tileset();
    const long painted = frames_painted;
    const std::string said = start();
    EXPECT_TRUE(said.empty()) << said;
    EXPECT_FALSE(quit_requested());
    EXPECT_EQ(state.initialised, 1);
    EXPECT_EQ(state.busy, 0);
    EXPECT_EQ(game_mode, mode_menu);
    for (const char* folder : {"Temporary", "Save", "Obituary", "Screenshot"})
        EXPECT_TRUE(fs::is_directory(dir / folder)) << folder;
    // The title, then the menu.
    EXPECT_GE(frames_painted - painted, 2);
    ASSERT_NE(find_timer("effects_timer"), nullptr);
    EXPECT_TRUE(find_timer("effects_timer")->enabled());
    EXPECT_FALSE(find_timer("startup_timer")->enabled());
    EXPECT_TRUE(find_timer("play_timer")->enabled());
    EXPECT_GT(terrain_sprites.count(), 1);
    // The window holds the frame with a 2-pixel border.
    EXPECT_EQ(game_window.client_size(), (Size{screen_bitmap.width() + 4, screen_bitmap.height() + 4}));
}

TEST_F(Startup, EndsWithTheMessageOfWhatIsMissingOrDamaged) {
    struct fault {
        const char* what;
        std::function<void(Startup&)> make;
        std::string message;
    };
    const std::vector<fault> faults = {
        {"no database", [](Startup& t) { t.write_tileset(); },
         "Missing file \"DATA/Dravok.dbs\"! Shutting down."},
        {"damaged database",
         [](Startup& t) {
             t.write_tileset();
             t.write_database();
             fs::resize_file(t.data("Dravok.dbs"), 5000);
         },
         "Data file \"DATA/Dravok.dbs\" is corrupted or not compatible with this game version!"},
        {"no tile set", [](Startup& t) { t.write_database(); },
         "Missing file \"DATA/Dravok.dti\"! Shutting down."},
        {"damaged tile set",
         [](Startup& t) {
             t.write_database();
             t.write_tileset();
             fs::resize_file(t.data("Dravok.dti"), 3000);
         },
         "Data file \"DATA/Dravok.dti\" is corrupted or not compatible with this game version!"},
        {"folder blocked by a file",
         [](Startup& t) {
             t.write_database();
             t.write_tileset();
             std::ofstream(t.dir / "Save") << "x";
         },
         "Could not create folder \"PROGRAM/Save/\"!"},
    };
    for (const auto& f : faults) {
        TearDown();
        SetUp();
        f.make(*this);
        std::string want = f.message;
        if (auto at = want.find("DATA"); at != std::string::npos)
            want.replace(at, 4, (dir / "Data").string());
        if (auto at = want.find("PROGRAM"); at != std::string::npos) want.replace(at, 7, dir.string());
        const std::string said = start();
        EXPECT_NE(said.find(want), std::string::npos) << f.what << ": " << said;
        EXPECT_EQ(state.initialised, 0) << f.what;
        EXPECT_TRUE(event_loop_ended()) << f.what;
    }
}

} // namespace
} // namespace dravok
