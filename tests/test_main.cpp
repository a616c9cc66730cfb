// Test runner entry: every test runs headless, whether started by ctest or by hand, and starts
// from the process-wide state a fresh process holds, so the tests hold in any order. A message
// box request (the game shows its boxes through a copy of the running program) is answered as
// the game answers it, never by running the tests again.
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "support/process_state.h"

int main(int argc, char** argv) {
    if (dravok::is_message_box_request(argc, argv)) return dravok::run_message_box_request(argc, argv);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("DRAVOK_HEADLESS", "1", 0);
    ::testing::InitGoogleTest(&argc, argv);
    dravok::testing::reset_state_before_each_test();
    return RUN_ALL_TESTS();
}
