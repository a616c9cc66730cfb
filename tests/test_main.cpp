// Test runner entry: every test runs headless, whether started by ctest or by hand. A message box
// request (the game shows its boxes through a copy of the running program) is answered as the
// game answers it, never by running the tests again.
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/message_box.h"

int main(int argc, char** argv) {
    if (dravok::is_message_box_request(argc, argv)) return dravok::run_message_box_request(argc, argv);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("DRAVOK_HEADLESS", "1", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
