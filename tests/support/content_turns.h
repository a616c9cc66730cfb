// The fixture of turn tests that play with the real content: the built database loaded, a
// program folder of their own for the logs, the error log and run fields cleared, room for
// level items, and one log line per message. Shared by the fight, ranged, items, furniture,
// list-screen, progress and trace tests, which give only their random seed.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/temp_folder.h"

namespace dravok::testing {

class content_turns_test : public ::testing::Test {
  protected:
    explicit content_turns_test(uint32_t seed = 0) : seed_(seed) {}
    void SetUp() override;
    void TearDown() override;
    // How many of the template's items the being carries.
    static int carried(int being, const char* plan);

  private:
    uint32_t seed_;
    TempFolder folder_;
};

} // namespace dravok::testing
