// A fixture whose game is started from the main menu with the keys a player presses, on a fixed
// seed: the character stands on the first level the game made for it. Shared by the play tests
// of creatures and of the live screens.
#pragma once
#include <gtest/gtest.h>

#include "support/creation_keys.h"
#include "support/game_start.h"
#include "ui/key_bindings.h"
#include "world/player.h"
#include "world/random.h"

namespace dravok::testing {

class new_game_fixture : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!session.ready()) FAIL() << "the build has not made Data/ yet";
        reset_keybindings();
        ASSERT_TRUE(session.start());
        random_seed = 20261210;
        ASSERT_TRUE(start_new_game(session));
        hero = player;
    }
    started_game session{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    int hero = 0;
};

} // namespace dravok::testing
