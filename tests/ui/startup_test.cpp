// The start-up path, headless: creation handler, title, the one-shot start-up timer running
// the module initialisation into the main menu; and the ends with their messages when a
// folder cannot be made or the database or the tile set is missing or damaged.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/clock.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/image_files.h"
#include "platform/runtime.h"
#include "platform/timers.h"
#include "platform/window.h"
#include "records/byte_stream.h"
#include "records/codec.h"
#include "support/damaged_images.h"
#include "ui/draw.h"
#include "ui/game_window.h"
#include "ui/graphics.h"
#include "ui/title_screen.h"
#include "world/data_files.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/state.h"
#include "world/world_lifecycle.h"

namespace dravok {
namespace {

namespace fs = std::filesystem;

void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// The built database with its last creature template taken out: a whole, well-formed file, as
// another build of the game would have made it.
std::vector<uint8_t> database_without_last_being_plan() {
    tbyte_stream s;
    EXPECT_EQ(read_encoded_file(std::string(DRAVOK_DATA_DIR) + "/Dravok.dbs", s), tencoded_read::ok);
    std::vector<uint8_t> plain = s.take();
    constexpr std::size_t header_at = 8; // after the release and header length
    tdatabase_header h;
    std::memcpy(&h, plain.data() + header_at, sizeof h);
    const std::size_t last_plan_at = header_at + sizeof h + h.item_plan_count * sizeof(titem_plan) +
                                     h.talent_count * sizeof(ttalent) +
                                     (h.being_plan_count - 1u) * sizeof(tbeing_plan);
    plain.erase(plain.begin() + last_plan_at, plain.begin() + last_plan_at + sizeof(tbeing_plan));
    --h.being_plan_count;
    std::memcpy(plain.data() + header_at, &h, sizeof h);
    tbyte_stream out(std::move(plain));
    encode_stream(out);
    return out.bytes();
}

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
            FAIL() << "the build has not made Data/ yet";
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
        {"a folder in the database's place",
         [](Startup& t) {
             t.write_tileset();
             fs::create_directories(t.data("Dravok.dbs"));
         },
         "Could not read file \"DATA/Dravok.dbs\"! Shutting down."},
        {"no tile set", [](Startup& t) { t.write_database(); },
         "Missing file \"DATA/Dravok.dti\"! Shutting down."},
        {"damaged tile set",
         [](Startup& t) {
             t.write_database();
             t.write_tileset();
             fs::resize_file(t.data("Dravok.dti"), 3000);
         },
         "Data file \"DATA/Dravok.dti\" is corrupted or not compatible with this game version!"},
        {"sheet of 97 bytes claiming 67,108,888 x 16 pixels",
         [](Startup& t) {
             t.write_database();
             t.write_tileset();
             write_bytes(t.data("Dravok.dts"), testing::bmp_file(67'108'888, 16, 24, 0, 97));
         },
         "Data file \"DATA/Dravok.dts\" is corrupted or not compatible with this game version!"},
        {"sheet with its height byte flipped",
         [](Startup& t) {
             t.write_database();
             t.write_tileset();
             auto b = *read_file(t.data("Dravok.dts"));
             b[25] ^= 0xFF;
             write_bytes(t.data("Dravok.dts"), b);
         },
         "Data file \"DATA/Dravok.dts\" is corrupted or not compatible with this game version!"},
        {"database of a build with one creature template fewer",
         [](Startup& t) {
             t.write_tileset();
             write_bytes(t.data("Dravok.dbs"), database_without_last_being_plan());
         },
         "Data file \"DATA/Dravok.dbs\" is corrupted or not compatible with this game version!"},
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

TEST_F(Startup, ATitlePictureTooLargeOrDamagedIsSkippedWithALogLine) {
    write_database();
    write_tileset();
    Bitmap small(20, 20);
    small.clear(colours::red);
    ASSERT_TRUE(write_png(data("Dravok.p01"), small));
    // A valid PNG of 32767 x 32767 pixels in about 130 KB: the list of pictures stops before it.
    write_bytes(data("Dravok.p02"), testing::blank_png(32767, 32767, 1));
    ASSERT_TRUE(write_png(data("Dravok.p03"), small));
    const std::string said = start();
    EXPECT_TRUE(said.empty()) << said;
    EXPECT_EQ(game_mode, mode_menu);
    EXPECT_EQ(title_picture_count, 1);
    const auto log = read_text_file(error_log_path());
    ASSERT_TRUE(log.has_value());
    EXPECT_NE(log->find("Title picture \"" + data("Dravok.p02") + "\" is damaged or too large"),
              std::string::npos)
        << *log;
}

} // namespace
} // namespace dravok
