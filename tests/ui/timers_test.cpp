// The window's timers: the level-up pause of the effects timer, play time that stops after 30
// idle seconds, and the end of the spectator phase on the 32nd tick after a death (50th after
// a victory), which writes the obituary.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "platform/timers.h"
#include "records/layout_being.h"
#include "records/layout_game.h"
#include "ui/game_window.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "world/beings.h"
#include "world/blank_records.h"
#include "world/error_log.h"
#include "world/game_lists.h"
#include "world/game_modes.h"
#include "world/game_record.h"
#include "world/map_grid.h"
#include "world/player.h"
#include "world/settings_record.h"
#include "world/state.h"

namespace dravok {
namespace {

namespace fs = std::filesystem;

class WindowTimers : public ::testing::Test {
  public:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() / ("dravok_timers_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "Obituary");
        set_program_folder(dir.string() + "/");
        clear_quit_request();
        state = tstate{};
        default_settings();
        settings.create_obituary = 0; // default_settings leaves it as another suite set it
        create_graphics();
        apply_layout();
        beings.assign(3, blank_being);
        beings[1].serial = 1;
        beings[1].x = beings[1].y = 5;
        map_size = 10;
        player = 1;
        game = tgame{};
    }
    void TearDown() override {
        destroy_all_timers();
        free_graphics();
        beings.clear();
        player = 0;
        game_mode = 0;
        state = tstate{};
        set_program_folder("");
        fs::remove_all(dir);
    }
};

TEST_F(WindowTimers, PlayTimeStopsAfterThirtyIdleSeconds) {
    Timer& t = create_timer("play_timer", 1000, true, play_timer_tick);
    for (int i = 0; i < 40 && t.enabled(); ++i)
        play_timer_tick(t);
    EXPECT_EQ(game.seconds_played, 30u);
    EXPECT_FALSE(t.enabled());
}

TEST_F(WindowTimers, LevelUpPauseLastsSixtyTicks) {
    Timer& t = create_timer("effects_timer", 25, true, effects_timer_tick);
    state.level_up_pending = 1;
    game_mode = mode_main;
    for (int i = 0; i < 59; ++i)
        effects_timer_tick(t);
    EXPECT_EQ(state.level_up_pending, 1);
    effects_timer_tick(t);
    EXPECT_EQ(state.level_up_pending, 0);
    EXPECT_EQ(t.tag(), 0);
}

TEST_F(WindowTimers, SpectatorPhaseRunsItsTicksThenWritesTheObituary) {
    struct row {
        bool won;
        uint32_t running_ticks;
    };
    for (const row r : {row{false, 31}, row{true, 49}}) {
        fs::remove(dir / "Obituary" / "Last character.txt");
        state = tstate{};
        state.died = !r.won;
        state.won = r.won;
        state.obituary_file = "Hero.txt";
        state.initialised = 1; // the database and tile set count as loaded
        state.go_to_main_menu = 1;
        beings.assign(3, blank_being);
        beings[1].serial = 1;
        beings[1].x = beings[1].y = 5;
        player = 1;
        history = {"The hero's story."};
        game_mode = mode_spectator;
        // The world ran its ticks (the scheduler's tests cover those); the next tick ends it.
        state.spectator_ticks = r.running_ticks;
        Timer& t = create_timer("spectator_timer", 1000, true, spectator_timer_tick);
        spectator_timer_tick(t);
        EXPECT_FALSE(t.enabled()) << (r.won ? "victory" : "death");
        // Without a created character the next cycle of play starts at once, in the main menu.
        EXPECT_EQ(game_mode, mode_menu);
        EXPECT_EQ(state.spectator_ticks, 0u);
        EXPECT_FALSE(quit_requested());
        EXPECT_TRUE(fs::exists(dir / "Obituary" / "Last character.txt"));
        // A victory always keeps the obituary under its own name.
        EXPECT_EQ(fs::exists(dir / "Obituary" / "Hero.txt"), r.won);
        fs::remove(dir / "Obituary" / "Hero.txt");
    }
    history.clear();
}

TEST_F(WindowTimers, ARestartOrTheLevelUpPauseStopsTheSpectatorTimer) {
    Timer& t = create_timer("spectator_timer", 1000, true, spectator_timer_tick);
    state.died = 1;
    state.restart = 1;
    spectator_timer_tick(t);
    EXPECT_FALSE(t.enabled());
    EXPECT_EQ(state.spectator_ticks, 0u);
}

} // namespace
} // namespace dravok
