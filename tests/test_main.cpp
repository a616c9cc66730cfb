// Test runner entry: every test runs headless, whether started by ctest or by hand, and starts
// from the process-wide state a fresh process holds, so the tests hold in any order.
#include <cstdlib>
#include <gtest/gtest.h>

#include "support/process_state.h"

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("DRAVOK_HEADLESS", "1", 0);
    ::testing::InitGoogleTest(&argc, argv);
    dravok::testing::reset_state_before_each_test();
    return RUN_ALL_TESTS();
}
