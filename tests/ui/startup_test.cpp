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
#include "ui/draw.h"
#include "ui/game_window.h"
#include "ui/graphics.h"
#include "ui/tileset_fixture.h"
#include "world/byte_stream.h"
#include "world/codec.h"
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
        set_clock(&clock);
        clear_quit_request();
        state = tstate{};
        settings.coin_plan = 0;  // the empty database has no coin
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

    void write_database() {
        // A coded file with good sums and no templates.
        tbyte_stream stream(std::vector<uint8_t>(100, 7));
        encode_stream(stream);
        std::ofstream(data("Dravok.dbs"), std::ios::binary)
            .write(reinterpret_cast<const char*>(stream.data()), std::streamsize(stream.size()));
    }
    void write_tileset() {
        // The fixture set without creatures, items and talents, to match the empty database.
        ttileset_index ix = small_index();
        for (int c : {6, 7, 9, 10}) ix.categories[c].assign(1, tsprite_entry{});
        assign_tileset_positions(ix);
        for (std::size_t r = 1; r < ix.rectangles.size(); ++r)
            ix.rectangles[r] = {int32_t(r % 10) * 16, int32_t(r / 10) * 16, int32_t(r % 10) * 16 + 16, int32_t(r / 10) * 16 + 16};
        const auto bytes = encode_tileset_index(ix);
        std::ofstream(data("Dravok.dti"), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        Bitmap sheet(160, 16 * int(ix.rectangles.size() / 10 + 1));
        sheet.clear(0x406080);
        ASSERT_EQ(SDL_SaveBMP(sheet.surface(), data("Dravok.dts").c_str()), 0);
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
        {"no database", [](Startup& t) { t.write_tileset(); }, "Missing file \"DATA/Dravok.dbs\"! Shutting down."},
        {"damaged database", [](Startup& t) { t.write_tileset(); std::ofstream(t.data("Dravok.dbs")) << "not a database"; },
         "Data file \"DATA/Dravok.dbs\" is corrupted or not compatible with this game version!"},
        {"no tile set", [](Startup& t) { t.write_database(); }, "Missing file \"DATA/Dravok.dti\"! Shutting down."},
        {"damaged tile set", [](Startup& t) { t.write_database(); t.write_tileset(); fs::resize_file(t.data("Dravok.dti"), 300); },
         "Data file \"DATA/Dravok.dti\" is corrupted or not compatible with this game version!"},
        {"folder blocked by a file", [](Startup& t) { t.write_database(); t.write_tileset(); std::ofstream(t.dir / "Save") << "x"; },
         "Could not create folder \"PROGRAM/Save/\"!"},
    };
    for (const auto& f : faults) {
        TearDown();
        SetUp();
        f.make(*this);
        std::string want = f.message;
        if (auto at = want.find("DATA"); at != std::string::npos) want.replace(at, 4, (dir / "Data").string());
        if (auto at = want.find("PROGRAM"); at != std::string::npos) want.replace(at, 7, dir.string());
        const std::string said = start();
        EXPECT_NE(said.find(want), std::string::npos) << f.what << ": " << said;
        EXPECT_EQ(state.initialised, 0) << f.what;
        EXPECT_TRUE(event_loop_ended()) << f.what;
    }
}

}  // namespace
}  // namespace dravok
