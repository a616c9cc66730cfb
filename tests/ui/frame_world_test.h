// The screen tests' fixture: the fixture's tile set built into a folder of this test process
// (ctest runs the tests of a suite side by side), the graphics and layout made, and the world of
// frame_fixture.h to draw. Everything goes again after each test.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>

#include "generation/level_fixture.h"
#include "platform/files.h"
#include "ui/frame_fixture.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/tileset.h"
#include "world/error_log.h"
#include "world/game_modes.h"
#include "world/settings_record.h"
#include "world/state.h"
#include "world/world_lifecycle.h"

namespace dravok::frame_fixture {

class frame_world_test : public ::testing::Test {
  public:
    std::filesystem::path dir;

  protected:
    explicit frame_world_test(std::string folder_prefix) : prefix_(std::move(folder_prefix)) {}
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / (prefix_ + std::to_string(getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        if (!build_tileset(dir.string())) FAIL() << "the tile-set builder is not built";
        set_program_folder(dir.string() + "/");
        clear_quit_request();
        state = tstate{};
        prepare_tables();
        create_graphics();
        apply_layout();
        ASSERT_TRUE(load_tileset());
        ASSERT_TRUE(prepare_level(20261209)) << "no room with a door for the test";
        set_program_folder(dir.string() + "/"); // the level fixture moved it to its log folder
    }
    void TearDown() override {
        testing_levels::restore_error_log();
        free_graphics();
        free_world();
        settings.coin_plan = 0;
        game_mode = 0;
        set_program_folder("");
        clear_quit_request();
    }

  private:
    std::string prefix_;
};

} // namespace dravok::frame_fixture
